// torvex-cli verificar: the verify-inconsistencies wizard without a window. It
// checks every stored establishment of the base year and prints the findings.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/findings_output.h"
#include "core/validation/message_dialog.h"
#include "core/consistency/check_context.h"
#include "core/consistency/check_engine.h"
#include "core/store/data_folder.h"
#include "core/store/reference_lookup.h"

namespace torvex::cli {
namespace {

struct Options {
  std::string folder = defaultDataFolder().string();
  bool json = false;
};

bool hasEstablishmentsOfBaseYear(core::store::Database& db) {
  auto s = db.prepare("SELECT count(*) FROM BD8Emp WHERE AnBase = :a");
  s.bind(":a", core::consistency::kBaseYear);
  return s.step() && s.integer(0) > 0;
}

int verify(const Options& o) {
  // Nobody can answer questions here; nothing in a run without a Cancel asks any.
  ConsoleInteraction ui(false);
  if (!core::store::startupCheck(o.folder, ui)) {
    std::cerr << core::store::kMissingFilesMessage << "\n";
    return kExitUsage;
  }
  core::store::Database db(o.folder);
  core::store::ReferenceLookup reference(db);
  if (!hasEstablishmentsOfBaseYear(db)) {
    std::cerr << core::validation::messageText(reference, "1700") << "\n";
    return kExitOk;
  }
  core::consistency::CheckEngine engine(db, reference, ui);
  core::consistency::CheckParameters p;
  p.baseYearFilter = std::string(core::consistency::kBaseYear);
  const int bits = engine.run(p);
  return reportCheck(bits, db, reference, o.json, std::cout);
}

const bool registered = registerCommand(
    20, "verificar", "Verifica as inconsistências das declarações gravadas do ano-base (Verificar Inconsistências)",
    [](CLI::App& sub) -> Runner {
      auto o = std::make_shared<Options>();
      sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
      sub.add_flag("--json", o->json, "Uma linha JSON por registro de Te8ErrWa, em vez do relatório em texto");
      sub.footer("Códigos de saída: 0 nada encontrado, 1 apenas avisos, 2 erros, 3 uso incorreto ou erro de "
                 "entrada e saída.");
      return [o]() { return verify(*o); };
    });

}  // namespace
}  // namespace torvex::cli
