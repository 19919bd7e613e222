// A list control's items as a Qt list model.
#include "app/item_list_model.h"

namespace gw::app {

ItemListModel::ItemListModel(ui::Control::ItemList items, QObject* parent)
    : QAbstractListModel(parent), items_(std::move(items)) {}

int ItemListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !items_) return 0;
  return static_cast<int>(items_->size());
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !items_ || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return QString::fromStdString((*items_)[static_cast<std::size_t>(index.row())]);
}

}  // namespace gw::app
