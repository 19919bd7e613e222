// A standard-size picker window: the size table of one shape and unit system, whose picked row
// is written into the pipe design window.
#include "design/pipe_size_picker.h"

#include <string>
#include <vector>

#include "design/frmpipemain.h"

namespace gw::design {

PipeSizePicker::PipeSizePicker(shell::Program& p, const SizePickerLayout& layout)
    : Window(p, std::string(layout.window)), layout_(layout) {}

void PipeSizePicker::build() {
  set_caption(std::string(layout_.caption));
  add(ui::Kind::Label, "lblHeading").set_caption(std::string(layout_.heading));
  for (int i = 0; i < 4; ++i)
    add(ui::Kind::Label, "lblColumn", i).set_caption(std::string(layout_.columns[static_cast<size_t>(i)]));

  std::vector<std::string> rows;
  rows.reserve(layout_.rows.size());
  for (const SizeRow& row : layout_.rows) rows.push_back(size_row_text(row));
  add(ui::Kind::ListBox, std::string(layout_.list)).set_items(std::move(rows));

  Control& select = add(ui::Kind::CommandButton, std::string(layout_.select));
  select.set_caption("Select");
  select.on_click = [this] { select_Click(); };
  Control& cancel = add(ui::Kind::CommandButton, std::string(layout_.cancel));
  cancel.set_caption("Cancel");
  cancel.cancel = true;
  cancel.on_click = [this] { cancel_Click(); };
}

void PipeSizePicker::Form_Load() {
  if (layout_.preselects_first_row) c(layout_.list).set_list_index(0);
}

void PipeSizePicker::select_Click() {
  const std::string row = c(layout_.list).text();
  if (row.empty()) {
    msg("Please Select Pipe Size!", ui::Buttons::OK, ui::Icon::Information);
    return;
  }
  std::vector<std::string> fields = split_size_row(row);
  fields.resize(4);

  frmpipemain::StandardSize size;
  size.span = fields[0];
  size.rise = fields[1];
  if (layout_.writes_area_radius) {
    size.area = fields[2];
    size.hydraulic_radius = fields[3];
  }
  if (!layout_.material.empty()) {
    size.material = std::string(layout_.material);
    size.manning_n = std::string(layout_.manning_n);
  }
  prog.form<frmpipemain>().take_standard_size(size);
  unload();
}

void PipeSizePicker::cancel_Click() { unload(); }

void register_size_pickers(shell::Program& prog) {
  shell::Program* p = &prog;
  for (const SizePickerLayout& layout : size_pickers()) {
    const SizePickerLayout* s = &layout;
    prog.forms.register_form(std::string(layout.window),
                             [p, s](ui::Forms&) { return std::make_unique<PipeSizePicker>(*p, *s); });
  }
}

}  // namespace gw::design
