#include "cli/exit_status.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace torvex::cli {
namespace {

// The README shows the table of exit statuses row for row.
TEST(ExitStatus, TheReadmeShowsEveryRowOfTheTable) {
  std::ifstream in(std::string(TORVEX_TEST_SOURCE_DIR) + "/README.md");
  std::stringstream readme;
  readme << in.rdbuf();
  for (const auto& row : kExitStatusTable) {
    const std::string line =
        "| " + std::to_string(row.code) + " | " + row.commands + " | " + row.meaning + " |";
    EXPECT_NE(readme.str().find(line), std::string::npos) << line;
  }
}

TEST(ExitStatus, EachCommandsHelpListsOnlyItsOwnRows) {
  const std::string gravar = exitStatusHelp("gravar");
  EXPECT_NE(gravar.find("recusado: há erros"), std::string::npos);
  EXPECT_EQ(gravar.find("apenas avisos"), std::string::npos);
  EXPECT_NE(exitStatusHelp("analisar").find("a nova gravação do arquivo falhou"), std::string::npos);
  const std::string all = exitStatusHelp();
  for (const auto& row : kExitStatusTable) EXPECT_NE(all.find(row.meaning), std::string::npos) << row.meaning;
}

}  // namespace
}  // namespace torvex::cli
