#pragma once
// Subcommands register themselves here, each from its own file, so that adding
// one touches nothing else.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <string>

namespace torvex::cli {

// Runs a parsed subcommand; answers the process exit status.
using Runner = std::function<int()>;
// Declares a subcommand's options on `sub` and returns what runs it.
using Setup = std::function<Runner(CLI::App& sub)>;

// `order` places the subcommand in the help listing.
bool registerCommand(int order, std::string name, std::string description, Setup setup);

// Exit statuses shared by the subcommands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 3;
// A run stopped with Ctrl-C, as shells report a program ended by SIGINT.
inline constexpr int kExitInterruptedBySignal = 130;

// The data folder beside the executable ("dados").
std::filesystem::path defaultDataFolder();
// The folder that holds the executable.
std::filesystem::path executableFolder();

}  // namespace torvex::cli
