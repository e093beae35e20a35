// torvex-cli analisar: the analysis of a declaration file without a window.
// Step 1 is the structure analysis, which loads the work tables; a file with a
// structure finding stops there (exit 4). Step 2 is the full consistency check
// of the work tables (exit 0, 1 or 2 as for verificar). With --gravar, a file
// without errors is then written again.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "cli/json_lines.h"
#include "core/delivery/analysed_file_rewrite.h"
#include "core/delivery/destination_folder.h"
#include "core/jobs/analyse_file_job.h"
#include "core/delivery/folder_media.h"
#include "core/store/data_folder.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"
#include "core/store/work_tables_lock.h"
#include "core/validation/message_dialog.h"

namespace torvex::cli {
namespace {

namespace fs = std::filesystem;
using core::jobs::AnalyseFileResult;

struct AnalisarOptions {
  std::string file;
  std::string dataFolder = defaultDataFolder().string();
  bool previousYear = false;
  bool json = false;
  std::string rewriteFolder;  // --gravar: write the file again there when it has no errors
};

void printLoaded(const core::declfile::AnalysisOutcome& s, bool json) {
  if (json) {
    writeJsonLine(std::cout, JsonObject()
                                 .add("estabelecimentos", s.establishments)
                                 .add("vinculos", s.links)
                                 .add("retificacao", s.rectification));
    return;
  }
  std::cout << "Arquivo sem erros de estrutura: " << s.establishments << " estabelecimento(s) e " << s.links
            << " vínculo(s) carregados" << (s.rectification ? " (declaração retificadora)" : "") << ".\n";
}

void printRewritten(const core::delivery::WriteOutcome& w, bool json) {
  for (const auto& f : w.files) {
    if (json)
      writeJsonLine(std::cout, JsonObject().add("arquivo", f.path.string()).add("digest", f.digest));
    else
      std::cout << f.path.string() << "\n";
  }
}

int analyse(const AnalisarOptions& o) {
  if (o.previousYear && !o.rewriteFolder.empty()) {
    // The writer writes the current layout only: a previous-year file is not rewritten.
    std::cerr << "torvex-cli analisar: --gravar não se aplica a arquivos do ano anterior (--ano-anterior).\n";
    return exit_status::kUsage;
  }
  std::error_code ec;
  if (const std::string problem = core::declfile::inputFileProblem(o.file); !problem.empty()) {
    std::cerr << "torvex-cli analisar: " << problem << "\n";
    return exit_status::kUsage;
  }
  if (!fs::is_directory(o.dataFolder, ec)) {
    std::cerr << "torvex-cli analisar: pasta de dados não encontrada: " << o.dataFolder << "\n";
    return exit_status::kUsage;
  }
  const bool rewrite = !o.rewriteFolder.empty();
  if (rewrite) {
    // The destination is checked before the work: the rewritten file is about the size of this one.
    const auto size = fs::file_size(o.file, ec);
    if (const std::string problem = core::delivery::destinationProblem(o.rewriteFolder, ec ? 0 : size);
        !problem.empty()) {
      std::cerr << "torvex-cli analisar: o arquivo não pode ser gravado de novo: " << problem << "\n";
      return exit_status::kRewriteFailed;
    }
  }
  {
    // The data folder is checked before anything reads it, as every command does.
    ConsoleInteraction check(/*yes=*/false);
    if (!dataFolderReady(o.dataFolder, check)) return exit_status::kUsage;
  }
  std::unique_ptr<core::store::Database> db;
  std::unique_ptr<core::store::ReferenceLookup> reference;
  try {
    db = std::make_unique<core::store::Database>(o.dataFolder);
    reference = std::make_unique<core::store::ReferenceLookup>(*db);
  } catch (const std::exception& e) {
    if (const auto busy = inUseExit(e)) return *busy;
    std::cerr << "torvex-cli analisar: não foi possível abrir a pasta de dados " << o.dataFolder << ": " << e.what()
              << "\n";
    return exit_status::kUsage;
  }
  // The work tables are this run's until its last line of output.
  const core::store::WorkTablesHold hold(*db);
  // Nobody can answer here: a file of the same name is not overwritten.
  ConsoleInteraction ui(/*yes=*/false);
  std::optional<core::delivery::FolderMedia> media;
  if (rewrite) media.emplace(o.rewriteFolder);

  core::jobs::AnalyseFileSettings settings;
  settings.file = o.file;
  settings.previousYear = o.previousYear;
  settings.rewriteTo = media ? &*media : nullptr;
  const auto out = core::jobs::analyseFile({*db, *reference, ui}, settings);
  switch (out.result) {
    case AnalyseFileResult::StructureFinding:
      printStructureFindings(out.structure.findings, *reference, o.json, std::cout);
      return exit_status::kStructureFinding;
    case AnalyseFileResult::ReadFailed: return exit_status::kUsage;
    case AnalyseFileResult::AnalysisInterrupted:
      std::cerr << "torvex-cli analisar: análise interrompida.\n";
      return exit_status::kUsage;
    default: break;
  }
  printLoaded(out.structure, o.json);
  const int status = reportCheck(out.check, *db, *reference, o.json, std::cout);
  if (!rewrite || out.result == AnalyseFileResult::CheckInterrupted || out.check.errors) return status;
  if (out.result != AnalyseFileResult::Rewritten) {
    std::cerr << core::validation::plainLineBreaks(
                     core::delivery::analysedFileRewriteMessage(out.rewrite->result, out.rewrite->failureCause))
              << "\n";
    return out.result == AnalyseFileResult::RewriteInterrupted ? exit_status::kRewriteInterrupted
                                                               : exit_status::kRewriteFailed;
  }
  printRewritten(*out.rewrite, o.json);
  return status;
}

}  // namespace

Runner setupAnalisar(CLI::App& sub) {
  auto o = std::make_shared<AnalisarOptions>();
  sub.add_option("ARQUIVO", o->file, "Arquivo de declaração")->required();
  sub.add_flag("--ano-anterior", o->previousYear, "Lê o leiaute do ano-base anterior (registros de 523 posições)");
  sub.add_option("--dados", o->dataFolder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  sub.add_flag("--json", o->json, "Resultado em JSON Lines");
  sub.add_option("--gravar", o->rewriteFolder,
                 "Sem erros, grava o arquivo de novo nesta pasta e imprime cada arquivo gravado");
  return [o]() { return analyse(*o); };
}

}  // namespace torvex::cli
