#include "core/store/schema_version.h"

#include <vector>

#include "core/store/engine_error.h"

namespace torvex::core::store {
namespace {

// One step takes the declaration database from version `from` to `from + 1`.
// Version 0 is a database written before the version was recorded (or a new,
// empty one): its tables already have today's layout.
struct SchemaStep {
  int from;
  const char* sql;  // run inside the upgrade's transaction; may be empty
};

const std::vector<SchemaStep>& schemaSteps() {
  static const std::vector<SchemaStep> steps{
      {0, ""},
  };
  return steps;
}

void run(sqlite3* db, const std::string& sql) {
  char* err = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    const std::string message = err ? err : sqlite3_errstr(rc);
    sqlite3_free(err);
    throw engineErrorFromSqlite(sqlite3_extended_errcode(db), message);
  }
}

int userVersion(sqlite3* db) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA main.user_version", -1, &st, nullptr) != SQLITE_OK) {
    const std::string message = sqlite3_errmsg(db);
    sqlite3_finalize(st);
    throw engineErrorFromSqlite(sqlite3_extended_errcode(db), message);
  }
  const int rc = sqlite3_step(st);
  const int version = rc == SQLITE_ROW ? sqlite3_column_int(st, 0) : 0;
  sqlite3_finalize(st);
  if (rc != SQLITE_ROW) throw engineErrorFromSqlite(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
  return version;
}

}  // namespace

std::string newerSchemaMessage(int found) {
  return "O arquivo de declarações tem a versão " + std::to_string(found) +
         ", que este programa não conhece (ele conhece até a versão " + std::to_string(kDeclarationSchemaVersion) +
         "). Use a versão do TORVEX que gravou esse arquivo; ele não foi alterado.";
}

void bringDeclarationSchemaUpToDate(sqlite3* db) {
  const int found = userVersion(db);
  if (found == kDeclarationSchemaVersion) return;
  if (found < 0 || found > kDeclarationSchemaVersion)
    throw EngineError(engine_code::kCannotOpen, newerSchemaMessage(found));
  run(db, "BEGIN IMMEDIATE");
  try {
    for (const auto& step : schemaSteps())
      if (step.from >= found && step.from < kDeclarationSchemaVersion && *step.sql) run(db, step.sql);
    run(db, "PRAGMA main.user_version = " + std::to_string(kDeclarationSchemaVersion));
    run(db, "COMMIT");
  } catch (...) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

}  // namespace torvex::core::store
