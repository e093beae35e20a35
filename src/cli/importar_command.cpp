// torvex-cli importar: the import wizard without windows. Analyses the file,
// merges every establishment of it (or the named ones) into the declaration
// tables and prints the import summary, one line per establishment.
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "cli/json_lines.h"
#include "core/validation/message_dialog.h"
#include "core/declfile/analise_estrutura.h"
#include "core/jobs/import_job.h"
#include "core/store/data_folder.h"
#include "core/store/reference_lookup.h"
#include "core/store/work_tables_lock.h"

namespace torvex::cli {
namespace {

namespace fs = std::filesystem;
using core::jobs::ImportStatus;

struct Options {
  std::string file;
  std::string folder = defaultDataFolder().string();
  bool previousYear = false;
  bool responsible = false;
  bool json = false;
  std::vector<std::string> establishments;  // INSCRICAO/PREFIXO
};

// "INSCRICAO/PREFIXO" (the prefix "00" when left out); false when it is not that.
bool parseChoice(const std::string& arg, core::jobs::EstablishmentChoice& choice) {
  const auto slash = arg.find('/');
  choice.inscription = arg.substr(0, slash);
  choice.prefix = slash == std::string::npos ? "00" : arg.substr(slash + 1);
  const bool digits = !choice.inscription.empty() &&
                      choice.inscription.find_first_not_of("0123456789") == std::string::npos;
  return digits && (choice.inscription.size() == 12 || choice.inscription.size() == 14) && !choice.prefix.empty() &&
         choice.prefix.size() <= 2;
}

void printRows(const core::importing::ImportResult& result, std::size_t count,
               const core::store::ReferenceLookup& reference, bool json) {
  for (std::size_t i = 0; i < count && i < result.rows.size(); ++i) {
    const auto& r = result.rows[i];
    const std::string text = core::validation::messageText(reference, r.CoImp);
    if (json) {
      writeJsonLine(std::cout, JsonObject()
                                   .add("AnBase", r.AnBase)
                                   .add("CoCgcCeiEstabelecimento", r.CoCgcCeiEstabelecimento)
                                   .add("NuPrefixoEstabelecimento", r.NuPrefixoEstabelecimento)
                                   .add("CoCgcVinculado", r.CoCgcVinculado)
                                   .add("InInscrEstabelecimento", r.InInscrEstabelecimento)
                                   .add("NuVinculosEstabelecimento", r.NuVinculosEstabelecimento)
                                   .add("NuTotalDesligados", std::to_string(r.NuTotalDesligados))
                                   .add("NuTotalDuplicados", std::to_string(r.NuTotalDuplicados))
                                   .add("NuTotalImportados", std::to_string(r.NuTotalImportados))
                                   .add("CoImp", r.CoImp)
                                   .add("Seq", r.Seq)
                                   .add("texto", text));
      continue;
    }
    std::cout << r.CoCgcCeiEstabelecimento << "/" << r.NuPrefixoEstabelecimento << "  declarados "
              << r.NuVinculosEstabelecimento << "  importados " << r.NuTotalImportados << "  duplicados "
              << r.NuTotalDuplicados << "  desligados " << r.NuTotalDesligados;
    if (!r.CoImp.empty()) std::cout << "  (" << r.Seq << ") " << r.CoImp << " " << text;
    std::cout << "\n";
  }
}

void printSummary(const core::importing::ImportResult& result, std::size_t count,
                  const core::store::ReferenceLookup& reference, bool json) {
  printRows(result, count, reference, json);
  if (json) {
    writeJsonLine(std::cout, JsonObject()
                                 .add("estabelecimentos", static_cast<std::int64_t>(count))
                                 .add("importados", result.imported())
                                 .add("duplicados", result.duplicates())
                                 .add("desligados", result.ended()));
    return;
  }
  const auto notes = core::importing::importNotes(result.rows);
  if (!notes.empty()) {
    std::cout << "Notas:\n";
    for (const auto& n : notes) std::cout << "(" << n.seq << ") " << n.code << " " << core::validation::messageText(reference, n.code) << "\n";
  }
  std::cout << count << " estabelecimento(s): " << result.imported() << " vínculo(s) importado(s), "
            << result.duplicates() << " duplicado(s), " << result.ended() << " desligado(s).\n";
}

int import(const Options& o) {
  if (const std::string problem = core::declfile::inputFileProblem(o.file); !problem.empty()) {
    std::cerr << "torvex-cli importar: " << problem << "\n";
    return exit_status::kUsage;
  }
  core::jobs::ImportSettings settings;
  settings.file = o.file;
  settings.previousYear = o.previousYear;
  settings.takeResponsible = o.responsible;
  for (const auto& arg : o.establishments) {
    core::jobs::EstablishmentChoice choice;
    if (!parseChoice(arg, choice)) {
      std::cerr << "torvex-cli importar: estabelecimento inválido: " << arg
                << " (use INSCRICAO/PREFIXO, a inscrição só com os dígitos)\n";
      return exit_status::kUsage;
    }
    settings.establishments.push_back(choice);
  }
  ConsoleInteraction ui(/*yes=*/false);
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  core::store::Database db(o.folder);
  // The work tables are this run's until its last line of output.
  const core::store::WorkTablesHold hold(db);
  core::store::ReferenceLookup reference(db);
  const auto outcome = core::jobs::runImport(settings, db, reference, ui);
  switch (outcome.status) {
    case ImportStatus::StructureFinding:
      printStructureFindings(outcome.findings, reference, o.json, std::cout);
      return exit_status::kStructureFinding;
    case ImportStatus::Failed:
      std::cerr << "torvex-cli importar: " << outcome.failure << "\n";
      return exit_status::kUsage;
    case ImportStatus::ResponsibleRefused:
      std::cerr << "O responsável do arquivo tem erros: nada foi importado.\n";
      printFindings(db, reference, false, std::cerr);
      return exit_status::kNothingImported;
    case ImportStatus::Interrupted:
      printSummary(outcome.result, outcome.result.processed, reference, o.json);
      std::cerr << "Importação interrompida pelo usuário: os estabelecimentos já importados ficam completos.\n";
      return exit_status::kInterruptedBySignal;
    case ImportStatus::Imported:
    case ImportStatus::NothingImported:
      break;
  }
  printSummary(outcome.result, outcome.result.rows.size(), reference, o.json);
  if (outcome.responsibleStored && !o.json) std::cout << "Responsável do arquivo gravado.\n";
  return outcome.status == ImportStatus::Imported ? exit_status::kOk : exit_status::kNothingImported;
}

}  // namespace

Runner setupImportar(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("ARQUIVO", o->file, "Arquivo de declaração")->required();
  sub.add_flag("--ano-anterior", o->previousYear,
               "Arquivo do ano-base anterior (registros de 523 posições): só os vínculos não desligados");
  sub.add_option("--estabelecimento", o->establishments,
                 "INSCRICAO/PREFIXO de um estabelecimento do arquivo; pode repetir (padrão: todos)");
  sub.add_flag("--responsavel", o->responsible,
               "Grava também o responsável do arquivo (registro tipo 0), se não tiver erros");
  sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  sub.add_flag("--json", o->json, "Uma linha JSON por estabelecimento (colunas de TE8Imp e texto) e os totais");
  return [o]() { return import(*o); };
}

}  // namespace torvex::cli
