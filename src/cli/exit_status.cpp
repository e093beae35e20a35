#include "cli/exit_status.h"

#include <algorithm>

namespace torvex::cli {

namespace {
// Whether a row's command list names `command` (a subcommand, possibly with an option).
bool appliesTo(std::string_view commands, std::string_view command) {
  if (command.empty() || commands == "todos") return true;
  while (!commands.empty()) {
    const auto comma = commands.find(", ");
    const auto item = commands.substr(0, comma);
    if (item == command || item.substr(0, item.find(' ')) == command) return true;
    if (comma == std::string_view::npos) break;
    commands.remove_prefix(comma + 2);
  }
  return false;
}
}  // namespace

std::string exitStatusHelp(std::string_view command) {
  std::string out = "Códigos de saída:\n";
  for (const auto& row : kExitStatusTable) {
    if (!appliesTo(row.commands, command)) continue;
    std::string code = std::to_string(row.code);
    out += "  " + std::string(4 - std::min<std::size_t>(code.size(), 3), ' ') + code + "  ";
    if (command.empty()) out += std::string("(") + row.commands + ") ";
    out += row.meaning;
    out += "\n";
  }
  return out;
}

}  // namespace torvex::cli
