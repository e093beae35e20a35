#include "core/store/work_tables_state.h"

namespace torvex::core::store {
namespace {
constexpr const char* kMarkTable = "AnaliseConcluida";

std::string markTable() { return Database::schemaName(DbFile::Work) + "." + quoteIdentifier(kMarkTable); }
}  // namespace

void markWorkTablesComplete(Database& db) {
  db.exec("CREATE TABLE IF NOT EXISTS " + markTable() + " (Concluida INTEGER NOT NULL)");
  db.exec("DELETE FROM " + markTable() + "; INSERT INTO " + markTable() + " VALUES (1)");
}

void clearWorkTablesComplete(Database& db) { db.exec("DROP TABLE IF EXISTS " + markTable()); }

bool workTablesComplete(Database& db) {
  auto st = db.prepare("SELECT 1 FROM " + Database::schemaName(DbFile::Work) +
                       ".sqlite_schema WHERE type = 'table' AND name = :n");
  st.bind(":n", kMarkTable);
  if (!st.step()) return false;
  auto row = db.prepare("SELECT Concluida FROM " + markTable());
  return row.step() && row.integer(0) == 1;
}

void requireCompleteWorkTables(Database& db) {
  if (!workTablesComplete(db)) throw IncompleteWorkTables();
}

}  // namespace torvex::core::store
