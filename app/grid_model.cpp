// A grid control's cells as a Qt table model.
#include "app/grid_model.h"

#include <algorithm>
#include <string_view>

namespace gw::app {

namespace {

QString qs(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

}  // namespace

GridModel::GridModel(ui::Control& grid, QObject* parent) : QAbstractTableModel(parent), grid_(&grid) {
  end_watch_ = grid.watch_end([this] { let_go(true); });
}

GridModel::~GridModel() {
  if (grid_) grid_->unwatch_end(end_watch_);
}

int GridModel::fixed_rows() const { return grid_ ? std::clamp(grid_->fixed_rows, 0, grid_->rows()) : 0; }

int GridModel::fixed_cols() const { return grid_ ? std::clamp(grid_->fixed_cols, 0, grid_->cols()) : 0; }

int GridModel::rowCount(const QModelIndex& parent) const {
  if (!grid_ || parent.isValid()) return 0;
  return grid_->rows() - fixed_rows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
  if (!grid_ || parent.isValid()) return 0;
  return grid_->cols() - fixed_cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!grid_ || !index.isValid() || role != Qt::DisplayRole) return {};
  return qs(grid_->cell(index.row() + fixed_rows(), index.column() + fixed_cols()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!grid_ || role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (fixed_rows() == 0) return section + 1;
    return qs(grid_->cell(fixed_rows() - 1, section + fixed_cols()));
  }
  if (fixed_cols() == 0) return section + 1;
  return qs(grid_->cell(section + fixed_rows(), fixed_cols() - 1));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::refresh() {
  beginResetModel();
  endResetModel();
}

void GridModel::detach() { let_go(false); }

void GridModel::let_go(bool grid_ended) {
  if (!grid_) return;
  if (!grid_ended) grid_->unwatch_end(end_watch_);
  beginResetModel();
  grid_ = nullptr;
  endResetModel();
}

}  // namespace gw::app
