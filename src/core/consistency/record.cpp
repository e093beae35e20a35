#include "core/consistency/record.h"

#include <stdexcept>

namespace torvex::core::consistency {
namespace {

const char* tableOf(RecordKind kind) {
  switch (kind) {
    case RecordKind::Responsible: return store::table::kResponsible;
    case RecordKind::Establishment: return store::table::kEstablishments;
    case RecordKind::Link: return store::table::kLinks;
  }
  return store::table::kLinks;
}

int fieldIndex(RecordKind kind, std::string_view name) {
  const auto& fields = recordDefinition(kind).fields;
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (store::equalsIgnoreCase(fields[i].name, name)) return static_cast<int>(i);
  throw std::logic_error("unknown field " + std::string(name));
}

}  // namespace

const store::TableDef& recordDefinition(RecordKind kind) { return *store::findTableDef(tableOf(kind)); }

Field::Field(RecordKind kind, std::string_view name) : kind_(kind), index_(fieldIndex(kind, name)) {}

std::string selectAllFields(RecordKind kind, std::string_view table) {
  std::string sql = "SELECT ";
  bool first = true;
  for (const auto& f : recordDefinition(kind).fields) {
    if (!first) sql += ", ";
    first = false;
    sql += store::quoteIdentifier(f.name);
  }
  return sql + " FROM " + store::quoteIdentifier(table);
}

Record::Record(RecordKind kind) : kind_(kind), values_(recordDefinition(kind).fields.size()) {}

void Record::load(const store::Statement& row) {
  // Assigning in place keeps each field's buffer from row to row.
  sqlite3_stmt* h = row.handle();
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const int col = static_cast<int>(i);
    // Read with its length: a NUL inside a value is a character like any other.
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(h, col));
    if (p)
      values_[i].assign(p, static_cast<std::size_t>(sqlite3_column_bytes(h, col)));
    else
      values_[i].clear();
  }
}

void Record::clear() {
  for (auto& v : values_) v.clear();
}

const std::string& Record::get(std::string_view name) const {
  return values_[static_cast<std::size_t>(fieldIndex(kind_, name))];
}

void Record::set(std::string_view name, std::string value) {
  values_[static_cast<std::size_t>(fieldIndex(kind_, name))] = std::move(value);
}

}  // namespace torvex::core::consistency
