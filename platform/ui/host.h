// The model's one door to the outside world: message boxes, modal windows, the file
// dialog, the mouse pointer, the desktop, the clock.
#pragma once

#include <string>

namespace gw::ui {

class Form;

enum class Buttons { OK, OKCancel, YesNo };
enum class Icon { None, Information, Exclamation };
enum class Answer { OK, Cancel, Yes, No };

struct Message {
  std::string text;
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
  std::string title;  // empty: the program's default title
  bool system_modal = false;
};

// The program's default message-box title.
inline constexpr const char* kDefaultTitle = "Gullyworks";

// Mouse pointers.
constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;

// Properties of the persistent common file dialog.
struct FileDialog {
  bool cancel_error = false;
  std::string file_name;
  std::string filter;  // "Description (*.ext)|*.ext"
  std::string init_dir;
  std::string dialog_title;
  std::string default_ext;
  int flags = 0;  // 4096: the file must exist

  static constexpr int kFileMustExist = 4096;
  // Description of the failure raised when the user cancels with cancel_error set.
  static constexpr const char* kCancelDescription = "Cancel was selected.";
};

class Host {
 public:
  virtual ~Host() = default;

  virtual Answer message(const Message& m) = 0;
  // Shows the window modally and returns when it is unloaded or hidden.
  virtual void show_modal(Form& f) = 0;
  virtual void show_modeless(Form& f) = 0;
  // Called by a window when it is unloaded or hidden (ends a modal show).
  virtual void form_closed(Form& f) { (void)f; }
  // Runs the file dialog: returns false when cancelled (file_name untouched), else
  // sets file_name to the chosen path. `save` selects the save dialog.
  virtual bool file_dialog(FileDialog& d, bool save) = 0;
  virtual void set_mouse_pointer(int pointer) { (void)pointer; }
  // Opens a document or a web address with the desktop; gives whether the desktop could.
  virtual bool open_document(const std::string& target) = 0;
  // Seconds since midnight, local time.
  virtual double clock() = 0;
  // Repaints a window at once (the splash before its wait).
  virtual void repaint(Form& f) { (void)f; }
  // Ends the program after the current handler returns.
  virtual void end_program() = 0;

  // The process's current folder as the file dialog leaves it.
  const std::string& current_folder() const { return current_folder_; }
  void set_current_folder(const std::string& f) { current_folder_ = f; }

  // Convenience for the windows.
  Answer msgbox(const std::string& text, Buttons b = Buttons::OK, Icon i = Icon::None,
                const std::string& title = {}, bool system_modal = false) {
    return message(Message{text, b, i, title, system_modal});
  }

 private:
  std::string current_folder_;
};

// Shows the file dialog with the dialog's properties. On a choice sets FileName and
// leaves the current folder at the chosen file's folder. On cancel: raises the cancel
// failure when cancel_error is set, else leaves FileName unchanged. Returns whether a
// file was chosen.
bool show_open(Host& host, FileDialog& d);
bool show_save(Host& host, FileDialog& d);

}  // namespace gw::ui
