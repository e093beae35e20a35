#pragma once
// One row of a declaration table (or of its work copy) held as text, with its
// fields reached through handles resolved once, so the rules read a field by
// position instead of searching its name for every link of a large file.
#include <string>
#include <string_view>
#include <vector>

#include "core/store/database.h"

namespace torvex::core::consistency {

// The three record kinds; the work copies have the same fields in the same order.
enum class RecordKind { Responsible, Establishment, Link };

// A field of one record kind, resolved to its column position.
class Field {
 public:
  Field(RecordKind kind, std::string_view name);
  int index() const { return index_; }
  RecordKind kind() const { return kind_; }

 private:
  RecordKind kind_;
  int index_;
};

// The declaration table that defines a record kind's fields.
const store::TableDef& recordDefinition(RecordKind kind);
// "SELECT <every field in table order> FROM <table>": the columns a Record reads.
std::string selectAllFields(RecordKind kind, std::string_view table);

class Record {
 public:
  explicit Record(RecordKind kind);
  RecordKind kind() const { return kind_; }
  // Reads the current row of a statement built with selectAllFields().
  void load(const store::Statement& row);
  void clear();
  const std::string& operator[](const Field& f) const { return values_[static_cast<std::size_t>(f.index())]; }
  // By name, for the few places outside the hot path.
  const std::string& get(std::string_view name) const;
  void set(std::string_view name, std::string value);

 private:
  RecordKind kind_;
  std::vector<std::string> values_;
};

}  // namespace torvex::core::consistency
