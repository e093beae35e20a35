#include "core/jobs/rectification_job.h"

#include "core/declfile/work_table_loader.h"
#include "core/store/engine_error.h"
#include "core/store/table_def.h"
#include "core/store/work_tables_lock.h"

namespace torvex::core::jobs {
namespace {

constexpr const char* kMissingCode = "1925";
constexpr const char* kDuplicateCode = "1926";

// "INSERT INTO work (columns) SELECT columns FROM source WHERE …": every column of
// the work table, named, so that a declaration table whose columns were added
// in another order still copies column by column.
std::string copySql(const char* work, const char* source, const std::string& where) {
  std::string columns;
  for (const auto& f : store::findTableDef(work)->fields) {
    if (!columns.empty()) columns += ", ";
    columns += store::quoteIdentifier(f.name);
  }
  return std::string("INSERT INTO ") + work + " (" + columns + ") SELECT " + columns + " FROM " + source + where;
}

constexpr const char* kEstablishmentWhere =
    " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p";
constexpr const char* kLinkOrder =
    " ORDER BY CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro LIMIT 1";

RectificationCopyOutcome failed(RectificationCopyResult result, const char* code) {
  RectificationCopyOutcome out;
  out.result = result;
  out.code = code;
  return out;
}

}  // namespace

bool startRectification(store::Database& db) {
  const store::WorkTablesHold hold(db);
  try {
    declfile::WorkTableLoader::createWorkTables(db);
    return true;
  } catch (const store::EngineError&) {
    return false;
  }
}

RectificationCopyOutcome copyForRectification(store::Database& db, const delivery::RectificationSelection& selection) {
  using store::table::kWorkEstablishments;
  using store::table::kWorkLinks;
  using store::table::kWorkResponsible;
  const store::WorkTablesHold hold(db);
  store::Transaction transaction(db, store::Transaction::Scope::Scratch);
  for (const char* t : {kWorkResponsible, kWorkEstablishments, kWorkLinks}) db.emptyTable(t);
  db.exec(copySql(kWorkResponsible, store::table::kResponsible, " LIMIT 1"));
  // A responsible row imported from a file keeps that file's rectification and
  // generation dates; this rectification is written with the date given now.
  db.exec("UPDATE Te8resp SET DaRetificacao = '', DaGeracao = ''");

  auto establishment = db.prepare(copySql(kWorkEstablishments, store::table::kEstablishments, kEstablishmentWhere));
  const std::string linkWhere = std::string(kEstablishmentWhere) +
                                " AND CoPisPasepEmpregado = :pis AND DaAdmissaoEmpregado = :adm";
  auto link = db.prepare(copySql(kWorkLinks, store::table::kLinks, linkWhere + kLinkOrder));
  auto namedLink = db.prepare(copySql(kWorkLinks, store::table::kLinks, linkWhere + " AND NoEmpregado = :nome" + kLinkOrder));

  RectificationCopyOutcome out;
  for (const auto& e : selection.entries()) {
    if (!e.chosen) continue;
    establishment.reset();
    establishment.bind(":a", e.key.anBase).bind(":i", e.key.inscricao).bind(":p", e.key.prefixo);
    establishment.run();
    if (db.changes() == 0) return failed(RectificationCopyResult::Missing, kMissingCode);
    ++out.establishments;
    for (const auto& chosen : e.links) {
      auto& st = chosen.name.empty() ? link : namedLink;
      st.reset();
      st.bind(":a", e.key.anBase).bind(":i", e.key.inscricao).bind(":p", e.key.prefixo);
      st.bind(":pis", chosen.pis).bind(":adm", chosen.admissionDate);
      if (!chosen.name.empty()) st.bind(":nome", chosen.name);
      try {
        st.run();
      } catch (const store::EngineError& error) {
        if (error.code() != store::engine_code::kKeyViolation) throw;
        return failed(RectificationCopyResult::Duplicate, kDuplicateCode);
      }
      if (db.changes() == 0) return failed(RectificationCopyResult::Missing, kMissingCode);
      ++out.links;
    }
  }
  transaction.commit();
  out.result = RectificationCopyResult::Copied;
  return out;
}

}  // namespace torvex::core::jobs
