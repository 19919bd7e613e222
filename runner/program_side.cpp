// The program's side of a transcript: message boxes, file dialogs, modal windows and the
// desktop, each matched against the line the transcript expects next.
#include "runner/interpreter.h"

#include <filesystem>

#include "runner/args.h"

namespace gw::runner {

namespace {

const char* icon_word(ui::Icon i) {
  switch (i) {
    case ui::Icon::Information:
      return "info";
    case ui::Icon::Exclamation:
      return "exclamation";
    case ui::Icon::None:
      return "none";
  }
  return "?";
}

const char* buttons_text(ui::Buttons b) {
  switch (b) {
    case ui::Buttons::OK:
      return "OK";
    case ui::Buttons::OKCancel:
      return "OK/Cancel";
    case ui::Buttons::YesNo:
      return "Yes/No";
  }
  return "?";
}

std::string describe(const ui::Message& m) {
  return std::string("the program showed message ") + quote(m.text) + " " + icon_word(m.icon) + " title " +
         quote(m.title) + " [" + buttons_text(m.buttons) + "]";
}

std::string describe(const ui::FileDialog& d, bool save) {
  return std::string("the program showed the ") + (save ? "save" : "open") + " dialog title " +
         quote(d.dialog_title) + " filter " + quote(d.filter) + " dir " + quote(d.init_dir);
}

std::string effective_title(const std::string& t) { return t.empty() ? ui::kDefaultTitle : t; }

bool offers(ui::Buttons b, ui::Answer a) {
  switch (b) {
    case ui::Buttons::OK:
      return a == ui::Answer::OK;
    case ui::Buttons::OKCancel:
      return a == ui::Answer::OK || a == ui::Answer::Cancel;
    case ui::Buttons::YesNo:
      return a == ui::Answer::Yes || a == ui::Answer::No;
  }
  return false;
}

}  // namespace

ui::Answer Interpreter::program_message(const ui::Message& m) {
  check_no_pending();
  const Line* line = peek();
  if (!line || line->command() != "message") fail_unexpected(describe(m));
  ++pos_;
  Args a(*this, *line);
  const Word& text = a.word("the message text");
  bool any_text = !text.quoted && text.text == "*";
  std::optional<ui::Icon> icon;
  std::optional<std::string> title;
  ui::Answer answer = ui::Answer::OK;
  bool answered = false;
  while (!a.empty()) {
    if (a.take("info"))
      icon = ui::Icon::Information;
    else if (a.take("exclamation"))
      icon = ui::Icon::Exclamation;
    else if (a.take("none"))
      icon = ui::Icon::None;
    else if (a.take("title"))
      title = a.text("the title");
    else if (a.take("->")) {
      if (answered) a.malformed("a second answer");
      std::string w = a.bare("the answer");
      answered = true;
      if (w == "ok")
        answer = ui::Answer::OK;
      else if (w == "yes")
        answer = ui::Answer::Yes;
      else if (w == "no")
        answer = ui::Answer::No;
      else if (w == "cancel")
        answer = ui::Answer::Cancel;
      else
        a.malformed("the answer is ok, yes, no or cancel, not " + w);
    } else {
      a.done();
    }
  }
  bool matches = (any_text || text.text == m.text) && (!icon || *icon == m.icon) &&
                 (!title || effective_title(*title) == effective_title(m.title));
  if (!matches) fail(*line, describe(m));
  if (!offers(m.buttons, answer))
    fail(*line, "the box offers " + std::string(buttons_text(m.buttons)) + " only");
  return answer;
}

bool Interpreter::program_file_dialog(ui::FileDialog& d, bool save) {
  check_no_pending();
  const char* kind = save ? "save" : "open";
  const Line* line = peek();
  // A dialog line of the other kind is the line the dialog does not match.
  if (line && (line->command() == "save" || line->command() == "open") && line->command() != kind)
    fail(*line, describe(d, save));
  if (!line || line->command() != kind) fail_unexpected(describe(d, save));
  ++pos_;
  Args a(*this, *line);
  const Word& choice = a.word("the chosen path or cancel");
  bool cancel = !choice.quoted && choice.text == "cancel";
  while (!a.empty()) {
    if (a.take("title")) {
      if (a.text("the title") != d.dialog_title) fail(*line, describe(d, save));
    } else if (a.take("filter")) {
      if (a.text("the filter") != d.filter) fail(*line, describe(d, save));
    } else if (a.take("dir")) {
      if (a.text("the folder") != d.init_dir) fail(*line, describe(d, save));
    } else {
      a.done();
    }
  }
  if (cancel) return false;
  if (!save && (d.flags & ui::FileDialog::kFileMustExist) != 0) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(choice.text, ec))
      fail(*line, "the open dialog takes existing files only, and " + quote(choice.text) + " does not exist");
  }
  d.file_name = choice.text;
  return true;
}

bool Interpreter::program_open_document(const std::string& target) {
  check_no_pending();
  const Line* line = peek();
  std::string what = "the program opened " + quote(target) + " with the desktop";
  if (!line || line->command() != "document") fail_unexpected(what);
  ++pos_;
  Args a(*this, *line);
  const Word& w = a.word("the document");
  bool opens = true;
  if (a.take("->")) {
    std::string answer = a.bare("the desktop's answer");
    if (answer != "fail") a.malformed("the desktop's answer is fail, not " + answer);
    opens = false;
  }
  a.done();
  if (!(!w.quoted && w.text == "*") && w.text != target) fail(*line, what);
  return opens;
}

void Interpreter::program_show_modal(ui::Form& f) {
  Block* block = nullptr;
  if (pending_) {
    if (pending_->block->window != f.name()) fail_pending();
    // The window closed and is shown again: the same block goes on.
    block = pending_->block;
    pending_.reset();
  } else if (!frames_.empty() && frames_.back()->closed && !frames_.back()->block->ended &&
             frames_.back()->block->window == f.name()) {
    // A handler of the window closed it and shows it again before returning.
    block = frames_.back()->block;
  } else {
    std::string what = "the program showed window " + f.name() + " modally";
    const Line* line = peek();
    if (!line || line->command() != "modal") fail_unexpected(what);
    ++pos_;
    Args a(*this, *line);
    Ref w = a.window("the window");
    a.done();
    if (w.window != f.name()) fail(*line, what);
    blocks_.push_back(Block{f.name(), line->number, false});
    block = &blocks_.back();
  }
  note_shown(f);
  f.host_set_visible(true, true);
  run_modal(f, *block);
}

void Interpreter::program_show_modeless(ui::Form& f) {
  check_no_pending();
  note_shown(f);
  f.host_set_visible(true, false);
}

void Interpreter::program_form_closed(ui::Form& f) {
  for (Frame* fr : frames_)
    if (fr->form == &f) fr->closed = true;
}

void Interpreter::program_end() { ended_ = true; }

}  // namespace gw::runner
