#pragma once
// A table model over one of the entry lists: rows are read from the database
// as the view asks for them (fetchMore), so a list of any length opens at once
// and every row can be reached.
#include <QAbstractTableModel>
#include <memory>

#include "core/entry/entry_lists.h"

namespace torvex::gui::entry {

class LazyListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit LazyListModel(std::unique_ptr<core::entry::EntryList> list, QObject* parent = nullptr);

  // Runs the list's query again with a filter and shows its first rows.
  void setFilter(const core::entry::ListFilter& filter);
  // Whether every row has been read (then rowCount() is the whole list).
  bool complete() const { return complete_; }
  // Reads rows until `row` is loaded or the list ends.
  void fetchUpTo(int row);
  const std::vector<std::string>& keyOf(int row) const { return list_->keyOf(static_cast<std::size_t>(row)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

  static constexpr int kBatch = 256;

 private:
  std::unique_ptr<core::entry::EntryList> list_;
  std::vector<std::vector<QString>> rows_;
  bool complete_ = true;
};

}  // namespace torvex::gui::entry
