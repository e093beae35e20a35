#include "core/store/database_snapshot.h"

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <fstream>
#include <set>

#include "core/platform/output_file.h"
#include "core/store/engine_error.h"
#include "core/store/schema_version.h"
#include "core/store/table_def.h"

namespace torvex::core::store {
namespace {

namespace fs = std::filesystem;

// A connection of our own, closed on every way out.
struct Connection {
  sqlite3* handle = nullptr;
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() {
    if (handle) sqlite3_close_v2(handle);
  }
};

std::string nameOf(const fs::path& file) { return file.filename().string(); }

// The engine's Portuguese text for a SQLite failure, with SQLite's own detail.
std::string cause(int rc, sqlite3* db) {
  const int extended = db ? sqlite3_extended_errcode(db) : rc;
  return engineErrorFromSqlite(extended, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)).what();
}

// Runs one pass of the online backup interface from `from` into `to`, all
// pages in one step: one read transaction on the source, one write
// transaction on the destination, which sqlite3_backup_finish rolls back
// unless the step completed. Answers SQLite's result.
int copyPages(sqlite3* to, sqlite3* from, sqlite3** failed) {
  sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
  if (!backup) {
    *failed = to;
    return sqlite3_errcode(to);
  }
  const int step = sqlite3_backup_step(backup, -1);
  const int finish = sqlite3_backup_finish(backup);
  if (step == SQLITE_DONE && finish == SQLITE_OK) return SQLITE_OK;
  // The step's own code says why; finish repeats it on the destination.
  *failed = to;
  return step == SQLITE_DONE ? finish : step;
}

bool lockedOut(int rc) { return (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED; }

// --- the restorable check

int pragmaInteger(sqlite3* db, const char* sql) {
  sqlite3_stmt* st = nullptr;
  int value = 0;
  if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
    value = sqlite3_column_int(st, 0);
  sqlite3_finalize(st);
  return value;
}

// The first answer of `sql` as text, or nullopt with the failure in `error`.
std::optional<std::string> firstText(sqlite3* db, const std::string& sql, std::string& error) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
    return std::nullopt;
  }
  std::optional<std::string> out;
  const int rc = sqlite3_step(st);
  if (rc == SQLITE_ROW) {
    const auto* p = sqlite3_column_text(st, 0);
    out = p ? reinterpret_cast<const char*>(p) : "";
  } else if (rc != SQLITE_DONE) {
    error = sqlite3_errmsg(db);
  } else {
    out = "";
  }
  sqlite3_finalize(st);
  return out;
}

// Whether the first bytes are those of a database file in rollback-journal
// mode (a file left in write-ahead mode would need files beside it).
bool looksLikeDatabase(const fs::path& file) {
  std::array<char, 100> header{};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(header.data(), header.size())) return false;
  return std::memcmp(header.data(), "SQLite format 3", 16) == 0 && header[18] == 1 && header[19] == 1;
}

std::optional<std::string> tableRefusal(sqlite3* db, const TableDef& def, const std::string& name) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?1)", -1, &st, nullptr) != SQLITE_OK)
    return "A base de dados " + name + " não pôde ser lida (" + sqlite3_errmsg(db) + ").";
  sqlite3_bind_text(st, 1, def.name.c_str(), -1, SQLITE_TRANSIENT);
  std::set<std::string> columns;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    std::string column = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    for (auto& c : column) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    columns.insert(column);
  }
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) return "A base de dados " + name + " não pôde ser lida (" + sqlite3_errmsg(db) + ").";
  if (columns.empty()) return "A base de dados " + name + " não contém a tabela " + def.name + ".";
  for (const auto& field : def.fields) {
    std::string column = field.name;
    for (auto& c : column) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!columns.count(column))
      return "A tabela " + def.name + " da base de dados " + name + " não tem o campo " + field.name + ".";
  }
  if (columns.size() != def.fields.size())
    return "A tabela " + def.name + " da base de dados " + name + " tem campos que este programa não conhece.";
  return std::nullopt;
}

}  // namespace

void snapshotDeclarations(Database& db, const fs::path& target) {
  const std::string prefix = "Não foi possível copiar a base de dados de declarações para " + nameOf(target) + ": ";
  try {
    platform::OutputFile file(target);
    {
      Connection copy;
      int rc = sqlite3_open_v2(file.temporaryPath().c_str(), &copy.handle,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
      if (rc != SQLITE_OK) throw SnapshotError(prefix + cause(rc, copy.handle));
      // Nobody sees the file before it is renamed: no journal is needed, and
      // the commit below syncs it whole.
      sqlite3_exec(copy.handle, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
      sqlite3* failed = nullptr;
      rc = copyPages(copy.handle, db.handle(), &failed);
      if (rc != SQLITE_OK) throw SnapshotError(prefix + cause(rc, failed), lockedOut(rc));
      rc = sqlite3_close(copy.handle);
      copy.handle = nullptr;
      if (rc != SQLITE_OK) throw SnapshotError(prefix + sqlite3_errstr(rc));
    }
    file.commit();
  } catch (const platform::OutputFileError& e) {
    throw SnapshotError(prefix + e.what());
  }
}

std::optional<std::string> whyNotRestorable(const fs::path& file) {
  const std::string name = nameOf(file);
  std::error_code ec;
  const auto status = fs::symlink_status(file, ec);
  if (ec || !fs::exists(status)) return "O arquivo " + name + " não existe.";
  if (!fs::is_regular_file(status)) return "O arquivo " + name + " não é um arquivo comum.";
  const std::string notOurs = "O arquivo " + name + " não é uma base de dados de declarações do TORVEX.";
  if (!looksLikeDatabase(file)) return notOurs;

  Connection check;
  if (sqlite3_open_v2(file.c_str(), &check.handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, nullptr) != SQLITE_OK)
    return notOurs;
  // Nothing in the file's schema runs while it is looked at.
  sqlite3_db_config(check.handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(check.handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);

  std::string error;
  const auto integrity = firstText(check.handle, "PRAGMA main.integrity_check(1)", error);
  if (!integrity) return "A base de dados " + name + " está danificada (" + error + ").";
  if (*integrity != "ok") return "A base de dados " + name + " está danificada (" + *integrity + ").";

  const int version = pragmaInteger(check.handle, "PRAGMA main.user_version");
  if (version < 0 || version > kDeclarationSchemaVersion) return newerSchemaMessage(version);

  const auto foreign = firstText(
      check.handle, "SELECT type || ' ' || name FROM main.sqlite_schema WHERE type IN ('view', 'trigger') LIMIT 1",
      error);
  if (!foreign) return "A base de dados " + name + " não pôde ser lida (" + error + ").";
  if (!foreign->empty())
    return "A base de dados " + name + " contém objetos que este programa não cria (" + *foreign + ").";

  for (const char* table : {table::kResponsible, table::kEstablishments, table::kLinks}) {
    const TableDef* def = findTableDef(table);
    if (auto refusal = tableRefusal(check.handle, *def, name)) return refusal;
  }
  return std::nullopt;
}

void restoreDeclarations(Database& db, const fs::path& file) {
  const bool heldBefore = db.holdsExclusive();
  if (!heldBefore) db.acquireExclusive(table::kEstablishments);
  struct Release {
    Database& db;
    bool keep;
    ~Release() {
      if (!keep) db.releaseExclusive();
    }
  } release{db, heldBefore};

  // Checked again here, under exclusive use: the caller's check may be old.
  if (auto refusal = whyNotRestorable(file)) throw SnapshotError(*refusal);
  std::error_code ec;
  if (fs::equivalent(file, db.folder() / Database::kDeclarationFile, ec))
    throw SnapshotError("O arquivo " + nameOf(file) + " já é a base de dados de declarações desta pasta.");
  if (db.inTransaction())
    throw SnapshotError("A base de dados de declarações não pode ser substituída durante uma gravação.");

  Connection source;
  int rc = sqlite3_open_v2(file.c_str(), &source.handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, nullptr);
  const std::string prefix = "Não foi possível restaurar a base de dados de declarações de " + nameOf(file) + ": ";
  if (rc != SQLITE_OK) throw SnapshotError(prefix + cause(rc, source.handle));
  db.forgetCachedStatements();
  for (sqlite3_stmt* st = sqlite3_next_stmt(db.handle(), nullptr); st; st = sqlite3_next_stmt(db.handle(), st))
    if (sqlite3_stmt_busy(st))
      throw SnapshotError("A base de dados de declarações está sendo lida por outra operação; "
                          "termine-a e restaure novamente.");
  sqlite3* failed = nullptr;
  rc = copyPages(db.handle(), source.handle, &failed);
  if (rc != SQLITE_OK) throw SnapshotError(prefix + cause(rc, failed), lockedOut(rc));
  // The copy brought the file's own layout version along.
  bringDeclarationSchemaUpToDate(db.handle());
}

}  // namespace torvex::core::store
