#include "core/store/database.h"

#include <algorithm>
#include <cassert>
#include <cctype>

#include "core/store/folder_lock.h"
#include "core/store/engine_error.h"
#include "core/store/schema_version.h"
#include "core/store/work_tables_lock.h"
#include "core/text/utf8_text.h"

namespace torvex::core::store {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

[[noreturn]] void raise(sqlite3* db, int rc) {
  const int extended = db ? sqlite3_extended_errcode(db) : rc;
  const std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if ((extended & 0xFF) == SQLITE_CONSTRAINT && extended == SQLITE_CONSTRAINT_CHECK) {
    // Width constraints are named after their field.
    const auto pos = message.rfind(": ");
    const std::string field = pos == std::string::npos ? message : message.substr(pos + 2);
    throw EngineError(engine_code::kFieldTooWide, "Valor maior que a largura do campo " + field + ".");
  }
  throw engineErrorFromSqlite(extended, message);
}

}  // namespace

// ---------------------------------------------------------------- Statement

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = sqlite3_errmsg(db);
    if (message.find("no such table") != std::string::npos)
      throw EngineError(engine_code::kTableNotFound, "Tabela não encontrada (" + message + ").");
    if (message.find("no such column") != std::string::npos)
      throw EngineError(engine_code::kFieldNotFound, "Campo não encontrado (" + message + ").");
    raise(db, rc);
  }
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) { other.stmt_ = nullptr; }

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    if (stmt_) sqlite3_finalize(stmt_);
    db_ = other.db_;
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

Statement::~Statement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

void Statement::check(int rc) const {
  if (rc != SQLITE_OK) raise(db_, rc);
}

int Statement::parameterIndex(std::string_view name) const {
  std::string key(name);
  if (key.empty() || (key[0] != ':' && key[0] != '@' && key[0] != '$')) key.insert(0, 1, ':');
  int index = sqlite3_bind_parameter_index(stmt_, key.c_str());
  if (index == 0) {
    // Parameter names are matched without regard to case, as the original engine did.
    const int count = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= count; ++i) {
      const char* n = sqlite3_bind_parameter_name(stmt_, i);
      if (n && equalsIgnoreCase(n, key)) return i;
    }
    throw DataAccessError("Parâmetro " + key + " não existe na consulta.");
  }
  return index;
}

bool Statement::hasParameter(std::string_view name) const {
  try {
    parameterIndex(name);
    return true;
  } catch (const DataAccessError&) {
    return false;
  }
}

Statement& Statement::bind(std::string_view name, std::string_view value) { return bindAt(parameterIndex(name), value); }

Statement& Statement::bind(std::string_view name, std::int64_t value) { return bindAt(parameterIndex(name), value); }

Statement& Statement::bindLogical(std::string_view name, std::optional<bool> value) {
  if (!value) return bindNull(name);
  return bind(name, static_cast<std::int64_t>(*value ? 1 : 0));
}

Statement& Statement::bindNull(std::string_view name) { return bindNullAt(parameterIndex(name)); }

Statement& Statement::bindAt(int position, std::string_view value) {
  check(sqlite3_bind_text(stmt_, position, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::bindAt(int position, std::int64_t value) {
  check(sqlite3_bind_int64(stmt_, position, value));
  return *this;
}

Statement& Statement::bindNullAt(int position) {
  check(sqlite3_bind_null(stmt_, position));
  return *this;
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  raise(db_, rc);
}

void Statement::run() {
  while (step()) {
  }
  sqlite3_reset(stmt_);
}

void Statement::reset() { sqlite3_reset(stmt_); }

void Statement::clearBindings() { sqlite3_clear_bindings(stmt_); }

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

std::string Statement::columnName(int column) const {
  const char* n = sqlite3_column_name(stmt_, column);
  return n ? n : "";
}

int Statement::columnIndex(std::string_view name) const {
  const int count = columnCount();
  for (int i = 0; i < count; ++i)
    if (equalsIgnoreCase(sqlite3_column_name(stmt_, i), name)) return i;
  return -1;
}

std::string Statement::text(int column) const {
  const auto* p = sqlite3_column_text(stmt_, column);
  if (!p) return {};
  return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::string Statement::text(std::string_view column) const {
  const int index = columnIndex(column);
  if (index < 0) throw EngineError(engine_code::kFieldNotFound, "Campo não encontrado: " + std::string(column) + ".");
  return text(index);
}

bool Statement::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::optional<bool> Statement::logical(int column) const {
  if (isNull(column)) return std::nullopt;
  return integer(column) != 0;
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database& db, Scope scope) : db_(db) {
  db_.exec(scope == Scope::Folder ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
}

Transaction::~Transaction() {
  if (open_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  db_.exec("COMMIT");
  open_ = false;
}

// ---------------------------------------------------------------- ExclusiveUse

ExclusiveUse::ExclusiveUse(Database& db) : db_(db) { db_.acquireExclusive(); }
ExclusiveUse::~ExclusiveUse() { db_.releaseExclusive(); }

// ---------------------------------------------------------------- Database

Database::Database(std::filesystem::path folder, Mode mode) : folder_(std::move(folder)) {
  const bool create = mode == Mode::Create;
  if (create) {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
  }
  if (!std::filesystem::is_directory(folder_))
    throw EngineError(engine_code::kCannotOpen, "Pasta de dados não encontrada: " + folder_.string() + ".");
  lock_ = std::make_unique<FolderLock>(folder_ / kLockFile);
  workLock_ = std::make_unique<WorkTablesLock>(folder_ / kWorkLockFile);

  const auto mainFile = folder_ / kDeclarationFile;
  if (!create && !std::filesystem::exists(mainFile))
    throw EngineError(engine_code::kCannotOpen, "Arquivo de dados não encontrado: " + mainFile.string() + ".");
  // One connection per thread of use (the program runs on one thread): no per-call locking.
  const int rc = sqlite3_open_v2(mainFile.c_str(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw engineErrorFromSqlite(rc, message);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, 3000);
  try {
    attach(folder_ / kReferenceFile, "ref", !create);
    attachScratch();
    bringDeclarationSchemaUpToDate(db_);
    configure();
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

Database::~Database() {
  cache_.clear();
  if (!db_) return;
  const int rc = sqlite3_close(db_);
  if (rc != SQLITE_OK) {
    // A statement that outlives its connection is a fault of the caller; the
    // connection is then closed when its last statement is finalised.
    assert(rc == SQLITE_OK && "Database closed while one of its statements is still open");
    sqlite3_close_v2(db_);
  }
}

void Database::attach(const std::filesystem::path& file, const char* schema, bool mustExist) {
  if (mustExist && !std::filesystem::exists(file))
    throw EngineError(engine_code::kCannotOpen, "Arquivo de dados não encontrado: " + file.string() + ".");
  Statement st(db_, "ATTACH DATABASE :file AS " + std::string(schema));
  st.bind(":file", file.string()).run();
}

void Database::attachScratch() {
  // The scratch database holds nothing that must survive: it is made anew when
  // it is missing, when it is not a database, or when the last program that
  // wrote it stopped half-way.
  const auto file = folder_ / kWorkFile;
  const bool abandoned = workLock_->abandoned();
  std::optional<EngineError> damage;
  try {
    attach(file, "trab", false);
    Statement st(db_, "SELECT count(*) FROM trab.sqlite_schema");
    st.step();
  } catch (const EngineError& e) {
    if (e.code() != engine_code::kCorrupt) throw;
    damage = e;
  }
  if (!abandoned && !damage) return;
  // Only while no other program has the folder open: it may be using the file.
  if (!lock_->tryExclusive()) {
    if (damage) throw *damage;
    return;
  }
  sqlite3_exec(db_, "DETACH DATABASE trab", nullptr, nullptr, nullptr);
  std::error_code ec;
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix, ec);
  workLock_->clearMark();
  lock_->shared();
  attach(file, "trab", false);
}

void Database::configure() {
  // The scratch database keeps a rollback journal on disk, written without
  // waiting for the disk: a killed program leaves a journal the next one rolls
  // back, never a half-written file. Only a machine that stops can damage it,
  // and then the mark in the work-tables lock has it made anew.
  exec("PRAGMA main.journal_mode=DELETE; PRAGMA main.synchronous=FULL;"
       "PRAGMA trab.journal_mode=TRUNCATE; PRAGMA trab.synchronous=OFF; PRAGMA trab.cache_size=-65536;"
       "PRAGMA temp_store=MEMORY; PRAGMA case_sensitive_like=ON;");
}

Statement Database::prepare(std::string_view sql) { return Statement(db_, sql); }

Statement& Database::cached(std::string_view sql) {
  auto it = cache_.find(std::string(sql));
  if (it == cache_.end())
    it = cache_.emplace(std::string(sql), std::make_unique<Statement>(db_, sql)).first;
  it->second->reset();
  return *it->second;
}

void Database::exec(std::string_view sql) {
  char* err = nullptr;
  const int rc = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    std::string message = err ? err : sqlite3_errstr(rc);
    sqlite3_free(err);
    if (message.find("no such table") != std::string::npos)
      throw EngineError(engine_code::kTableNotFound, "Tabela não encontrada (" + message + ").");
    throw engineErrorFromSqlite(sqlite3_extended_errcode(db_), message);
  }
}

std::int64_t Database::changes() const { return sqlite3_changes64(db_); }

bool Database::inTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

std::string Database::schemaName(DbFile db) {
  switch (db) {
    case DbFile::Declaration: return "main";
    case DbFile::Reference: return "ref";
    case DbFile::Work: return "trab";
  }
  return "main";
}

bool Database::tableExists(std::string_view name) const {
  for (const char* schema : {"main", "ref", "trab"}) {
    Statement st(db_, std::string("SELECT 1 FROM ") + schema +
                          ".sqlite_schema WHERE type='table' AND name = :n COLLATE NOCASE");
    st.bind(":n", name);
    if (st.step()) return true;
  }
  return false;
}

bool Database::indexExists(std::string_view table, std::string_view index) const {
  const std::string name = sqliteIndexName(table, index);
  for (const char* schema : {"main", "ref", "trab"}) {
    Statement st(db_, std::string("SELECT 1 FROM ") + schema +
                          ".sqlite_schema WHERE type='index' AND name = :n COLLATE NOCASE");
    st.bind(":n", name);
    if (st.step()) return true;
  }
  return false;
}

std::string quoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void Database::createTable(const TableDef& def) {
  // Cached statements may refer to the table being replaced.
  cache_.clear();
  const std::string schema = schemaName(def.db);
  const std::string qualified = schema + "." + quoteIdentifier(def.name);
  std::string sql = "CREATE TABLE " + qualified + " (";
  bool first = true;
  for (const auto& f : def.fields) {
    if (!first) sql += ", ";
    first = false;
    sql += quoteIdentifier(f.name);
    if (f.kind == FieldKind::Logical) {
      sql += " INTEGER";
    } else {
      sql += " TEXT NOT NULL DEFAULT '' CONSTRAINT " + quoteIdentifier(f.name) + " CHECK(length(" +
             quoteIdentifier(f.name) + ") <= " + std::to_string(f.width) + ")";
      if (f.required) sql += " CONSTRAINT " + quoteIdentifier(f.name + " obrigatório") + " CHECK(" +
                             quoteIdentifier(f.name) + " <> '')";
    }
  }
  sql += ")";
  exec("DROP TABLE IF EXISTS " + qualified);
  exec(sql);
  for (const auto& index : def.indexes) createIndex(def, index);
}

void Database::createIndex(const TableDef& def, const IndexDef& index) {
  cache_.clear();
  const std::string schema = schemaName(def.db);
  std::string sql = std::string("CREATE ") + (index.primary || index.unique ? "UNIQUE " : "") + "INDEX " + schema +
                    "." + quoteIdentifier(sqliteIndexName(def.name, index.name)) + " ON " +
                    quoteIdentifier(def.name) + " (";
  for (std::size_t i = 0; i < index.fields.size(); ++i) {
    if (i) sql += ", ";
    sql += quoteIdentifier(index.fields[i]);
    if (index.caseInsensitive) sql += " COLLATE NOCASE";
  }
  sql += ")";
  exec("DROP INDEX IF EXISTS " + schema + "." + quoteIdentifier(sqliteIndexName(def.name, index.name)));
  exec(sql);
}

void Database::dropIndex(std::string_view table, std::string_view index) {
  cache_.clear();
  for (const char* schema : {"main", "ref", "trab"})
    exec(std::string("DROP INDEX IF EXISTS ") + schema + "." + quoteIdentifier(sqliteIndexName(table, index)));
}

void Database::emptyTable(std::string_view name) { exec("DELETE FROM " + quoteIdentifier(name)); }

void Database::dropTable(std::string_view name) {
  cache_.clear();
  for (const char* schema : {"main", "ref", "trab"}) {
    Statement st(db_, std::string("SELECT name FROM ") + schema +
                          ".sqlite_schema WHERE type='table' AND name = :n COLLATE NOCASE");
    st.bind(":n", name);
    if (st.step()) {
      const std::string actual = st.text(0);
      st.reset();
      exec(std::string("DROP TABLE ") + schema + "." + quoteIdentifier(actual));
      return;
    }
  }
}

std::int64_t Database::rowCount(std::string_view table) {
  Statement st(db_, "SELECT count(*) FROM " + quoteIdentifier(table));
  st.step();
  return st.integer(0);
}

TableDef Database::definition(std::string_view name) const {
  if (const TableDef* known = findTableDef(name)) return *known;
  if (!tableExists(name)) throw EngineError(engine_code::kTableNotFound, "Tabela não encontrada: " + std::string(name) + ".");
  TableDef def{std::string(name), DbFile::Work, {}, {}};
  Statement st(db_, "SELECT name, type FROM pragma_table_info(:t)");
  st.bind(":t", name);
  while (st.step()) {
    const bool logical = lower(st.text(1)) == "integer";
    def.fields.push_back(FieldDef{st.text(0), logical ? FieldKind::Logical : FieldKind::Text, logical ? 0 : 255, false});
  }
  return def;
}

void Database::acquireExclusive(std::string_view tableForMessage) {
  if (!lock_->tryExclusive()) {
    std::string message = "Tabela";
    if (!tableForMessage.empty()) message += " " + std::string(tableForMessage);
    message += " em uso: a pasta de dados está aberta por outro programa";
    throw EngineError(engine_code::kTableBusy, message);
  }
}

void Database::releaseExclusive() { lock_->shared(); }

bool Database::holdsExclusive() const { return lock_->exclusive(); }

std::string storedText(std::string_view value) { return std::string(text::trimTrailingBlanks(value)); }

}  // namespace torvex::core::store
