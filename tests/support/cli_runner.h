#pragma once
// Runs torvex-cli as a subprocess and collects its exit status and output.
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

// A path or word quoted for the shell.
std::string quoted(const std::string& text);

}  // namespace torvex::test
