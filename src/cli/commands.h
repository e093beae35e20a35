#pragma once
// The subcommands of torvex-cli. Each lives in its own file as a setup function
// that declares its options and returns what runs it; the table in
// command_table.cpp lists them in the order of the help text. Adding one: write
// `<name>_command.cpp` with its setup function, declare it here, add its row.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "cli/exit_status.h"
#include "core/platform/interaction.h"

namespace torvex::cli {

// Runs a parsed subcommand; answers the process exit status.
using Runner = std::function<int()>;
// Declares a subcommand's options on `sub` and returns what runs it.
using Setup = Runner (*)(CLI::App& sub);

struct Command {
  const char* name;
  const char* description;
  Setup setup;
};

// Every subcommand, in help order.
std::span<const Command> commandTable();

Runner setupAnalisar(CLI::App& sub);
Runner setupVerificar(CLI::App& sub);
Runner setupImportar(CLI::App& sub);
Runner setupGravar(CLI::App& sub);
Runner setupRelatorio(CLI::App& sub);
Runner setupIndexar(CLI::App& sub);
Runner setupTransmitir(CLI::App& sub);
Runner setupProtocolo(CLI::App& sub);
Runner setupResponsavel(CLI::App& sub);
Runner setupCopia(CLI::App& sub);
Runner setupRestaurar(CLI::App& sub);

// The data folder beside the executable ("dados").
std::filesystem::path defaultDataFolder();
// The folder that holds the executable.
std::filesystem::path executableFolder();
// Whether the data folder holds what every command needs; when it does not,
// the reinstall message has gone to standard error (the command exits kUsage).
bool dataFolderReady(const std::filesystem::path& folder, core::platform::Interaction& ui);
// When `e` says that another program holds the data folder (its work tables,
// or its declarations inside a write), prints the in-use message and answers
// exit_status::kWorkTablesBusy; nullopt for any other failure.
std::optional<int> inUseExit(const std::exception& e);

}  // namespace torvex::cli
