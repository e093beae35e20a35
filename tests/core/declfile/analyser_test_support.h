#pragma once
// Shared by the analyser and loader tests: a data folder, a scripted user, an
// analyser, generated files split into records for mutation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/declaration_generator.h"
#include "core/declfile/analise_estrutura.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::declfile::testing {

struct Outcome : AnalysisOutcome {
  std::vector<StructureFinding> rows;  // read back from Te8stru
};

// Records of a generated file without their separators (CR LF).
inline std::vector<std::string> splitRecords(const std::string& text, int recordLength) {
  std::vector<std::string> out;
  const std::size_t stride = static_cast<std::size_t>(recordLength) + 2;
  for (std::size_t at = 0; at + stride <= text.size(); at += stride) out.push_back(text.substr(at, recordLength));
  return out;
}

inline std::string joinRecords(const std::vector<std::string>& records, const std::string& separator = "\r\n") {
  std::string out;
  for (const auto& r : records) out += r + separator;
  return out;
}

// Writes positions 1-6 of every record as its ordinal number.
inline void renumber(std::vector<std::string>& records) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    std::string n = std::to_string(i + 1);
    records[i].replace(0, 6, std::string(6 - n.size(), '0') + n);
  }
}

inline std::string generated(test::GeneratorOptions o) { return test::DeclarationGenerator(std::move(o)).text(); }

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
