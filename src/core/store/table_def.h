#pragma once
// One place that defines every table the program stores: its fields (name,
// kind, width), its indexes and the database file it lives in.
#include <string>
#include <string_view>
#include <vector>

namespace torvex::core::store {

// Which database file of the data folder holds a table.
enum class DbFile { Declaration, Reference, Work };

enum class FieldKind { Text, Logical };

struct FieldDef {
  std::string name;
  FieldKind kind = FieldKind::Text;
  int width = 0;  // characters; 0 for logical fields
  bool required = false;
};

struct IndexDef {
  std::string name;                 // "Main" for primary indexes
  std::vector<std::string> fields;  // in key order
  bool primary = false;
  bool unique = false;
  bool caseInsensitive = false;
};

struct TableDef {
  std::string name;
  DbFile db = DbFile::Declaration;
  std::vector<FieldDef> fields;
  std::vector<IndexDef> indexes;

  const FieldDef* field(std::string_view fieldName) const;  // case-insensitive
  const IndexDef* primaryIndex() const;
};

// Every table of the program, declaration, reference, work and scratch.
const std::vector<TableDef>& tableDefinitions();
// Case-insensitive lookup by table name; nullptr when unknown.
const TableDef* findTableDef(std::string_view name);
// The definition of a table as a copy of another one under a new name
// (work copies are made from the declaration tables' own definitions).
TableDef copyDefinition(const TableDef& source, std::string newName, DbFile db, bool withIndexes,
                        const std::string& primaryIndexName = "Main");

// Name of the SQLite index that stands for index `index` of `table`.
std::string sqliteIndexName(std::string_view table, std::string_view index);

// Table names, for the tables other code refers to often.
namespace table {
inline constexpr const char* kResponsible = "BD8Resp";
inline constexpr const char* kEstablishments = "BD8Emp";
inline constexpr const char* kLinks = "BD8Vinc";
inline constexpr const char* kWorkResponsible = "Te8resp";
inline constexpr const char* kWorkEstablishments = "Te8emp";
inline constexpr const char* kWorkLinks = "Te8vinc";
inline constexpr const char* kErrors = "Te8ErrWa";
inline constexpr const char* kStructure = "Te8stru";
inline constexpr const char* kImport = "TE8Imp";
inline constexpr const char* kProtocolFiles = "te8ProID";
inline constexpr const char* kProtocolEstablishments = "te8ProES";
inline constexpr const char* kMessages = "tb8MSG";
}  // namespace table

bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace torvex::core::store
