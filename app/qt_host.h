// The Qt implementation of the model's Host: dialogs, modal windows, pointer, desktop, clock.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QUrl>

#include "app/view_host.h"
#include "platform/ui/form.h"

class QEventLoop;
class QWidget;

namespace gw::app {

class FormView;

class QtHost : public ViewHost {
 public:
  explicit QtHost(std::string program_folder);
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  const std::string& program_folder() const override { return program_folder_; }

  // Interactive: real dialogs and modal loops. Not interactive (pictures of the
  // windows): message boxes are answered with their safe answer (OK, Cancel, No) and
  // written to the error stream, file dialogs are cancelled, a modal show returns at once.
  void set_interactive(bool v) { interactive_ = v; }
  // Whether the application quits when the last window closes (off for tests).
  void set_quit_when_no_window(bool v) { quit_when_no_window_ = v; }

  ui::Answer message(const ui::Message& m) override;
  void show_modal(ui::Form& f) override;
  void show_modeless(ui::Form& f) override;
  void form_closed(ui::Form& f) override;
  bool file_dialog(ui::FileDialog& d, bool save) override;
  void set_mouse_pointer(int pointer) override;
  bool open_document(const std::string& target) override;
  double clock() override;
  void repaint(ui::Form& f) override;
  void end_program() override;

  bool ending() const { return ending_; }

  // The help document's path with the section of the window the engineer works in
  // appended ("...#tc"); any other target as it is.
  std::string help_target(const std::string& target) const;
  // The address the desktop opens for a target: a web address as it stands, a local file as
  // the file address of its whole path; the guide's section after "#" as the fragment.
  static QUrl desktop_url(const std::string& target);

  // The view of a window: made from its layout and bound on first use (the window is
  // loaded first). Not shown.
  FormView& view(ui::Form& f);
  FormView* find_view(const ui::Form& f) const;
  std::vector<FormView*> views() const;
  // Whether a window of the program is on the screen.
  bool any_window_visible() const;
  // Drops every view; called before the program model goes away.
  void close_views();
  void forget(FormView& v) override;
  void window_gone() override;

  void user_action(const std::function<void()>& call) override;
  void show_failure(const std::exception& e);

 private:
  struct ModalLoop {
    ui::Form* form = nullptr;
    QEventLoop* loop = nullptr;
    bool closed = false;
  };

  class PointerPause;

  void present(FormView& v, bool modal);
  QWidget* dialog_parent() const;
  void update_cursor();

  std::string program_folder_;
  bool interactive_ = true;
  bool quit_when_no_window_ = true;
  bool ending_ = false;
  bool hourglass_ = false;
  bool cursor_overridden_ = false;
  int pointer_paused_ = 0;
  std::map<const ui::Form*, FormView*> views_;
  std::vector<QPointer<FormView>> retired_;
  std::vector<ModalLoop*> loops_;
  std::unique_ptr<QObject> context_;  // receiver of the host's deferred checks
};

}  // namespace gw::app
