#pragma once
// The table engine adapter: one SQLite connection over the data folder's three
// database files (declaration, reference, work), with prepared statements bound
// by parameter name, transactions, table management and exclusive-use
// detection. Every failure is raised as EngineError.
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/store/table_def.h"

namespace torvex::core::store {

class Database;
class FolderLock;
class WorkTablesLock;

// A prepared statement. Parameters are bound by name (":anBase"), never
// concatenated into the SQL text. Columns are read as text by index or name.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  Statement& bind(std::string_view name, std::string_view value);
  Statement& bind(std::string_view name, const char* value) { return bind(name, std::string_view(value)); }
  Statement& bind(std::string_view name, const std::string& value) { return bind(name, std::string_view(value)); }
  Statement& bind(std::string_view name, std::int64_t value);
  Statement& bind(std::string_view name, int value) { return bind(name, static_cast<std::int64_t>(value)); }
  Statement& bindLogical(std::string_view name, std::optional<bool> value);
  Statement& bindNull(std::string_view name);
  Statement& bindAt(int position, std::string_view value);  // 1-based
  Statement& bindAt(int position, std::int64_t value);
  Statement& bindNullAt(int position);
  bool hasParameter(std::string_view name) const;

  // Advances to the next row; false when there is none.
  bool step();
  // Runs a statement that returns no rows (or ignores them).
  void run();
  // Makes the statement ready to run again; bindings stay.
  void reset();
  void clearBindings();

  int columnCount() const;
  std::string columnName(int column) const;
  int columnIndex(std::string_view name) const;  // case-insensitive; -1 when absent
  std::string text(int column) const;
  std::string text(std::string_view column) const;
  bool isNull(int column) const;
  std::int64_t integer(int column) const;
  std::optional<bool> logical(int column) const;

  sqlite3_stmt* handle() const { return stmt_; }

 private:
  int parameterIndex(std::string_view name) const;
  void check(int rc) const;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

// Holds the folder open for exclusive use while alive; see Database::exclusiveUse.
class ExclusiveUse {
 public:
  explicit ExclusiveUse(Database& db);
  ~ExclusiveUse();
  ExclusiveUse(const ExclusiveUse&) = delete;
  ExclusiveUse& operator=(const ExclusiveUse&) = delete;

 private:
  Database& db_;
};

// A transaction over every file of the data folder; rolled back unless committed.
class Transaction {
 public:
  enum class Scope {
    Folder,   // takes the write lock of every file at once
    Scratch,  // writes only the scratch tables: the other files are locked only when written
  };
  explicit Transaction(Database& db, Scope scope = Scope::Folder);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Database& db_;
  bool open_ = true;
};

class Database {
 public:
  static constexpr const char* kDeclarationFile = "declaracao.db";
  static constexpr const char* kReferenceFile = "referencia.db";
  static constexpr const char* kWorkFile = "trabalho.db";
  static constexpr const char* kLockFile = "torvex.lck";
  static constexpr const char* kWorkLockFile = "trabalho.lck";

  enum class Mode {
    Open,    // the declaration and reference files must exist
    Create,  // create missing files (used when laying down a data folder)
  };

  explicit Database(std::filesystem::path folder, Mode mode = Mode::Open);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  sqlite3* handle() const { return db_; }

  Statement prepare(std::string_view sql);
  // A statement prepared once per connection and reused; reset before it is handed out.
  Statement& cached(std::string_view sql);
  void exec(std::string_view sql);
  std::int64_t changes() const;
  bool inTransaction() const;

  // Table management.
  bool tableExists(std::string_view name) const;
  bool indexExists(std::string_view table, std::string_view index) const;
  // Creates the table (replacing any table of that name) with its indexes.
  void createTable(const TableDef& def);
  void createIndex(const TableDef& def, const IndexDef& index);
  void dropIndex(std::string_view table, std::string_view index);
  void emptyTable(std::string_view name);
  void dropTable(std::string_view name);
  std::int64_t rowCount(std::string_view table);
  // The definition of a table: the known one when the name is known, else read from the file.
  TableDef definition(std::string_view name) const;
  static std::string schemaName(DbFile db);

  // Exclusive use of the data folder: fails with EngineError kTableBusy
  // ("Tabela ... em uso") while another program holds the folder open.
  void acquireExclusive(std::string_view tableForMessage = {});
  void releaseExclusive();
  bool holdsExclusive() const;

  // Finalises the statements of cached(): one stopped before its last row keeps
  // a read transaction open, which a change of the whole file must not meet.
  void forgetCachedStatements() { cache_.clear(); }

  // Who holds the work tables (see WorkTablesHold).
  WorkTablesLock& workTablesLock() { return *workLock_; }

 private:
  void attach(const std::filesystem::path& file, const char* schema, bool mustExist);
  void attachScratch();
  void configure();
  std::filesystem::path folder_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<FolderLock> lock_;
  std::unique_ptr<WorkTablesLock> workLock_;
  std::unordered_map<std::string, std::unique_ptr<Statement>> cache_;
};

// Text as stored: trailing blanks removed, leading ones kept.
std::string storedText(std::string_view value);
// Double-quoted SQL identifier.
std::string quoteIdentifier(std::string_view name);

}  // namespace torvex::core::store
