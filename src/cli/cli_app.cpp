#include "cli/cli_app.h"

#include "core/product.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <vector>

#include "cli/commands.h"

namespace torvex::cli {
namespace {

struct Entry {
  int order;
  std::string name;
  std::string description;
  Setup setup;
};

std::vector<Entry>& registry() {
  static std::vector<Entry> entries;
  return entries;
}

}  // namespace

bool registerCommand(int order, std::string name, std::string description, Setup setup) {
  registry().push_back({order, std::move(name), std::move(description), std::move(setup)});
  return true;
}

std::filesystem::path executableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path defaultDataFolder() { return executableFolder() / "dados"; }

int run(int argc, char** argv) {
  using core::product::kBaseYear;
  using core::product::kVersion;
  CLI::App app{"torvex-cli — Gerador de Declaração Keva " + std::string(kBaseYear) + " [Versão: " + std::string(kVersion) +
               "], sem janelas.\n"
               "Códigos de saída comuns: 0 sucesso, 3 uso incorreto ou erro de entrada e saída."};
  app.set_help_flag("-h,--help", "Mostra esta ajuda e termina");
  app.set_version_flag("--versao", std::string(kVersion), "Mostra a versão e termina");
  app.require_subcommand(1, 1);
  auto entries = registry();
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
  std::vector<std::pair<CLI::App*, Runner>> runners;
  for (auto& e : entries) {
    CLI::App* sub = app.add_subcommand(e.name, e.description);
    runners.emplace_back(sub, e.setup(*sub));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int rc = app.exit(e);
    return rc == 0 ? kExitOk : kExitUsage;
  }
  for (auto& [sub, runner] : runners)
    if (sub->parsed()) {
      try {
        return runner();
      } catch (const std::exception& ex) {
        std::cerr << "torvex-cli: " << ex.what() << "\n";
        return kExitUsage;
      }
    }
  return kExitUsage;
}

}  // namespace torvex::cli
