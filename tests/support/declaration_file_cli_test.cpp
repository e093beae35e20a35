#include "support/declaration_file_cli_test.h"

#include <fstream>

#include "generator/declaration_generator.h"

namespace torvex::test {

std::string DeclarationFileCliTest::write(const std::string& content, const std::string& name) {
  const auto file = folder.path() / name;
  std::ofstream(file, std::ios::binary) << content;
  return file.string();
}

CliResult DeclarationFileCliTest::run(const std::string& command, const std::string& file, const std::string& options) {
  return runTorvexCli(command + " " + (file.empty() ? "" : quoted(file) + " ") + "--dados " +
                      quoted(folder.path().string()) + " " + options);
}

std::string DeclarationFileCliTest::smallDeclaration(bool previousYear, long endedEvery) {
  generator::GeneratorOptions o;
  o.establishments = 4;
  o.withoutLinksEvery = 2;
  o.links = 6;
  o.previousYear = previousYear;
  o.endedEvery = endedEvery;
  return generator::DeclarationGenerator(o).text();
}

}  // namespace torvex::test
