// Control-to-column binding.
#include "platform/binding/binding.h"

#include "platform/ui/form.h"

namespace gw::ui {

Binding::~Binding() { detach(); }

void Binding::attach(db::Recordset& rs) {
  detach();
  rs_ = &rs;
  subscription_ = rs.subscribe([this] { refill(); });
}

void Binding::detach() {
  for (auto& b : bound_) b.ctl->unobserve(b.observer);
  bound_.clear();
  if (form_) form_->unobserve(form_observer_);
  form_ = nullptr;
  form_observer_ = 0;
  if (rs_ && subscription_) rs_->unsubscribe(subscription_);
  rs_ = nullptr;
  subscription_ = 0;
}

void Binding::bind(Control& ctl, const std::string& column) {
  if (!form_) {
    // The window's unload discards its controls: the binding lets go of them then.
    form_ = &ctl.form();
    form_observer_ = form_->observe([this](Form&, Form::Event e) {
      if (e != Form::Event::Unloaded) return;
      for (auto& b : bound_) b.ctl->unobserve(b.observer);
      bound_.clear();
    });
  }
  ctl.data_field = column;
  Bound b{&ctl, column, 0};
  size_t at = bound_.size();
  b.observer = ctl.observe([this, at](Control&, Prop p) {
    if (refilling_ || at >= bound_.size()) return;
    if (p == Prop::Text || p == Prop::Value) write_back(bound_[at]);
  });
  bound_.push_back(b);
  if (has_record()) {
    refilling_ = true;
    fill(bound_.back());
    refilling_ = false;
  }
}

void Binding::write_back(Bound& b) {
  if (!has_record() || !rs_->has_field(b.column)) return;
  std::string v = b.ctl->kind() == Kind::CheckBox ? std::to_string(b.ctl->value()) : b.ctl->text();
  // The recordset ignores a write of the value a field already holds.
  rs_->set_field(b.column, db::Value(v));
}

bool Binding::has_record() const { return rs_ && rs_->is_open() && !rs_->bof() && !rs_->eof(); }

void Binding::fill(Bound& b) {
  std::string v = has_record() && rs_->has_field(b.column) ? rs_->field(b.column) : std::string();
  if (b.ctl->kind() == Kind::CheckBox)
    b.ctl->set_value(v == "1" || v == "-1" ? 1 : 0);
  else
    b.ctl->set_text(v);
}

void Binding::refill() {
  if (!rs_) return;
  refilling_ = true;
  for (auto& b : bound_) fill(b);
  refilling_ = false;
}

}  // namespace gw::ui
