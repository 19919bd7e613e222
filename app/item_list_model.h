// A list control's items as a Qt list model, shared by every list of a window that shows them.
#pragma once

#include <QAbstractListModel>

#include "platform/ui/control.h"

namespace gw::app {

// The items a window gave one or more of its lists, read on demand: the texts are kept once,
// by the window, however many lists show them.
class ItemListModel : public QAbstractListModel {
 public:
  ItemListModel(ui::Control::ItemList items, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  const ui::Control::ItemList& items() const { return items_; }

 private:
  ui::Control::ItemList items_;
};

}  // namespace gw::app
