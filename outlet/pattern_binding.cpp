// Control-to-column binding that shows the stored value with a display pattern when attached, its own
// decimals kept.
#include "outlet/pattern_binding.h"

#include "outlet/field_number.h"
#include "platform/ui/form.h"

namespace gw::outlet {

PatternBinding::~PatternBinding() { detach(); }

void PatternBinding::attach(db::Recordset& rs, ui::Control& ctl, const std::string& column,
                            const std::string& pattern) {
  detach();
  rs_ = &rs;
  ctl_ = &ctl;
  column_ = column;
  pattern_ = pattern;
  ctl.data_field = column;
  subscription_ = rs.subscribe([this] {
    const bool has_record = rs_->is_open() && !rs_->bof() && !rs_->eof();
    show(has_record && rs_->has_field(column_) ? rs_->field(column_) : std::string());
  });
  observer_ = ctl.observe([this](ui::Control&, ui::Prop p) {
    if (p == ui::Prop::Text && !showing_) write_back();
  });
  // The window's unload discards its controls: let go of this one then.
  form_ = &ctl.form();
  form_observer_ = form_->observe([this](ui::Form&, ui::Form::Event e) {
    if (e != ui::Form::Event::Unloaded || !ctl_) return;
    ctl_->unobserve(observer_);
    ctl_ = nullptr;
  });
  if (rs.is_open() && !rs.bof() && !rs.eof() && rs.has_field(column))
    show(format_keeping_decimals(rs.field(column), pattern));
}

void PatternBinding::detach() {
  if (ctl_) ctl_->unobserve(observer_);
  if (form_) form_->unobserve(form_observer_);
  if (rs_ && subscription_) rs_->unsubscribe(subscription_);
  rs_ = nullptr;
  ctl_ = nullptr;
  form_ = nullptr;
  subscription_ = observer_ = form_observer_ = 0;
}

void PatternBinding::restore(const std::string& stored) {
  if (!rs_ || !rs_->is_open() || rs_->bof() || rs_->eof() || !rs_->has_field(column_)) return;
  rs_->set_field(column_, db::Value(stored));
  show(format_keeping_decimals(stored, pattern_));
}

void PatternBinding::redisplay() {
  if (!rs_ || !rs_->is_open() || rs_->bof() || rs_->eof() || !rs_->has_field(column_)) return;
  show(format_keeping_decimals(rs_->field(column_), pattern_));
}

void PatternBinding::show(const std::string& text) {
  if (!ctl_) return;
  showing_ = true;
  ctl_->set_text(text);
  showing_ = false;
}

void PatternBinding::write_back() {
  if (!rs_ || !ctl_ || !rs_->is_open() || rs_->bof() || rs_->eof() || !rs_->has_field(column_)) return;
  rs_->set_field(column_, db::Value(ctl_->text()));
}

}  // namespace gw::outlet
