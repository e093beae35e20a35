#pragma once
// One row of a report data set: column names (shared by every row of a set)
// and their text values, in the order the set gives them.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::core::reports {

using ColumnNames = std::shared_ptr<const std::vector<std::string>>;

class Row {
 public:
  Row() = default;
  Row(ColumnNames names, std::vector<std::string> values) : names_(std::move(names)), values_(std::move(values)) {}
  // A row built from name/value pairs (fixtures, parameters turned into rows).
  static Row of(std::initializer_list<std::pair<std::string, std::string>> pairs);

  std::size_t size() const { return values_.size(); }
  const std::string& name(std::size_t i) const { return (*names_)[i]; }
  const std::string& value(std::size_t i) const { return values_[i]; }
  std::string& value(std::size_t i) { return values_[i]; }
  // Case-insensitive look-up; an absent column reads as empty.
  const std::string& operator[](std::string_view column) const;
  bool has(std::string_view column) const { return index(column) >= 0; }
  int index(std::string_view column) const;
  // Sets an existing column, or appends it (copying the shared names once).
  void set(std::string_view column, std::string value);
  const ColumnNames& names() const { return names_; }

 private:
  ColumnNames names_ = std::make_shared<const std::vector<std::string>>();
  std::vector<std::string> values_;
};

// A forward cursor over the rows of a data set.
class RowCursor {
 public:
  virtual ~RowCursor() = default;
  // Fills `row` with the next row; false when there is none.
  virtual bool next(Row& row) = 0;
};

// The named data sets a report reads. `parent` narrows a detail set to the rows
// of one master row (the links of one establishment, the establishments of one
// file of the protocol).
class DataSets {
 public:
  virtual ~DataSets() = default;
  virtual std::unique_ptr<RowCursor> open(std::string_view name, const Row* parent = nullptr) = 0;
};

// Data sets held in memory: fixtures in tests, and sets made of a handful of
// parameters. A detail set is matched to its parent by the given key columns.
class MemoryDataSets : public DataSets {
 public:
  void add(std::string name, std::vector<Row> rows, std::vector<std::string> parentKey = {});
  std::unique_ptr<RowCursor> open(std::string_view name, const Row* parent = nullptr) override;

 private:
  struct Set {
    std::string name;
    std::vector<Row> rows;
    std::vector<std::string> parentKey;
  };
  std::vector<Set> sets_;
};

}  // namespace torvex::core::reports
