#include "core/reports/row.h"

#include <array>
#include <cctype>
#include <unordered_map>

#include "core/store/table_def.h"

namespace torvex::core::reports {
namespace {

const std::string kEmpty;

// A report reads a hundred columns of every row by name, and the rows of one
// data set share one list of names: the few lists in use get a hash map, kept
// here with the list itself so that its address cannot stand for another list.
struct FoldedHash {
  std::size_t operator()(std::string_view s) const {
    std::size_t h = 14695981039346656037ull;
    for (const char c : s) h = (h ^ static_cast<std::size_t>(std::tolower(static_cast<unsigned char>(c)))) * 1099511628211ull;
    return h;
  }
};
struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const { return store::equalsIgnoreCase(a, b); }
};
struct NameIndex {
  ColumnNames names;
  std::unordered_map<std::string_view, int, FoldedHash, FoldedEqual> at;
};

const NameIndex& indexOf(const ColumnNames& names) {
  thread_local std::array<NameIndex, 4> recent;
  thread_local std::size_t replace = 0;
  for (const auto& r : recent)
    if (r.names == names) return r;
  NameIndex& r = recent[replace++ % recent.size()];
  r.names = names;
  r.at.clear();
  for (std::size_t i = 0; i < names->size(); ++i) r.at.emplace((*names)[i], static_cast<int>(i));  // the first wins
  return r;
}

class VectorCursor : public RowCursor {
 public:
  VectorCursor(const std::vector<Row>& rows, std::vector<std::string> key, const Row* parent)
      : rows_(rows), key_(std::move(key)), parent_(parent) {}
  bool next(Row& row) override {
    while (at_ < rows_.size()) {
      const Row& r = rows_[at_++];
      if (matches(r)) {
        row = r;
        return true;
      }
    }
    return false;
  }

 private:
  bool matches(const Row& r) const {
    if (!parent_) return true;
    for (const auto& k : key_)
      if (r[k] != (*parent_)[k]) return false;
    return true;
  }
  const std::vector<Row>& rows_;
  std::vector<std::string> key_;
  const Row* parent_;
  std::size_t at_ = 0;
};

}  // namespace

Row Row::of(std::initializer_list<std::pair<std::string, std::string>> pairs) {
  auto names = std::make_shared<std::vector<std::string>>();
  std::vector<std::string> values;
  for (const auto& [n, v] : pairs) {
    names->push_back(n);
    values.push_back(v);
  }
  return Row(std::move(names), std::move(values));
}

int Row::index(std::string_view column) const {
  if (names_->size() <= 16) {
    for (std::size_t i = 0; i < names_->size(); ++i)
      if (store::equalsIgnoreCase((*names_)[i], column)) return static_cast<int>(i);
    return -1;
  }
  const auto& at = indexOf(names_).at;
  const auto it = at.find(column);
  return it == at.end() ? -1 : it->second;
}

const std::string& Row::operator[](std::string_view column) const {
  const int i = index(column);
  return i < 0 ? kEmpty : values_[static_cast<std::size_t>(i)];
}

void Row::set(std::string_view column, std::string value) {
  const int i = index(column);
  if (i >= 0) {
    values_[static_cast<std::size_t>(i)] = std::move(value);
    return;
  }
  auto names = std::make_shared<std::vector<std::string>>(*names_);
  names->emplace_back(column);
  names_ = std::move(names);
  values_.push_back(std::move(value));
}

void MemoryDataSets::add(std::string name, std::vector<Row> rows, std::vector<std::string> parentKey) {
  sets_.push_back({std::move(name), std::move(rows), std::move(parentKey)});
}

std::unique_ptr<RowCursor> MemoryDataSets::open(std::string_view name, const Row* parent) {
  static const std::vector<Row> none;
  for (const auto& s : sets_)
    if (store::equalsIgnoreCase(s.name, name)) return std::make_unique<VectorCursor>(s.rows, s.parentKey, parent);
  return std::make_unique<VectorCursor>(none, std::vector<std::string>{}, nullptr);
}

}  // namespace torvex::core::reports
