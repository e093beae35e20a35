// The delivered reference data: every CSV loads, the tables hold the complete
// code lists, and the CEP data agrees with the CEP rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/store/data_folder.h"
#include "core/store/reference_lookup.h"
#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

namespace fs = std::filesystem;
using test::TempDataFolder;

std::set<std::string> column(Database& db, const std::string& sql) {
  std::set<std::string> out;
  Statement st = db.prepare(sql);
  while (st.step()) out.insert(st.text(0));
  return out;
}

TEST(ReferenceData, EveryCsvLoadsWithinTheWidthsWithUniqueKeys) {
  // Loading refuses a value wider than its field and a repeated key.
  const fs::path dir = test::makeTempDirectory("torvex-ref");
  EXPECT_NO_THROW(layDownDataFolder(dir, TORVEX_TEST_REFERENCE_CSV_DIR));
  fs::remove_all(dir);

  // A file whose name does not match a table exactly would be skipped silently.
  std::set<std::string> referenceTables;
  for (const auto& def : tableDefinitions())
    if (def.db == DbFile::Reference) referenceTables.insert(def.name);
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(TORVEX_TEST_REFERENCE_CSV_DIR))
    if (entry.path().extension() == ".csv") files.insert(entry.path().stem().string());
  for (const auto& f : files) EXPECT_TRUE(referenceTables.count(f)) << f << ".csv names no reference table";
  // No rule reads the union-entity tables; they may ship empty.
  const std::set<std::string> mayBeEmpty{"tbEmpreg", "tbTrab", "tbSindic"};
  for (const auto& t : referenceTables) EXPECT_TRUE(files.count(t) || mayBeEmpty.count(t)) << "no data for " << t;
}

TEST(ReferenceData, TablesHoldTheCompleteLists) {
  TempDataFolder folder;
  auto& db = folder.db();
  struct Count {
    const char* table;
    std::int64_t rows;
  };
  const Count counts[] = {
      {"TbUf", 27},
      {"tbUfCep", 31},
      {"tb8MUNIC", 5570 + 27},          // municipalities and state headings
      {"tb8Cnae", 1332 + 87},           // CNAE 2.0 subclasses and divisions
      {"tb8cbo", 2592 + 615 + 195 + 49},  // occupations, families, subgroups, main subgroups
      {"tb8NATJU", 83},
      {"tb8INSTR", 11},
      {"TB8BASE", 12},
      {"tb8Afast", 7},
      {"tbDefi", 6},
  };
  for (const auto& c : counts) EXPECT_EQ(db.rowCount(c.table), c.rows) << c.table;

  // Every code the link rules name must be a key of its table.
  struct Codes {
    const char* sql;
    std::vector<std::string> codes;
  };
  const Codes sets[] = {
      {"SELECT CoVinculo FROM tb8vinc",
       {"10", "15", "20", "25", "30", "31", "35", "40", "50", "55", "60", "65", "70", "75", "80", "90", "95", "96", "97"}},
      {"SELECT CoCausaDesligamento FROM tb8DESL",
       {"10", "11", "21", "22", "30", "31", "40", "50", "60", "70", "71", "72", "73", "74", "75", "76", "78", "79", "80"}},
      {"SELECT CoAfastamento FROM tb8Afast", {"10", "20", "30", "40", "50", "60", "70"}},
      {"SELECT CoInstrucao FROM tb8INSTR", {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11"}},
      {"SELECT CoNacionalidade FROM tb8NACIO", {"10", "20"}},
      {"SELECT CoRaca FROM Tb8raca", {"9"}},
      {"SELECT CoTipoDeficiencia FROM tbDefi", {"1", "2", "3", "4", "5", "6"}},
      {"SELECT CoNaturezaJuridica FROM tb8NATJU", {"1015", "1031", "1040", "1074", "1104", "1139", "1163", "2062"}},
      {"SELECT CoCbo FROM tb8cbo", {"111105", "111110", "111230", "111235", "111240", "111245", "111250", "111255"}},
  };
  for (const auto& s : sets) {
    const auto keys = column(db, s.sql);
    for (const auto& code : s.codes) EXPECT_TRUE(keys.count(code)) << s.sql << ": " << code;
  }
}

TEST(ReferenceData, MunicipalitiesUnderTheirStateHeadingsWithDeclarableNames) {
  TempDataFolder folder;
  auto& db = folder.db();
  const auto states = column(db, "SELECT CoUf FROM TbUf");
  std::string heading;
  int municipalities = 0;
  Statement st = db.prepare("SELECT CoMunicipio, NoMunicipio FROM tb8MUNIC ORDER BY CoMunicipio");
  while (st.step()) {
    const std::string code = st.text(0);
    // The name is copied into 30-character declaration fields and compared
    // with the upper-case name read back from a declaration file.
    const std::string name = st.text(1);
    EXPECT_LE(name.size(), 30u) << code;
    EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return c >= ' ' && c <= '~' && !std::islower(c); }))
        << code << " " << name;
    if (code.size() == 2) {
      EXPECT_TRUE(states.count(code)) << code;
      heading = code;
      continue;
    }
    ASSERT_EQ(code.size(), 7u) << code;
    EXPECT_EQ(code.substr(0, 2), heading) << code << " is not under its state heading";
    ++municipalities;
  }
  EXPECT_EQ(municipalities, 5570);
}

TEST(ReferenceData, EveryMunicipalityAcceptsItsOwnCeps) {
  // The first and last CEP of every block of a municipality must pass both the
  // municipality rule and the state rule, or a correct declaration would fail.
  TempDataFolder folder;
  auto& db = folder.db();
  ReferenceLookup lookup(db);
  int checked = 0;
  Statement st = db.prepare(
      "SELECT m.CoMunicipio, m.CoCep, f.CoCep1Inicial, f.CoCep1Final, f.CoCep2Inicial, f.CoCep2Final "
      "FROM tb8MUNIC m LEFT JOIN tb8FXCEP f ON f.CoMunicipio = m.CoMunicipio WHERE length(m.CoMunicipio) = 7");
  while (st.step()) {
    const std::string code = st.text(0);
    std::vector<std::string> ceps;
    if (!st.text(1).empty()) ceps = {st.text(1) + "000", st.text(1) + "999"};
    for (int c = 2; c <= 4; c += 2)
      if (!st.text(c).empty()) {
        ceps.push_back(st.text(c) + "000");
        ceps.push_back(st.text(c + 1) + "999");
      }
    EXPECT_TRUE(lookup.municipalityHasCepData(code)) << code;
    for (const auto& cep : ceps) {
      EXPECT_TRUE(lookup.cepBelongsToMunicipality(cep, code)) << code << " " << cep;
      EXPECT_TRUE(lookup.cepBelongsToState(cep, code.substr(0, 2))) << code << " " << cep;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 5570);
}

}  // namespace
}  // namespace torvex::core::store
