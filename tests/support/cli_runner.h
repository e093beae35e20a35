#pragma once
// Runs torvex-cli as a subprocess and collects its exit status and output.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace torvex::test {

struct CliResult {
  int status = -1;           // exit status; -1 when it did not exit normally
  std::string out;           // standard output
  std::string err;           // standard error
  std::vector<std::string> lines;  // standard output, line by line
};

// `args` are passed through the shell; quote paths that may hold blanks. A run
// that hangs is ended after five minutes.
CliResult runTorvexCli(const std::string& args);
// The same for another program (a copy of torvex-cli put elsewhere, for example).
CliResult runProgram(const std::string& program, const std::string& args);

// Runs `script` (sh) with a small empty disk of `kilobytes` mounted at
// `mountPoint` (an existing folder), in a mount namespace of its own, so that
// writes there fill the disk; TORVEX_CLI in the script names torvex-cli. What
// the script leaves on the disk is gone when it ends: it prints what it wants
// to check. nullopt when this system does not let a test mount a disk.
std::optional<CliResult> runOnSmallDisk(const std::filesystem::path& mountPoint, int kilobytes,
                                        const std::string& script);

// Stores a generated sound declaration (2 establishments, `links` links) in
// `dataFolder` with `importar`, and its responsible with `responsavel`, as a
// user would; answers whether both succeeded.
bool storeGeneratedDeclaration(const std::filesystem::path& dataFolder, int links);

// A path or word quoted for the shell.
std::string quoted(const std::string& text);

}  // namespace torvex::test
