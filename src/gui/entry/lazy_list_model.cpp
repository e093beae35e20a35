#include "gui/entry/lazy_list_model.h"

namespace torvex::gui::entry {

LazyListModel::LazyListModel(std::unique_ptr<core::entry::EntryList> list, QObject* parent)
    : QAbstractTableModel(parent), list_(std::move(list)) {}

void LazyListModel::setFilter(const core::entry::ListFilter& filter) {
  beginResetModel();
  rows_.clear();
  list_->open(filter);
  complete_ = false;
  endResetModel();
  fetchMore({});
}

void LazyListModel::fetchUpTo(int row) {
  while (!complete_ && static_cast<int>(rows_.size()) <= row) fetchMore({});
}

int LazyListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LazyListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_->columns().size());
}

QVariant LazyListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
}

QVariant LazyListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return QString::fromUtf8(list_->columns()[static_cast<std::size_t>(section)].title);
}

bool LazyListModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !complete_; }

void LazyListModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid() || complete_) return;
  auto batch = list_->next(kBatch);
  if (static_cast<int>(batch.size()) < kBatch) complete_ = true;
  if (batch.empty()) return;
  const int first = static_cast<int>(rows_.size());
  beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
  for (auto& r : batch) {
    std::vector<QString> row;
    row.reserve(r.size());
    for (auto& c : r) row.push_back(QString::fromStdString(c));
    rows_.push_back(std::move(row));
  }
  endInsertRows();
}

}  // namespace torvex::gui::entry
