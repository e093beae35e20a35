#pragma once
// A table opened as a cursor, for the windows that browse and edit rows one at
// a time: walk the rows in key order, read and write fields by name as text,
// append/edit/post/cancel/delete, keyed search on the primary index.
// Bulk work (analysis, checks, writing) uses prepared statements instead.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/database.h"

namespace torvex::core::store {

class Table {
 public:
  enum class State { Browse, Insert, Edit };

  Table(Database& db, std::string_view name);

  const TableDef& definition() const { return def_; }
  const std::string& name() const { return def_.name; }

  // Orders the rows by a secondary index given by its field names ("SgUf"); empty: primary key.
  void setIndexFields(std::string_view fields);

  // Navigation. The row set is read again by refresh() and after every post or delete.
  void refresh();
  void first();
  void next();
  void prior();
  void last();
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool empty() const { return rowids_.empty(); }
  std::int64_t recordCount() const { return static_cast<std::int64_t>(rowids_.size()); }

  // Field access on the current row (or on the edit buffer while inserting or editing).
  std::string text(std::string_view field) const;
  std::optional<bool> logical(std::string_view field) const;
  void setText(std::string_view field, std::string_view value);
  void setLogical(std::string_view field, std::optional<bool> value);

  void append();  // starts a new row with every text field empty and logical fields unset
  void edit();    // starts editing the current row; on an empty table, appends
  void post();    // writes the buffer (widths checked); EngineError on key violation
  void cancel();
  void remove();  // deletes the current row
  State state() const { return state_; }

  // Keyed search on the primary index, values in key order; leaves the cursor on the row.
  bool findKey(const std::vector<std::string>& keyValues);

 private:
  struct Value {
    std::string text;
    bool isNull = false;
  };
  std::size_t fieldIndex(std::string_view field) const;
  void load();
  void moveTo(std::size_t position);
  void checkWidths() const;

  Database& db_;
  TableDef def_;
  std::string order_;
  std::vector<std::int64_t> rowids_;
  std::size_t pos_ = 0;
  bool eof_ = true;
  bool bof_ = true;
  State state_ = State::Browse;
  std::vector<Value> buffer_;
  std::int64_t editingRowid_ = 0;
};

}  // namespace torvex::core::store
