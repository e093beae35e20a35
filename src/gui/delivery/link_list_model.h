#pragma once
// The links of the rectification's current establishment as a list model: the
// lines and ticks are read from the selection as the view paints them, so an
// establishment of any size is listed at once.
#include <QAbstractListModel>

#include "core/delivery/rectification_selection.h"

namespace torvex::gui::delivery {

class LinkListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  explicit LinkListModel(const core::delivery::RectificationSelection& selection, QObject* parent = nullptr);

  // The selection listed another establishment (or none).
  void relist();
  // The ticks changed: one line, or every line.
  void tickChanged(int row);
  void allTicksChanged();

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // Not user-checkable: the view would toggle the box a second time on a click on it.
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const core::delivery::RectificationSelection& selection_;
};

}  // namespace torvex::gui::delivery
