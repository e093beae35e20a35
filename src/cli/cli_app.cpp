#include "cli/cli_app.h"

#include "core/product.h"
#include <iostream>
#include <vector>

#include "cli/commands.h"
#include "core/store/data_folder.h"
#include "core/store/engine_error.h"
#include "core/store/folder_lock.h"
#include "core/store/work_tables_lock.h"

namespace torvex::cli {

std::filesystem::path executableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path defaultDataFolder() { return executableFolder() / "dados"; }

bool dataFolderReady(const std::filesystem::path& folder, core::platform::Interaction& ui) {
  const std::string problem = core::store::startupCheckProblem(folder, ui);
  if (problem.empty()) return true;
  std::cerr << problem << "\n";
  return false;
}

std::optional<int> inUseExit(const std::exception& e) {
  const auto* engine = dynamic_cast<const core::store::EngineError*>(&e);
  const bool locked = engine && engine->code() == core::store::engine_code::kDatabaseLocked;
  if (!locked && !dynamic_cast<const core::store::WorkTablesBusy*>(&e)) return std::nullopt;
  std::cerr << "torvex-cli: " << (locked ? core::store::kDataFolderBusyMessage : e.what()) << "\n";
  return exit_status::kWorkTablesBusy;
}

int run(int argc, char** argv) {
  using core::product::kBaseYear;
  using core::product::kVersion;
  CLI::App app{"torvex-cli — Gerador de Declaração Keva " + std::string(kBaseYear) + " [Versão: " + std::string(kVersion) +
               "], sem janelas."};
  app.footer(exitStatusHelp());
  app.set_help_flag("-h,--help", "Mostra esta ajuda e termina");
  app.set_version_flag("--versao", std::string(kVersion), "Mostra a versão e termina");
  app.require_subcommand(1, 1);
  std::vector<std::pair<CLI::App*, Runner>> runners;
  for (const Command& c : commandTable()) {
    CLI::App* sub = app.add_subcommand(c.name, c.description);
    sub->footer(exitStatusHelp(c.name));
    runners.emplace_back(sub, c.setup(*sub));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int rc = app.exit(e);
    return rc == 0 ? exit_status::kOk : exit_status::kUsage;
  }
  for (auto& [sub, runner] : runners)
    if (sub->parsed()) {
      try {
        return runner();
      } catch (const std::exception& ex) {
        if (const auto busy = inUseExit(ex)) return *busy;
        std::cerr << "torvex-cli: " << ex.what() << "\n";
        return exit_status::kUsage;
      }
    }
  return exit_status::kUsage;
}

}  // namespace torvex::cli
