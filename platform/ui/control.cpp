// Window control properties and events.
#include "platform/ui/control.h"

#include <algorithm>
#include <cstdio>

#include "platform/text/packed_texts.h"
#include "platform/ui/form.h"

namespace gw::ui {

std::string color_text(std::uint32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%X", c);
  return buf;
}

namespace {

const Control::ItemList& no_items() {
  static const Control::ItemList empty = std::make_shared<const std::vector<std::string>>();
  return empty;
}

}  // namespace

Control::Control(Form& form, Kind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), items_(no_items()) {
  if (kind == Kind::Label || kind == Kind::Frame || kind == Kind::Image || kind == Kind::MenuItem ||
      kind == Kind::StatusBar || kind == Kind::Toolbar || kind == Kind::DataControl)
    tab_stop = false;
  if (kind == Kind::CommandButton || kind == Kind::Frame || kind == Kind::Label || kind == Kind::CheckBox ||
      kind == Kind::OptionButton)
    back_color_ = kButtonFaceColor;
}

Control::~Control() {
  // Copy: a watcher may unregister another.
  const auto watchers = std::move(end_watchers_);
  for (const auto& [id, w] : watchers) w();
}

std::string Control::key() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Control::notify(Prop p) {
  // Copy: an observer may unregister itself.
  auto obs = observers_;
  for (auto& [id, o] : obs) o(*this, p);
}

int Control::observe(Observer o) {
  int id = next_observer_++;
  observers_.emplace_back(id, std::move(o));
  return id;
}

void Control::unobserve(int id) {
  observers_.erase(
      std::remove_if(observers_.begin(), observers_.end(), [id](auto& e) { return e.first == id; }),
      observers_.end());
}

int Control::watch_end(std::function<void()> w) {
  int id = next_observer_++;
  end_watchers_.emplace_back(id, std::move(w));
  return id;
}

void Control::unwatch_end(int id) {
  end_watchers_.erase(
      std::remove_if(end_watchers_.begin(), end_watchers_.end(), [id](auto& e) { return e.first == id; }),
      end_watchers_.end());
}

bool Control::accepts_entry(const std::string& t) const {
  if (number_entry == NumberEntry::none) return true;
  int points = 0;
  for (char ch : t) {
    if (ch >= '0' && ch <= '9') continue;
    if (ch == '.' && ++points == 1) continue;
    if (ch == '-' && number_entry == NumberEntry::signed_number) continue;
    return false;
  }
  return true;
}

bool Control::enter_text(const std::string& t) {
  if (!accepts_entry(t)) return false;
  set_text(t);
  return true;
}

void Control::set_text(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  sel_start_ = std::min<int>(sel_start_, static_cast<int>(text_.size()));
  sel_length_ = 0;
  if (kind_ == Kind::ComboBox || kind_ == Kind::DataCombo || kind_ == Kind::ListBox) {
    int i = find_item(t);
    if (kind_ == Kind::ListBox || i >= 0)
      list_index_ = i;
    else
      list_index_ = -1;
  }
  notify(Prop::Text);
  if (kind_ == Kind::TextBox || kind_ == Kind::ComboBox || kind_ == Kind::DataCombo) raise_change();
}

void Control::set_enabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  notify(Prop::Enabled);
}

void Control::set_visible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  notify(Prop::Visible);
}

void Control::set_locked(bool v) {
  if (v == locked_) return;
  locked_ = v;
  notify(Prop::Locked);
}

void Control::set_back_color(std::uint32_t c) {
  if (c == back_color_) return;
  back_color_ = c;
  notify(Prop::BackColor);
}

void Control::set_value(int v) {
  if (v == value_) return;
  value_ = v;
  if (kind_ == Kind::OptionButton && v != 0) {
    for (Control* other : form_.controls()) {
      if (other != this && other->kind_ == Kind::OptionButton && other->container == container &&
          other->value_ != 0) {
        other->value_ = 0;
        other->notify(Prop::Value);
      }
    }
  }
  notify(Prop::Value);
  if (kind_ == Kind::CheckBox || (kind_ == Kind::OptionButton && v != 0)) click();
}

void Control::clear_items() {
  items_ = no_items();
  list_index_ = -1;
  if (kind_ == Kind::ListBox) text_.clear();
  notify(Prop::Items);
}

void Control::set_items(std::vector<std::string> items) {
  set_items(std::make_shared<const std::vector<std::string>>(std::move(items)));
}

void Control::set_items(ItemList items) {
  items_ = items ? std::move(items) : no_items();
  list_index_ = find_item(text_);
  notify(Prop::Items);
}

int Control::find_item(const std::string& item) const {
  const std::vector<std::string>& list = *items_;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) return static_cast<int>(i);
  return -1;
}

void Control::set_list_index(int i) {
  if (i < -1 || i >= list_count()) i = -1;
  if (i == list_index_) return;
  list_index_ = i;
  std::string t = i >= 0 ? (*items_)[static_cast<size_t>(i)] : std::string();
  bool text_changed = t != text_;
  text_ = t;
  notify(Prop::ListIndex);
  if (text_changed) {
    notify(Prop::Text);
    // A data-bound combo reports the new text as a change; a plain combo as a click.
    if (kind_ == Kind::DataCombo) raise_change();
  }
  click();
}

void Control::set_selection(int start, int length) {
  int n = static_cast<int>(text_.size());
  start = std::clamp(start, 0, n);
  length = std::clamp(length, 0, n - start);
  sel_start_ = start;
  sel_length_ = length;
  notify(Prop::Selection);
}

std::string Control::sel_text() const {
  return text_.substr(static_cast<size_t>(sel_start_), static_cast<size_t>(sel_length_));
}

void Control::replace_selection(const std::string& s) {
  std::string t = text_;
  std::string ins = s;
  if (max_length > 0) {
    int room = max_length - (static_cast<int>(t.size()) - sel_length_);
    if (room < static_cast<int>(ins.size())) {
      // Cut between characters, never inside one: a UTF-8 continuation byte starts none.
      size_t cut = static_cast<size_t>(std::max(room, 0));
      while (cut > 0 && (static_cast<unsigned char>(ins[cut]) & 0xC0) == 0x80) --cut;
      ins = ins.substr(0, cut);
    }
  }
  t.replace(static_cast<size_t>(sel_start_), static_cast<size_t>(sel_length_), ins);
  int caret = sel_start_ + static_cast<int>(ins.size());
  set_text(t);
  sel_start_ = std::min<int>(caret, static_cast<int>(text_.size()));
  sel_length_ = 0;
  notify(Prop::Selection);
}

void Control::set_rows(int r) {
  r = std::max(r, 0);
  cells_.resize(static_cast<size_t>(r), text::packed::empty(cols_));
  if (row_ >= r) row_ = std::max(r - 1, 0);
  notify(Prop::Cells);
}

void Control::set_cols(int c) {
  c = std::max(c, 0);
  if (c != cols_)
    for (auto& row : cells_) row = text::packed::resized(row, cols_, c);
  cols_ = c;
  notify(Prop::Cells);
}

std::string_view Control::cell(int r, int c) const {
  if (r < 0 || c < 0 || r >= rows() || c >= cols_) return {};
  return text::packed::field(cells_[static_cast<size_t>(r)], c);
}

void Control::set_cell(int r, int c, const std::string& v) {
  if (r < 0 || c < 0 || r >= rows() || c >= cols_) return;
  std::string& row = cells_[static_cast<size_t>(r)];
  row = text::packed::with_field(row, cols_, c, v);
  notify(Prop::Cells);
}

void Control::set_grid(std::vector<std::vector<std::string>> cells) {
  for (const auto& row : cells) cols_ = std::max<int>(cols_, static_cast<int>(row.size()));
  std::vector<std::string> packed;
  packed.reserve(cells.size());
  for (auto& row : cells) {
    packed.push_back(text::packed::pack(row, cols_));
    std::vector<std::string>().swap(row);  // each row's texts go as soon as they are packed
  }
  cells_ = std::move(packed);
  if (row_ >= rows()) row_ = std::max(rows() - 1, 0);
  notify(Prop::Cells);
}

void Control::release_contents() {
  std::vector<std::string>().swap(cells_);
  row_ = 0;
  items_ = no_items();
  list_index_ = -1;
}

void Control::set_row(int r) {
  if (r == row_) return;
  row_ = r;
  notify(Prop::Selection);
  if (on_row_change) on_row_change();
}

void Control::set_col(int c) {
  if (c == col_) return;
  col_ = c;
  notify(Prop::Selection);
  if (on_row_change) on_row_change();
}

const std::string& Control::panel(int i) const {
  static const std::string empty;
  if (i < 1 || i > panel_count()) return empty;
  return panels_[static_cast<size_t>(i - 1)];
}

void Control::set_panel(int i, const std::string& t) {
  if (i < 1) return;
  if (i > panel_count()) panels_.resize(static_cast<size_t>(i));
  panels_[static_cast<size_t>(i - 1)] = t;
  notify(Prop::Panels);
}

void Control::set_panel_count(int n) {
  panels_.resize(static_cast<size_t>(std::max(n, 0)));
  notify(Prop::Panels);
}

void Control::set_buttons(std::vector<ToolButton> b) {
  buttons_ = std::move(b);
  notify(Prop::Buttons);
}

void Control::set_button_pressed(int i, bool pressed) {
  if (i < 1 || i > static_cast<int>(buttons_.size())) return;
  ToolButton& b = buttons_[static_cast<size_t>(i - 1)];
  if (b.pressed == pressed) return;
  b.pressed = pressed;
  notify(Prop::Buttons);
}

void Control::click_button(int i) {
  if (on_button_click) on_button_click(i);
}

void Control::set_tabs(std::vector<std::string> t) {
  tabs_ = std::move(t);
  notify(Prop::Tabs);
}

void Control::set_tab(int t) {
  if (t == tab_) return;
  tab_ = t;
  notify(Prop::Tabs);
  click();
}

void Control::click() {
  if (on_click) on_click();
}

void Control::dblclick() {
  if (on_dblclick) on_dblclick();
}

void Control::raise_change() {
  if (on_change) on_change();
}

}  // namespace gw::ui
