// The Qt host: message boxes, modal loops, the file dialog, pointer, desktop, clock, views.
#include "app/qt_host.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "app/auto_view.h"
#include "app/designer_forms.h"
#include "app/file_filter.h"
#include "app/form_view.h"
#include "platform/error/error.h"
#include "shell/help.h"

namespace gw::app {

using ui::Answer;
using ui::Buttons;

namespace {

// The answer given without asking: the one that changes nothing.
Answer safe_answer(Buttons b) {
  switch (b) {
    case Buttons::OK:
      return Answer::OK;
    case Buttons::OKCancel:
      return Answer::Cancel;
    case Buttons::YesNo:
      return Answer::No;
  }
  return Answer::OK;
}

const char* answer_name(Answer a) {
  switch (a) {
    case Answer::OK:
      return "OK";
    case Answer::Cancel:
      return "Cancel";
    case Answer::Yes:
      return "Yes";
    case Answer::No:
      return "No";
  }
  return "?";
}

}  // namespace

// Keeps the hourglass off the dialogs a busy window opens: message boxes, file dialogs
// and modal windows show the ordinary pointer.
class QtHost::PointerPause {
 public:
  explicit PointerPause(QtHost& h) : h_(h) {
    ++h_.pointer_paused_;
    h_.update_cursor();
  }
  ~PointerPause() {
    --h_.pointer_paused_;
    h_.update_cursor();
  }
  PointerPause(const PointerPause&) = delete;
  PointerPause& operator=(const PointerPause&) = delete;

 private:
  QtHost& h_;
};

namespace {

// Captions stay readable when their frame is disabled (a window in VIEW mode): a caption
// names the value beside it, which the engineer still reads. Buttons and boxes that cannot
// be used keep the greyed look.
void keep_captions_readable() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  for (const char* cls : {"QLabel", "QGroupBox"}) {
    QPalette p = QApplication::palette(cls);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
      p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    QApplication::setPalette(p, cls);
  }
}

}  // namespace

QtHost::QtHost(std::string program_folder)
    : program_folder_(std::move(program_folder)), context_(std::make_unique<QObject>()) {
  keep_captions_readable();
}

QtHost::~QtHost() {
  // The model may be gone already: the views are dropped without touching it.
  for (auto& [form, view] : views_) delete view;
  views_.clear();
  for (QPointer<FormView>& v : retired_) delete v.data();
  retired_.clear();
  if (cursor_overridden_) QGuiApplication::restoreOverrideCursor();
}

// ---- message boxes and dialogs -------------------------------------------------------

QWidget* QtHost::dialog_parent() const {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w;
  for (auto it = loops_.rbegin(); it != loops_.rend(); ++it)
    if (FormView* v = find_view(*(*it)->form); v && v->widget() && v->widget()->isVisible())
      return v->widget();
  return nullptr;
}

Answer QtHost::message(const ui::Message& m) {
  if (!interactive_ || ending_) {
    const Answer a = safe_answer(m.buttons);
    if (!ending_)
      std::fprintf(stderr, "gullyworks: message \"%s\" answered %s\n", m.text.c_str(), answer_name(a));
    return a;
  }
  PointerPause pause(*this);
  QMessageBox box(dialog_parent());
  box.setWindowTitle(QString::fromStdString(m.title.empty() ? std::string(ui::kDefaultTitle) : m.title));
  box.setText(QString::fromStdString(m.text));
  box.setTextFormat(Qt::PlainText);
  switch (m.icon) {
    case ui::Icon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case ui::Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case ui::Icon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
  }
  switch (m.buttons) {
    case Buttons::OK:
      box.setStandardButtons(QMessageBox::Ok);
      box.setDefaultButton(QMessageBox::Ok);
      break;
    case Buttons::OKCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::No);
      break;
  }
  // A system-modal box of the original platform blocks the whole program here.
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
      return Answer::OK;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return safe_answer(m.buttons);
  }
}

bool QtHost::file_dialog(ui::FileDialog& d, bool save) {
  if (!interactive_ || ending_) return false;
  PointerPause pause(*this);
  // Each kind of file (its filter) has its own last folder, kept between runs.
  const QString kind = "folders/" + QString::fromStdString(d.filter.empty() ? std::string("*") : d.filter);
  QSettings settings;
  const QString start =
      dialog_start_folder(settings.value(kind).toString(), QString::fromStdString(d.init_dir),
                          QString::fromStdString(program_folder_),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  QFileDialog dlg(dialog_parent(), QString::fromStdString(d.dialog_title), start);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) {
    dlg.setFileMode(QFileDialog::AnyFile);
    // The program asks its own overwrite question.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
  } else {
    dlg.setFileMode((d.flags & ui::FileDialog::kFileMustExist) ? QFileDialog::ExistingFile
                                                               : QFileDialog::AnyFile);
  }
  const QStringList filters = qt_name_filters(d.filter);
  if (!filters.isEmpty()) dlg.setNameFilters(filters);
  QString ext = QString::fromStdString(d.default_ext);
  while (ext.startsWith('.')) ext.remove(0, 1);
  if (save && ext.isEmpty() && !filters.isEmpty()) {
    // A name typed without an extension gets the chosen filter's, so that the Open
    // dialog of the same kind finds the file again.
    dlg.setDefaultSuffix(filter_suffix(filters.first()));
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg,
                     [&dlg](const QString& f) { dlg.setDefaultSuffix(filter_suffix(f)); });
  } else if (!ext.isEmpty()) {
    dlg.setDefaultSuffix(ext);
  }
  if (!d.file_name.empty()) dlg.selectFile(QString::fromStdString(d.file_name));
  dlg.setWindowModality(Qt::ApplicationModal);
  if (dlg.exec() != QDialog::Accepted) return false;
  const QStringList files = dlg.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return false;
  settings.setValue(kind, QFileInfo(files.first()).absolutePath());
  d.file_name = QDir::toNativeSeparators(files.first()).toStdString();
  return true;
}

// ---- windows -----------------------------------------------------------------------

FormView* QtHost::find_view(const ui::Form& f) const {
  auto it = views_.find(&f);
  return it == views_.end() ? nullptr : it->second;
}

std::vector<FormView*> QtHost::views() const {
  std::vector<FormView*> v;
  for (auto& [form, view] : views_) v.push_back(view);
  return v;
}

FormView& QtHost::view(ui::Form& f) {
  if (FormView* v = find_view(f)) return *v;
  f.load();
  if (!f.is_loaded()) throw gw::Error("Window " + f.name() + " could not be loaded");
  if (FormView* v = find_view(f)) return *v;  // its load handler showed it already
  QWidget* top = create_designer_window(f.name());
  if (!top) top = build_auto_window(f);
  auto* v = new FormView(*this, f, top);
  views_[&f] = v;
  return *v;
}

void QtHost::forget(FormView& v) {
  auto it = views_.find(&v.form());
  if (it != views_.end() && it->second == &v) views_.erase(it);
  // A handler of the window may still be running through its widgets: they go when the
  // event loop that runs it gets control back.
  retired_.emplace_back(&v);
  v.deleteLater();
  retired_.erase(std::remove_if(retired_.begin(), retired_.end(), [](auto& p) { return p.isNull(); }),
                 retired_.end());
  window_gone();
}

void QtHost::close_views() {
  for (auto& [form, view] : views_) {
    view->detach();
    delete view;
  }
  views_.clear();
  for (QPointer<FormView>& v : retired_) delete v.data();
  retired_.clear();
}

bool QtHost::any_window_visible() const {
  for (auto& [form, view] : views_)
    if (view->widget() && view->widget()->isVisible()) return true;
  return false;
}

void QtHost::present(FormView& v, bool modal) {
  QWidget* w = v.widget();
  if (!w) return;
  Applying busy(*this);
  const QString kind = w->property("gwWindowKind").toString();
  Qt::WindowFlags flags = kind == "splash" ? (Qt::SplashScreen | Qt::FramelessWindowHint)
                          : modal          ? Qt::WindowFlags(Qt::Dialog)
                                           : Qt::WindowFlags(Qt::Window);
  const Qt::WindowModality modality = modal && interactive_ ? Qt::ApplicationModal : Qt::NonModal;
  if (w->isVisible() && (w->windowModality() != modality || w->windowType() != (flags & Qt::WindowType_Mask)))
    w->hide();
  if (w->windowType() != (flags & Qt::WindowType_Mask)) w->setWindowFlags(flags);
  w->setWindowModality(modality);
  if (!w->property("gwPlaced").toBool()) {
    w->setProperty("gwPlaced", true);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
      const QRect room = s->availableGeometry();
      w->move(room.center() - QPoint(w->width() / 2, w->height() / 2));
    }
  }
  w->show();
  w->raise();
  w->activateWindow();
  // A control the load handler gave the focus to has it on the screen too.
  v.follow_focus();
}

void QtHost::show_modal(ui::Form& f) {
  if (ending_) throw gw::Error("The program is ending.");
  FormView& v = view(f);
  f.host_set_visible(true, true);
  if (!f.is_loaded() || !f.is_visible()) return;  // its activate handler closed it
  present(v, true);
  if (!interactive_) return;
  PointerPause pause(*this);
  QEventLoop loop;
  ModalLoop ml{&f, &loop, false};
  loops_.push_back(&ml);
  if (!ml.closed) loop.exec(QEventLoop::DialogExec);
  loops_.erase(std::find(loops_.begin(), loops_.end(), &ml));
  if (FormView* still = find_view(f); still && still->widget() && !f.is_visible()) {
    Applying busy(*this);
    still->widget()->hide();
  }
  if (ending_) throw gw::Error("The program is ending.");
}

void QtHost::show_modeless(ui::Form& f) {
  FormView& v = view(f);
  f.host_set_visible(true, false);
  if (!f.is_loaded() || !f.is_visible()) return;
  present(v, false);
}

void QtHost::form_closed(ui::Form& f) {
  for (ModalLoop* ml : loops_) {
    if (ml->form == &f && !ml->closed) {
      ml->closed = true;
      ml->loop->quit();
    }
  }
  if (FormView* v = find_view(f); v && v->widget() && !f.is_visible()) {
    Applying busy(*this);
    v->widget()->hide();
  }
  window_gone();
}

void QtHost::window_gone() {
  if (!quit_when_no_window_) return;
  // Checked once the handler is done: a window that closes to open another is no end.
  QTimer::singleShot(0, context_.get(), [this] {
    if (loops_.empty() && !any_window_visible()) QCoreApplication::quit();
  });
}

void QtHost::end_program() {
  ending_ = true;
  for (ModalLoop* ml : loops_) {
    ml->closed = true;
    ml->loop->quit();
  }
  QCoreApplication::quit();
}

// ---- pointer, desktop, clock ---------------------------------------------------------

void QtHost::update_cursor() {
  const bool want = hourglass_ && pointer_paused_ == 0;
  if (want && !cursor_overridden_) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    cursor_overridden_ = true;
  } else if (!want && cursor_overridden_) {
    QGuiApplication::restoreOverrideCursor();
    cursor_overridden_ = false;
  }
}

void QtHost::set_mouse_pointer(int pointer) {
  hourglass_ = pointer == ui::kPointerHourglass;
  update_cursor();
}

std::string QtHost::help_target(const std::string& target) const {
  // The user's guide opens at the section of the window the engineer is working in: the
  // innermost modal window, else the active one.
  if (target.find('#') != std::string::npos ||
      QFileInfo(QString::fromStdString(target)).fileName() != shell::kHelpFile)
    return target;
  const ui::Form* active = nullptr;
  for (auto it = loops_.rbegin(); it != loops_.rend() && !active; ++it)
    if (!(*it)->closed) active = (*it)->form;
  if (!active) {
    for (const auto& [form, view] : views_)
      if (view->widget() && view->widget()->isActiveWindow()) active = form;
  }
  const std::string section = active ? help_section(active->name()) : std::string();
  return section.empty() ? target : target + "#" + section;
}

QUrl QtHost::desktop_url(const std::string& target) {
  const QString t = QString::fromStdString(target);
  if (!t.startsWith('/') && (t.contains("://") || t.startsWith("mailto:"))) return QUrl(t);
  // Only the user's guide carries a section after "#"; any other file is named whole, "#"
  // and all ("Route 7 #2.xlsx").
  const qsizetype hash = t.lastIndexOf('#');
  if (hash >= 0 && QFileInfo(t.left(hash)).fileName() == QString::fromUtf8(shell::kHelpFile)) {
    QUrl url = QUrl::fromLocalFile(t.left(hash));
    url.setFragment(t.mid(hash + 1));
    return url;
  }
  return QUrl::fromLocalFile(t);
}

bool QtHost::open_document(const std::string& target_in) {
  const QUrl url = desktop_url(help_target(target_in));
  if (!interactive_) {
    std::fprintf(stderr, "gullyworks: open %s\n", url.toString().toStdString().c_str());
    return true;
  }
  return QDesktopServices::openUrl(url);
}

double QtHost::clock() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void QtHost::repaint(ui::Form& f) {
  FormView* v = find_view(f);
  if (!v || !v->widget()) return;
  QWidget* w = v->widget();
  // A window just shown is painted once the display has mapped it.
  QElapsedTimer t;
  t.start();
  while (w->windowHandle() && !w->windowHandle()->isExposed() && t.elapsed() < 500)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  w->repaint();
  QCoreApplication::processEvents();
}

// ---- user actions ------------------------------------------------------------------

void QtHost::user_action(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& e) {
    show_failure(e);
  }
  for (FormView* v : views()) v->follow_focus();
}

void QtHost::show_failure(const std::exception& e) {
  if (ending_) return;
  message(ui::Message{e.what(), Buttons::OK, ui::Icon::Exclamation, {}, false});
}

}  // namespace gw::app
