// A grid control's cells as a Qt table model: the view reads the texts the window holds.
#pragma once

#include <QAbstractTableModel>

#include "platform/ui/control.h"

namespace gw::app {

// The rows below the grid's fixed rows and the columns right of its fixed columns, read from
// the control on demand; the last fixed row gives the column headings and the last fixed
// column the row headings. Nothing is copied: the view asks for the cells it paints. The
// model watches the grid's end: once the control is gone (or detached) it shows nothing and
// never reads the control again, however long its view stays.
class GridModel : public QAbstractTableModel {
 public:
  GridModel(ui::Control& grid, QObject* parent);
  ~GridModel() override;
  GridModel(const GridModel&) = delete;
  GridModel& operator=(const GridModel&) = delete;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The control's cells changed: the view reads them afresh.
  void refresh();
  // The control goes away: the model shows nothing from now on.
  void detach();
  // Whether the model still shows a grid.
  bool attached() const { return grid_ != nullptr; }

 private:
  int fixed_rows() const;
  int fixed_cols() const;
  // Resets the view to nothing; `grid_ended`: the control is being destroyed.
  void let_go(bool grid_ended);

  ui::Control* grid_;  // null once the grid has ended or been detached
  int end_watch_ = 0;
};

}  // namespace gw::app
