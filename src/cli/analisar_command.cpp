// torvex-cli analisar: the analysis of a declaration file without a window.
// Step 1 is the structure analysis, which loads the work tables; a file with a
// structure finding stops there (exit 4). Step 2 is the full consistency check
// of the work tables (exit 0, 1 or 2 as for verificar).
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/analisar_gravar.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "core/product.h"
#include "core/consistency/check_engine.h"
#include "cli/json_lines.h"
#include "core/declfile/analise_estrutura.h"
#include "core/store/data_folder.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::cli {
namespace {

namespace fs = std::filesystem;
using core::declfile::TAnaliseEstrutura;
namespace result = core::declfile::result;

constexpr int kProgramBaseYear = core::product::kBaseYearNumber;

struct AnalisarOptions {
  std::string file;
  std::string dataFolder;
  bool previousYear = false;
  bool json = false;
  std::string rewriteFolder;  // --gravar: write the file again there when it has no errors
};

// What the structure analysis leaves for the steps that follow it.
struct AnalisarRun {
  std::unique_ptr<core::store::Database> db;  // the data folder, work tables loaded when sound
  std::unique_ptr<core::store::ReferenceLookup> reference;
  int flags = 0;
  std::int64_t establishments = 0;
  std::int64_t links = 0;
  bool sound() const { return (flags & (result::kFinding | result::kInterrupted | result::kReadFailed)) == 0; }
  bool rectification() const { return (flags & result::kRectification) != 0; }
};

void printLoaded(const AnalisarRun& run, bool json) {
  if (json) {
    writeJsonLine(std::cout, JsonObject()
                                 .add("estabelecimentos", run.establishments)
                                 .add("vinculos", run.links)
                                 .add("retificacao", run.rectification()));
    return;
  }
  std::cout << "Arquivo sem erros de estrutura: " << run.establishments << " estabelecimento(s) e " << run.links
            << " vínculo(s) carregados" << (run.rectification() ? " (declaração retificadora)" : "") << ".\n";
}

// Step 1: checks the inputs, opens the data folder and runs the structure analysis.
// Answers the exit status when the command ends here.
std::optional<int> analyseStructure(const AnalisarOptions& o, AnalisarRun& run) {
  std::error_code ec;
  if (const std::string problem = core::declfile::inputFileProblem(o.file); !problem.empty()) {
    std::cerr << "torvex-cli analisar: " << problem << "\n";
    return kExitUsage;
  }
  if (!fs::is_directory(o.dataFolder, ec)) {
    std::cerr << "torvex-cli analisar: pasta de dados não encontrada: " << o.dataFolder << "\n";
    return kExitUsage;
  }
  {
    // The data folder is checked before anything reads it, as every command does.
    ConsoleInteraction check(/*yes=*/false);
    if (!core::store::startupCheck(o.dataFolder, check)) {
      std::cerr << core::store::kMissingFilesMessage << "\n";
      return kExitUsage;
    }
  }
  try {
    run.db = std::make_unique<core::store::Database>(o.dataFolder);
    run.reference = std::make_unique<core::store::ReferenceLookup>(*run.db);
  } catch (const std::exception& e) {
    std::cerr << "torvex-cli analisar: não foi possível abrir a pasta de dados " << o.dataFolder << ": " << e.what()
              << "\n";
    return kExitUsage;
  }
  ConsoleInteraction ui(/*yes=*/false);
  TAnaliseEstrutura analyser;
  analyser.AnoAnterior = o.previousYear;
  run.flags = analyser.AnalisaArquivo(o.file, kProgramBaseYear, /*zeroValues=*/false, run.establishments, run.links,
                                      *run.db, ui);
  if (run.flags & result::kFinding) {
    printStructureFindings(analyser.findings(), *run.reference, o.json, std::cout);
    return kExitStructureFinding;
  }
  if (run.flags & (result::kReadFailed | result::kInterrupted)) {
    if (run.flags & result::kInterrupted) std::cerr << "torvex-cli analisar: análise interrompida.\n";
    return kExitUsage;
  }
  return std::nullopt;
}

// Step 2: the consistency check as the analyse wizard runs it: work tables, no
// selection, no base-year filter, the responsible checks and the file flag.
int checkConsistency(const AnalisarOptions& o, AnalisarRun& run) {
  ConsoleInteraction ui(/*yes=*/false);
  core::consistency::CheckEngine engine(*run.db, *run.reference, ui);
  core::consistency::CheckParameters p;
  p.useWorkTables = true;
  p.checkResponsible = true;
  p.fileFlag = true;
  const int bits = engine.run(p);
  return reportCheck(bits, *run.db, *run.reference, o.json, std::cout);
}

const bool registered = registerCommand(
    20, "analisar", "Analisa um arquivo de declaração: estrutura e inconsistências (Analisador)",
    [](CLI::App& sub) -> Runner {
      auto o = std::make_shared<AnalisarOptions>();
      o->dataFolder = defaultDataFolder().string();
      sub.add_option("ARQUIVO", o->file, "Arquivo de declaração")->required();
      sub.add_flag("--ano-anterior", o->previousYear, "Lê o leiaute do ano-base anterior (registros de 523 posições)");
      sub.add_option("--dados", o->dataFolder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
      sub.add_flag("--json", o->json, "Resultado em JSON Lines");
      sub.add_option("--gravar", o->rewriteFolder,
                     "Sem erros, grava o arquivo de novo nesta pasta e imprime cada arquivo gravado "
                     "(saída 5 falha, 6 interrompido: já existe um arquivo de mesmo nome)");
      return [o]() {
        if (o->previousYear && !o->rewriteFolder.empty()) {
          // The writer writes the current layout only: a previous-year file is not rewritten.
          std::cerr << "torvex-cli analisar: --gravar não se aplica a arquivos do ano anterior (--ano-anterior).\n";
          return kExitUsage;
        }
        AnalisarRun run;
        if (auto exit = analyseStructure(*o, run)) return *exit;
        printLoaded(run, o->json);
        const int status = checkConsistency(*o, run);
        if (o->rewriteFolder.empty() || status == kExitErrors) return status;
        const int rewrite = rewriteAnalysedFile(*run.db, o->rewriteFolder, run.rectification(), o->json);
        return rewrite != 0 ? rewrite : status;
      };
    });

}  // namespace
}  // namespace torvex::cli
