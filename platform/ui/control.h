// Toolkit-independent window control: properties, events and change observers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gw::ui {

class Form;

enum class Kind {
  TextBox,
  Label,
  Frame,
  CommandButton,
  CheckBox,
  OptionButton,
  ComboBox,
  DataCombo,
  ListBox,
  Image,
  PictureBox,
  MenuItem,
  Toolbar,
  TabStrip,
  StatusBar,
  Grid,
  DataControl,
};

// Which property changed, for observers (a view follows the model through these).
enum class Prop {
  Text,
  Enabled,
  Visible,
  Locked,
  BackColor,
  Value,
  Items,
  ListIndex,
  Selection,
  Cells,
  Panels,
  Buttons,
  Tabs,
  Other,
};

// Colours are kept in the classic &HBBGGRR encoding so that the texts the windows
// compare against ("&HFFC0C0", "&H80000005") read back unchanged.
constexpr std::uint32_t kLockedColor = 0xFFC0C0;    // red 192, green 192, blue 255
constexpr std::uint32_t kWindowColor = 0x80000005;  // system window background
constexpr std::uint32_t kButtonFaceColor = 0x8000000F;

std::string color_text(std::uint32_t c);  // "&HFFC0C0"

// What a numeric field takes, however its text comes in: typed, pasted or set from outside.
enum class NumberEntry {
  none,             // any text
  unsigned_number,  // digits and one decimal point
  signed_number,    // the same and minus signs
};

struct ToolButton {
  std::string key;
  std::string tooltip;
  bool enabled = true;
  bool visible = true;
  std::string caption = {};  // the text on the button; empty for a button with a picture only
  std::string picture = {};  // picture file of the program folder, empty for none
  bool separator = false;    // a gap between groups of buttons, not a button
  bool pressed = false;      // drawn pressed: the command it started is in progress
};

class Control {
 public:
  Control(Form& form, Kind kind, std::string name, int index);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  // Tells the watchers of its end that it is gone.
  ~Control();

  Form& form() const { return form_; }
  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // -1 when not part of a control array
  std::string key() const;              // "name" or "name(index)"

  // Text of a text box or combo box, caption of a label, button, frame, check box,
  // option button or menu item. A real change raises Change for text boxes and combos.
  const std::string& text() const { return text_; }
  void set_text(const std::string& t);
  const std::string& caption() const { return text_; }
  void set_caption(const std::string& t) { set_text(t); }

  bool enabled() const { return enabled_; }
  void set_enabled(bool v);
  bool visible() const { return visible_; }
  void set_visible(bool v);
  bool locked() const { return locked_; }
  void set_locked(bool v);
  std::uint32_t back_color() const { return back_color_; }
  void set_back_color(std::uint32_t c);

  // Check box: 0 unchecked, 1 checked, 2 grayed; option button and menu item: 0 / 1.
  // Setting a new value raises Click, as a user's click would; an option button that
  // becomes set clears the other option buttons of its group.
  int value() const { return value_; }
  void set_value(int v);
  bool checked() const { return value_ != 0; }

  // List and combo boxes.
  using ItemList = std::shared_ptr<const std::vector<std::string>>;
  const std::vector<std::string>& items() const { return *items_; }
  void clear_items();
  void set_items(std::vector<std::string> items);
  // Several lists showing the same items keep them once; a view may show them once too.
  void set_items(ItemList items);
  const ItemList& item_list() const { return items_; }
  int list_count() const { return static_cast<int>(items_->size()); }
  int list_index() const { return list_index_; }
  // Selects an item (-1: none). A combo's text becomes the item; raises Click on a
  // real change.
  void set_list_index(int i);
  int find_item(const std::string& item) const;  // exact match, -1 when absent
  int style = 0;  // combo style: 0 drop-down combo (typing allowed), 2 drop-down list

  // Text selection of a text box or combo.
  int sel_start() const { return sel_start_; }
  int sel_length() const { return sel_length_; }
  void set_selection(int start, int length);
  std::string sel_text() const;
  // Replaces the selection by `s`, as typing or pasting does (honours max_length).
  void replace_selection(const std::string& s);
  int max_length = 0;  // 0: no limit; limits typing only, code may write longer texts
  bool multi_line = false;

  // A numeric field takes from outside (a paste, another program setting its text) only a
  // text its key filter would let through as typed: digits, at most one decimal point and,
  // in a signed field, minus signs. The program's own writes are not filtered.
  NumberEntry number_entry = NumberEntry::none;
  bool accepts_entry(const std::string& t) const;
  // A text from outside: taken as set_text takes it when accepts_entry allows it, else
  // refused, as a typed key is, leaving the text as it was. Returns whether it was taken.
  bool enter_text(const std::string& t);

  int tab_index = 0;
  bool tab_stop = true;
  std::string tag;
  std::string container;   // name of the frame or tab page holding the control
  int tab_page = -1;       // tab of the window's tab strip the control lies on, -1 none
  std::string data_field;  // bound column, when bound
  std::string picture;     // image file of an image or picture box
  std::string shortcut;    // menu shortcut text ("Ctrl+X", "F1")
  // Pressed by Esc: the window's Cancel, Close or Exit button, or the menu command that
  // leaves a window without such a button.
  bool cancel = false;
  std::string parent_menu;
  bool separator = false;  // menu separator
  // The text or caption the window gives the control when it is built, before any handler
  // runs: the caption its layout shows.
  std::string designed_text;
  int mouse_pointer = 0;  // 0 default, 11 hourglass

  // Grid (fixed rows and columns included in the counts). Each row's texts are kept packed in
  // one block, so that a grid of many rows holds little more than its texts.
  int rows() const { return static_cast<int>(cells_.size()); }
  int cols() const { return cols_; }
  void set_rows(int r);
  void set_cols(int c);
  // The text of a cell; valid until the grid changes. Empty outside the grid.
  std::string_view cell(int r, int c) const;
  void set_cell(int r, int c, const std::string& v);
  void set_grid(std::vector<std::vector<std::string>> cells);  // replaces all cells at once
  // Frees a grid's cells and a list's items, without telling observers: for a control whose
  // window was unloaded.
  void release_contents();
  int row() const { return row_; }
  int col() const { return col_; }
  void set_row(int r);
  void set_col(int c);
  int fixed_rows = 1;
  int fixed_cols = 0;
  std::vector<int> col_widths;

  // Status bar panels, 1-based as the windows address them.
  const std::string& panel(int i) const;
  void set_panel(int i, const std::string& t);
  int panel_count() const { return static_cast<int>(panels_.size()); }
  void set_panel_count(int n);

  // Toolbar buttons, 1-based.
  std::vector<ToolButton>& buttons() { return buttons_; }
  const std::vector<ToolButton>& buttons() const { return buttons_; }
  void set_buttons(std::vector<ToolButton> b);
  void set_button_pressed(int i, bool pressed);  // 1-based; notifies only a change
  void click_button(int i);

  // Tab strip: tab captions and the current tab (0-based).
  const std::vector<std::string>& tabs() const { return tabs_; }
  void set_tabs(std::vector<std::string> t);
  int tab() const { return tab_; }
  void set_tab(int t);  // raises Click on a real change

  // Events. Handlers are set by the window that owns the control.
  std::function<void()> on_click;
  std::function<void()> on_dblclick;
  std::function<void()> on_change;
  std::function<void()> on_got_focus;
  std::function<void()> on_lost_focus;
  std::function<void(int& key_ascii)> on_key_press;
  std::function<void(int button)> on_button_click;  // toolbar, 1-based button
  std::function<void()> on_row_change;              // grid row or column moved

  // Raisers: run the handler when one is set.
  void click();
  void dblclick();
  void raise_change();

  // Observers follow every property change.
  using Observer = std::function<void(Control&, Prop)>;
  int observe(Observer o);
  void unobserve(int id);

  // A view that may outlive the control (a table view over a grid's cells) learns of its end
  // here: each watcher runs once, as the control is destroyed, and must not touch it then. A
  // watcher that goes first unregisters with the id.
  int watch_end(std::function<void()> w);
  void unwatch_end(int id);

  // Set while a property is written from the view (a widget), so that the model
  // does not echo the change back to the same widget.
  bool from_view = false;

 private:
  void notify(Prop p);

  Form& form_;
  Kind kind_;
  std::string name_;
  int index_;
  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  bool locked_ = false;
  std::uint32_t back_color_ = kWindowColor;
  int value_ = 0;
  ItemList items_;
  int list_index_ = -1;
  int sel_start_ = 0;
  int sel_length_ = 0;
  std::vector<std::string> cells_;  // per row, its texts packed (platform/text/packed_texts.h)
  int cols_ = 0;
  int row_ = 0;
  int col_ = 0;
  std::vector<std::string> panels_;
  std::vector<ToolButton> buttons_;
  std::vector<std::string> tabs_;
  int tab_ = 0;
  std::vector<std::pair<int, Observer>> observers_;
  std::vector<std::pair<int, std::function<void()>>> end_watchers_;
  int next_observer_ = 1;
};

}  // namespace gw::ui
