// torvex-cli verificar: the verify-inconsistencies wizard without a window. It
// checks every stored establishment of the base year and prints the findings.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "core/jobs/verify_declarations_job.h"
#include "core/validation/message_dialog.h"
#include "core/store/data_folder.h"
#include "core/store/reference_lookup.h"
#include "core/store/work_tables_lock.h"

namespace torvex::cli {
namespace {

struct Options {
  std::string folder = defaultDataFolder().string();
  bool json = false;
};

int verify(const Options& o) {
  // Nobody can answer questions here; nothing in a run without a Cancel asks any.
  ConsoleInteraction ui(false);
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  core::store::Database db(o.folder);
  // The work tables are this run's until its last line of output.
  const core::store::WorkTablesHold hold(db);
  core::store::ReferenceLookup reference(db);
  const auto outcome = core::jobs::verifyDeclarations({db, reference, ui});
  if (outcome.result == core::jobs::VerifyResult::NothingToCheck) {
    std::cerr << core::validation::messageText(reference, "1700") << "\n";
    return exit_status::kOk;
  }
  return reportCheck(outcome.check, db, reference, o.json, std::cout);
}

}  // namespace

Runner setupVerificar(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  sub.add_flag("--json", o->json, "Uma linha JSON por registro de Te8ErrWa, em vez do relatório em texto");
  return [o]() { return verify(*o); };
}

}  // namespace torvex::cli
