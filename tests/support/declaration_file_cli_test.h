#pragma once
// The set-up of the subcommands that read a declaration file (analisar,
// importar): a data folder, a file written into it, the subcommand run on it.
#include <gtest/gtest.h>

#include <string>

#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {

class DeclarationFileCliTest : public ::testing::Test {
 protected:
  // Writes `content` into the data folder; answers the file's path.
  std::string write(const std::string& content, const std::string& name = "declaracao.dec");
  // `COMMAND FILE --dados FOLDER OPTIONS` as a subprocess; no file when `file` is empty.
  CliResult run(const std::string& command, const std::string& file, const std::string& options = "--json");
  // A small sound file from the generator: four establishments, every second
  // one without links, six links; every `endedEvery`-th link dismissed (0: none).
  static std::string smallDeclaration(bool previousYear = false, long endedEvery = 0);

  TempDataFolder folder;
};

}  // namespace torvex::test
