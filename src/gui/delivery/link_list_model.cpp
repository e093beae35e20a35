#include "gui/delivery/link_list_model.h"

namespace torvex::gui::delivery {

LinkListModel::LinkListModel(const core::delivery::RectificationSelection& selection, QObject* parent)
    : QAbstractListModel(parent), selection_(selection) {}

void LinkListModel::relist() {
  beginResetModel();
  endResetModel();
}

void LinkListModel::tickChanged(int row) {
  const QModelIndex at = index(row);
  emit dataChanged(at, at, {Qt::CheckStateRole});
}

void LinkListModel::allTicksChanged() {
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

int LinkListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(selection_.links().size());
}

QVariant LinkListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (role == Qt::DisplayRole) return QString::fromStdString(selection_.links()[row].text);
  if (role == Qt::CheckStateRole) return selection_.linkTicked(row) ? Qt::Checked : Qt::Unchecked;
  return {};
}

Qt::ItemFlags LinkListModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace torvex::gui::delivery
