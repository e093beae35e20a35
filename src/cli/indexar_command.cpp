// torvex-cli indexar: the "Indexar Arquivos" command without a window.
#include <iostream>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "core/store/data_folder.h"
#include "core/store/engine_error.h"

namespace torvex::cli {
namespace {

const bool registered = registerCommand(90, "indexar", "Refaz os índices da pasta de dados (Indexar Arquivos)",
                                        [](CLI::App& sub) -> Runner {
  auto folder = std::make_shared<std::string>(defaultDataFolder().string());
  sub.add_option("--dados", *folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  return [folder]() {
    ConsoleInteraction ui;
    if (!core::store::startupCheck(*folder, ui)) {
      std::cerr << core::store::kMissingFilesMessage << "\n";
      return kExitUsage;
    }
    core::store::Database db(*folder);
    return core::store::reindexAll(db, ui) ? kExitOk : 1;
  };
});

}  // namespace
}  // namespace torvex::cli
