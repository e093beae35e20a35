// torvex-cli indexar: the "Indexar Arquivos" command without a window.
#include <iostream>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "core/store/data_folder.h"
#include "core/store/engine_error.h"

namespace torvex::cli {

Runner setupIndexar(CLI::App& sub) {
  auto folder = std::make_shared<std::string>(defaultDataFolder().string());
  sub.add_option("--dados", *folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  return [folder]() {
    ConsoleInteraction ui;
    if (!dataFolderReady(*folder, ui)) return exit_status::kUsage;
    core::store::Database db(*folder);
    return core::store::reindexAll(db, ui) ? exit_status::kOk : exit_status::kRefused;
  };
}

}  // namespace torvex::cli
