#pragma once
// Shared by the analyser and loader tests: a data folder, a scripted user, an
// analyser, generated files split into records for mutation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "generator/declaration_generator.h"
#include "support/record_text.h"
#include "core/declfile/analise_estrutura.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::declfile::testing {

struct Outcome : AnalysisOutcome {
  std::vector<StructureFinding> rows;  // read back from Te8stru
};

using test::joinRecords;
using test::renumber;
using test::splitRecords;

inline std::string generated(generator::GeneratorOptions o) { return generator::DeclarationGenerator(std::move(o)).text(); }

class AnalyserTest : public ::testing::Test {
 protected:
  Outcome analyse(const std::string& content, bool previousYear = false, bool zeroValues = false) {
    const auto file = folder.path() / "entrada.dec";
    {
      std::ofstream out(file, std::ios::binary);
      out << content;
    }
    AnalysisSettings settings;
    settings.previousYear = previousYear;
    settings.zeroValues = zeroValues;
    Outcome o;
    static_cast<AnalysisOutcome&>(o) = analyser.AnalisaArquivo(file, settings, folder.db(), ui);
    o.rows = readStructureFindings(folder.db());
    return o;
  }
  std::string text(const std::string& sql) {
    auto st = folder.db().prepare(sql);
    return st.step() ? st.text(0) : "<no row>";
  }

  test::TempDataFolder folder;
  test::ScriptedInteraction ui;
  TAnaliseEstrutura analyser;
};

}  // namespace torvex::core::declfile::testing
