#include "core/consistency/check_engine.h"

#include <gtest/gtest.h>

#include "core/consistency/check_context.h"
#include "support/declaration_samples.h"

namespace torvex::core::consistency {
namespace {

using test::CheckBench;
using test::Values;

// Three establishments of 2006 with prefixes 00, 01, 02, each with one valid link.
void threeEstablishments(CheckBench& b, const std::string& openOperation = "") {
  for (const char* prefix : {"00", "01", "02"}) {
    Values e = test::validEstablishment();
    e["NuPrefixoEstabelecimento"] = prefix;
    e["InOpcaoAberta"] = openOperation;
    test::insertRow(b.db, "BD8Emp", e);
    test::insertRow(b.db, "BD8Vinc", test::validLink(e));
  }
}

std::vector<std::string> prefixesWithRows(store::Database& db) {
  std::vector<std::string> out;
  for (const auto& r : test::errorRows(db))
    if (out.empty() || out.back() != r["prefixo"]) out.push_back(r["prefixo"]);
  return out;
}

TEST(CheckEngine, NothingToCheckIsCleanAndLeavesNoErrorTable) {
  CheckBench b;
  EXPECT_EQ(b.verify().result, CheckResult::Clean);
  EXPECT_FALSE(b.db.tableExists("Te8ErrWa"));
}

TEST(CheckEngine, AValidDeclarationProducesNoRow) {
  CheckBench b;
  const Values e = test::validEstablishment();
  test::insertRow(b.db, "BD8Emp", e);
  test::insertRow(b.db, "BD8Vinc", test::validLink(e));
  const auto out = b.verify();
  EXPECT_EQ(out.result, CheckResult::Clean) << testing::PrintToString(test::findingLines(b.db));
  EXPECT_FALSE(b.db.tableExists("Te8ErrWa"));
  EXPECT_FALSE(out.errors);
  EXPECT_FALSE(out.warnings);
  EXPECT_EQ(out.establishments, 1);
  EXPECT_EQ(out.links, 1);
}

TEST(CheckEngine, ResultTellsErrorsFromWarnings) {
  struct Case {
    const char* openOperation;    // an error when not empty
    const char* thirteenthFinal;  // above 1.5 times the average month: a warning
    CheckResult result;
    bool warnings;
  };
  for (const Case& c : {Case{"", "000075000", CheckResult::Clean, false},
                        Case{"", "000900000", CheckResult::Warnings, true},
                        Case{"1", "000075000", CheckResult::Errors, false},
                        Case{"1", "000900000", CheckResult::Errors, true}}) {
    CheckBench b;
    Values e = test::validEstablishment();
    e["InOpcaoAberta"] = c.openOperation;
    test::insertRow(b.db, "BD8Emp", e);
    Values l = test::validLink(e);
    l["Va13ParcelaFinalEmpregado"] = c.thirteenthFinal;
    test::insertRow(b.db, "BD8Vinc", l);
    const auto out = b.verify();
    EXPECT_EQ(out.result, c.result) << c.openOperation << " " << c.thirteenthFinal;
    EXPECT_EQ(out.errors, c.result == CheckResult::Errors);
    EXPECT_EQ(out.warnings, c.warnings);
  }
}

TEST(CheckEngine, RowsAreNumberedContinuouslyOverRunsAndCarryTheEstablishment) {
  CheckBench b;
  Values e = test::validEstablishment();
  e["InOpcaoAberta"] = "1";
  test::insertRow(b.db, "BD8Emp", e);
  test::insertRow(b.db, "BD8Vinc", test::validLink(e));
  b.verify();
  const auto first = test::errorRows(b.db);
  ASSERT_EQ(first.size(), 1u);
  const auto& r = first[0];
  EXPECT_EQ(r["errwar"], "err");
  EXPECT_EQ(r["tiporegistro"], "1");
  EXPECT_EQ(r["retorno"], "1677");
  EXPECT_EQ(r["lbl"], "1666");
  EXPECT_EQ(r["Conteudo"], "Exclusão de estabelecimento");
  EXPECT_EQ(r["inscricao"], e["CoCgcCeiEstabelecimento"]);
  EXPECT_EQ(r["tipoinscricao"], "1");
  EXPECT_EQ(r["prefixo"], "00");
  EXPECT_EQ(r["razaosocial"], "COMERCIO EXEMPLO LTDA");
  EXPECT_EQ(r["copispasep"], "");
  EXPECT_EQ(r["Sequencial"].size(), 6u);

  b.verify();
  const auto second = test::errorRows(b.db);
  ASSERT_EQ(second.size(), 1u);  // the first run's table is gone
  EXPECT_EQ(std::stoi(second[0]["Sequencial"]), std::stoi(r["Sequencial"]) + 1);
}

TEST(CheckEngine, SelectionByKeyChecksAndCountsOnlyTheChosenEstablishment) {
  CheckBench b;
  threeEstablishments(b, "1");
  // The second establishment declares 3 links: the work is 1 + 3 units.
  b.db.exec("UPDATE BD8Emp SET NuVinculosEstabelecimento = '000003' WHERE NuPrefixoEstabelecimento = '01'");
  Values e = test::validEstablishment();
  e["NuPrefixoEstabelecimento"] = "01";
  for (const char* name : {"ANA MARIA SOUZA", "PEDRO ALVES LIMA"}) {
    Values l = test::validLink(e);
    l["NoEmpregado"] = name;
    l["CoPisPasepEmpregado"] = name[0] == 'A' ? test::pis("1011234568") : test::pis("1011234569");
    test::insertRow(b.db, "BD8Vinc", l);
  }
  CheckParameters p;
  p.baseYearFilter = "2006";
  p.selection = Selection{{{"2006", e["CoCgcCeiEstabelecimento"], "01"}}};
  const auto out = b.run(p);
  EXPECT_EQ(out.result, CheckResult::Errors);
  EXPECT_EQ(out.establishments, 1);
  EXPECT_EQ(out.links, 3);
  EXPECT_EQ(prefixesWithRows(b.db), std::vector<std::string>{"01"});
  std::vector<std::int64_t> percents;
  for (const auto& [pos, max] : b.ui.progressSteps) {
    EXPECT_EQ(max, 100);
    percents.push_back(pos);
  }
  EXPECT_EQ(percents, (std::vector<std::int64_t>{0, 25, 50, 75, 100, 100}));
}

TEST(CheckEngine, RectificationSelectionSkipsUnmarkedEstablishmentsAndLinks) {
  CheckBench b;
  threeEstablishments(b, "1");
  // In the third establishment a second link, marked, with a 13th-salary warning.
  Values e = test::validEstablishment();
  e["NuPrefixoEstabelecimento"] = "02";
  Values marked = test::validLink(e);
  marked["NoEmpregado"] = "LINK MARCADO";
  marked["Va13ParcelaFinalEmpregado"] = "000900000";
  test::insertRow(b.db, "BD8Vinc", marked);
  Values unmarked = test::validLink(e);
  unmarked["NoEmpregado"] = "LINK NAO MARCADO";
  unmarked["Va13ParcelaFinalEmpregado"] = "000900000";
  test::insertRow(b.db, "BD8Vinc", unmarked);

  CheckParameters p;
  Selection s;
  s.rectification = true;
  // Establishments 00 and 02 are marked; 01 and 02 are chosen.
  s.markedForRectification = [](const Record& r) {
    if (r.kind() == RecordKind::Establishment) return r.get("NuPrefixoEstabelecimento") != "01";
    return r.get("NoEmpregado") == "LINK MARCADO";
  };
  const std::string inscription = e["CoCgcCeiEstabelecimento"];
  s.establishments = {{"2006", inscription, "01"}, {"2006", inscription, "02"}};
  p.selection = s;
  const auto out = b.run(p);
  EXPECT_EQ(out.result, CheckResult::Errors);
  EXPECT_TRUE(out.warnings);
  EXPECT_EQ(prefixesWithRows(b.db), std::vector<std::string>{"02"});
  int warnings = 0;
  for (const auto& r : test::errorRows(b.db))
    if (r["retorno"] == "3508") {
      ++warnings;
      EXPECT_EQ(r["noempregado"], "LINK MARCADO");
    }
  EXPECT_EQ(warnings, 2);
}

TEST(CheckEngine, InterruptionAnsweredNoGoesOnAndYesStopsKeepingTheRows) {
  CheckBench b;
  threeEstablishments(b, "1");
  // Stop requested at the first check point (after the first establishment).
  b.ui.stopAfterEvents = 1;
  b.ui.answers = {"mrNo"};
  EXPECT_EQ(b.verify().result, CheckResult::Errors);
  EXPECT_EQ(prefixesWithRows(b.db), (std::vector<std::string>{"00", "01", "02"}));
  ASSERT_EQ(b.ui.shown.size(), 1u);
  EXPECT_EQ(b.ui.shown[0].text, "Deseja interromper?");

  b.ui.events = 0;
  b.ui.answers = {"mrYes"};
  const auto out = b.verify();
  EXPECT_EQ(out.result, CheckResult::Interrupted);
  EXPECT_TRUE(out.errors);
  EXPECT_EQ(prefixesWithRows(b.db), std::vector<std::string>{"00"});
}

TEST(CheckEngine, BaseYearFilterSkipsOtherYearsAndWithoutItTheyAreErrors) {
  CheckBench b;
  Values e = test::validEstablishment();
  e["AnBase"] = "2005";
  test::insertRow(b.db, "BD8Emp", e);
  test::insertRow(b.db, "BD8Vinc", test::validLink(e));
  EXPECT_EQ(b.verify().result, CheckResult::Clean);
  CheckParameters p;
  EXPECT_EQ(b.run(p).result, CheckResult::Errors);
  EXPECT_EQ(test::findingLines(b.db), std::vector<std::string>{"err 1911 1658 2005"});
}

TEST(CheckEngine, WorkTablesAreReadWhenAsked) {
  CheckBench b;
  for (const char* t : {"Te8resp", "Te8emp", "Te8vinc"}) b.db.createTable(*store::findTableDef(t));
  Values e = test::validEstablishment();
  e["InOpcaoAberta"] = "0";
  test::insertRow(b.db, "Te8emp", e);
  EXPECT_EQ(b.verify().result, CheckResult::Clean);  // the declaration tables are empty
  CheckParameters p;
  p.useWorkTables = true;
  EXPECT_EQ(b.run(p).result, CheckResult::Errors);
  EXPECT_EQ(test::findingLines(b.db).front(), "err 1677 1666 Atualização de estabelecimento");
}

TEST(ReferenceYear, IsTheNextYearOnlyForAClosureInAnotherYear) {
  struct Case {
    const char* closing;
    const char* date;
    const char* year;
  };
  for (const Case& c : {Case{"2", "15032007", "2006"}, Case{"1", "15032006", "2006"}, Case{"1", "15032007", "2007"},
                        Case{"1", "", "2006"}, Case{"1", "00000000", "2006"}}) {
    Record r(RecordKind::Establishment);
    r.set("InEncerramentoAtividade", c.closing);
    r.set("DaEncerramentoAtividade", c.date);
    EXPECT_EQ(referenceYear(r), c.year) << c.closing << " " << c.date;
  }
}

}  // namespace
}  // namespace torvex::core::consistency
