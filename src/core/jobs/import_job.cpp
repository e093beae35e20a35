#include "core/jobs/import_job.h"

#include <algorithm>

#include "core/consistency/check_engine.h"
#include "core/consistency/check_presets.h"
#include "core/store/declaration_state.h"
#include "core/store/table_def.h"
#include "core/store/work_tables_lock.h"

namespace torvex::core::jobs {
namespace {

// The BD8Resp columns a declaration file's type-0 record fills.
constexpr const char* kFileResponsibleColumns[] = {
    "CoCgcCeiResponsavel",     "InInscrResponsavel",      "NoResponsavelArquivo",     "EdLogradouroRespArquivo",
    "NuLogradouroRespArquivo", "TxComplementoRespArquivo", "NoBairroRespArquivo",     "CoCepRespArquivo",
    "CoMunicipioRespArquivo",  "NoMunicipioRespArquivo",  "SgUfRespArquivo",          "NuFoneDDD",
    "NuFoneAssinante",         "TxEMailRespArquivo",      "InReciboParaRespArquivo",  "InRetificacao",
    "DaRetificacao",           "InAntecipacao",           "DaGeracao",                "HoSenha",
};

std::string withZerosInFront(const std::string& inscription) {
  return inscription.size() == 12 ? "00" + inscription : inscription;
}

// The establishments to merge: the named ones, in the order named, or every one of the file.
bool chooseEstablishments(const ImportSettings& s, const std::vector<importing::FileEstablishment>& inFile,
                          std::vector<importing::FileEstablishment>& chosen, std::string& failure) {
  if (s.establishments.empty()) {
    chosen = inFile;
    return true;
  }
  for (const auto& wanted : s.establishments) {
    const std::string inscription = withZerosInFront(wanted.inscription);
    const auto it = std::find_if(inFile.begin(), inFile.end(), [&](const importing::FileEstablishment& e) {
      return e.inscription == inscription && e.prefix == wanted.prefix;
    });
    if (it == inFile.end()) {
      failure = "Estabelecimento " + wanted.inscription + "/" + wanted.prefix + " não está no arquivo.";
      return false;
    }
    const bool twice = std::any_of(chosen.begin(), chosen.end(), [&](const importing::FileEstablishment& e) {
      return e.inscription == it->inscription && e.prefix == it->prefix;
    });
    if (!twice) chosen.push_back(*it);
  }
  return true;
}

}  // namespace

declfile::AnalysisOutcome analyseForImport(declfile::TAnaliseEstrutura& analyser, const std::filesystem::path& file,
                                           bool previousYear, store::Database& db, platform::Interaction& ui) {
  declfile::AnalysisSettings settings;
  settings.previousYear = previousYear;
  settings.zeroValues = true;
  const store::WorkTablesHold hold(db);
  return analyser.AnalisaArquivo(file, settings, db, ui);
}

bool storeFileResponsible(store::Database& db, const store::ReferenceLookup& reference, platform::Interaction& ui) {
  const store::WorkTablesHold hold(db);
  consistency::CheckEngine engine(db, reference, ui);
  const auto check = engine.run(consistency::fileResponsibleCheck());
  if (check.errors || check.result == consistency::CheckResult::Interrupted) return false;

  std::string columns, assignments;
  for (const char* c : kFileResponsibleColumns) {
    const std::string q = store::quoteIdentifier(c);
    columns += (columns.empty() ? "" : ", ") + q;
    assignments += (assignments.empty() ? "" : ", ") + q + " = (SELECT " + q + " FROM Te8resp LIMIT 1)";
  }
  store::Transaction tx(db);
  if (db.rowCount(store::table::kResponsible) > 0)
    db.exec("UPDATE BD8Resp SET " + assignments);
  else
    db.exec("INSERT INTO BD8Resp (" + columns + ") SELECT " + columns + " FROM Te8resp LIMIT 1");
  tx.commit();
  return true;
}

ImportOutcome runImport(const ImportSettings& settings, store::Database& db, const store::ReferenceLookup& reference,
                        platform::Interaction& ui) {
  // From the load to the merge the work tables are this run's alone.
  const store::WorkTablesHold hold(db);
  ImportOutcome out;
  declfile::TAnaliseEstrutura analyser;
  auto analysis = analyseForImport(analyser, settings.file, settings.previousYear, db, ui);
  switch (analysis.result) {
    case declfile::AnalysisResult::Finding:
      out.status = ImportStatus::StructureFinding;
      out.findings = std::move(analysis.findings);
      return out;
    case declfile::AnalysisResult::Interrupted: out.status = ImportStatus::Interrupted; return out;
    case declfile::AnalysisResult::ReadFailed:
      out.failure = declfile::kCopyErrorMessage + settings.file.string();
      return out;
    case declfile::AnalysisResult::Loaded: break;
  }
  out.rectification = analysis.rectification;

  const auto kind = settings.previousYear ? importing::ImportKind::previousYearFile() : importing::ImportKind::currentYear();
  const auto inFile = importing::fileEstablishments(db, kind.importYear);
  importing::ImportRequest request;
  request.kind = kind;
  request.listLines = inFile.size();
  if (!chooseEstablishments(settings, inFile, request.chosen, out.failure)) return out;

  if (settings.takeResponsible) {
    if (!storeFileResponsible(db, reference, ui)) {
      out.status = ImportStatus::ResponsibleRefused;
      return out;
    }
    out.responsibleStored = true;
  }
  out.result = importing::ImportMerge(db, ui).run(request);
  if (out.result.interrupted)
    out.status = ImportStatus::Interrupted;
  else
    out.status = out.result.anythingImported() ? ImportStatus::Imported : ImportStatus::NothingImported;
  return out;
}

}  // namespace torvex::core::jobs
