#include "core/consistency/error_log.h"

#include <cstdio>

#include "core/consistency/fields.h"
#include "core/text/utf8_text.h"

namespace torvex::core::consistency {

namespace estField = fields::establishment;
namespace linkField = fields::link;

namespace {

// Rows are numbered from the program's start, not from the run's.
std::int64_t runningNumber = 0;

// Rows are committed in batches: one transaction for every row of a faulty
// million-link file would hold all of them in memory until the end.
constexpr std::int64_t kRowsPerCommit = 50000;


// Cuts a text to the column's width in characters, so a long content never
// makes the insert fail.
std::string_view fit(std::string_view value, std::size_t width) { return text::firstCharacters(value, width); }

std::string numberText(std::int64_t n) {
  // Six digits; beyond 999999 the number keeps its last six digits.
  char buf[8];
  std::snprintf(buf, sizeof buf, "%06lld", static_cast<long long>(n % 1000000));
  return buf;
}

}  // namespace

const char* severityText(Severity s) { return s == Severity::Error ? "err" : "war"; }

ErrorLog::ErrorLog(store::Database& db) : db_(db) {}

std::int64_t ErrorLog::nextNumber() { return runningNumber + 1; }

void ErrorLog::begin() {
  insert_.reset();
  errors_ = warnings_ = false;
  rows_ = 0;
  // The table is made ready before the run reads anything: replacing a table
  // while the run's queries are open is refused by the engine.
  db_.createTable(*store::findTableDef(store::table::kErrors));
  transaction_.emplace(db_, store::Transaction::Scope::Scratch);
  insert_.emplace(db_.prepare(
      "INSERT INTO Te8ErrWa (errwar, inscricao, tipoinscricao, prefixo, tiporegistro, retorno, razaosocial, "
      "copispasep, noempregado, DaAdmissao, usoempresa, lbl, Conteudo, Sequencial) VALUES (:errwar, :inscricao, "
      ":tipoinscricao, :prefixo, :tiporegistro, :retorno, :razaosocial, :copispasep, :noempregado, :DaAdmissao, "
      ":usoempresa, :lbl, :Conteudo, :Sequencial)"));
}

void ErrorLog::finish() {
  insert_.reset();
  if (rows_ == 0) db_.dropTable(store::table::kErrors);
  if (transaction_) transaction_->commit();
  transaction_.reset();
}

void ErrorLog::abandon() {
  insert_.reset();
  transaction_.reset();
}

void ErrorLog::record(Severity severity, RecordType type, std::string_view code, std::string_view label,
                      std::string_view content) {
  if (severity == Severity::Error) errors_ = true;
  if (severity == Severity::Warning) warnings_ = true;
  auto& s = *insert_;
  s.reset();
  // Every value outlives the insert below, so the engine need not copy them.
  // Each is bound with its length: a NUL inside a content is kept.
  sqlite3_stmt* h = s.handle();
  auto bind = [h](int position, std::string_view v) {
    sqlite3_bind_text(h, position, v.empty() ? "" : v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
  };
  const bool withEstablishment = type != RecordType::Responsible && establishment_;
  const bool withLink = type == RecordType::Link && link_;
  const Record* e = establishment_;
  const Record* l = link_;
  const char typeText[2] = {static_cast<char>('0' + static_cast<int>(type)), '\0'};
  const std::string stored = store::storedText(content);
  const std::string number = numberText(++runningNumber);
  bind(1, severityText(severity));
  bind(2, withEstablishment ? fit((*e)[estField::kInscription], 14) : "");
  bind(3, withEstablishment ? fit((*e)[estField::kKind], 1) : "");
  bind(4, withEstablishment ? fit((*e)[estField::kPrefix], 2) : "");
  bind(5, typeText);
  bind(6, fit(code, 4));
  bind(7, withEstablishment ? fit((*e)[estField::kName], 52) : "");
  bind(8, withLink ? fit((*l)[linkField::kPis], 11) : "");
  bind(9, withLink ? fit((*l)[linkField::kName], 30) : "");
  bind(10, withLink ? fit((*l)[linkField::kAdmission], 8) : "");
  bind(11, withLink ? fit((*l)[linkField::kCompanyUse], 12) : "");
  bind(12, fit(label, 4));
  bind(13, fit(stored, 52));
  bind(14, number);
  s.run();
  if (++rows_ % kRowsPerCommit == 0) {
    transaction_->commit();
    transaction_.emplace(db_, store::Transaction::Scope::Scratch);
  }
}

}  // namespace torvex::core::consistency
