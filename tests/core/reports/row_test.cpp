#include "core/reports/row.h"

#include <gtest/gtest.h>

#include "core/reports/display_rules.h"

namespace torvex::core::reports {
namespace {

// A wide row (as the declaration tables give) whose columns `first`.. sit in a
// shifted order, so each list of names puts the same column at another place.
Row wideRow(int shift, const std::string& pisValue) {
  auto names = std::make_shared<std::vector<std::string>>();
  std::vector<std::string> values;
  for (int i = 0; i < 30; ++i) {
    const int c = (i + shift) % 30;
    names->push_back("Coluna" + std::to_string(c));
    values.push_back("valor" + std::to_string(c));
  }
  names->push_back("CoPisPasepEmpregado");
  values.push_back(pisValue);
  names->push_back("coluna3");  // a second column of the same name: the first one is read
  values.push_back("repetida");
  return Row(std::move(names), std::move(values));
}

// Look-ups on rows of many lists of names, read in turn: each row finds its own
// columns whatever the order and case, and an absent column reads as empty.
TEST(Row, WideRowsOfManyNameListsReadTheirOwnColumns) {
  std::vector<Row> rows;
  for (int shift = 0; shift < 7; ++shift) rows.push_back(wideRow(shift, "1234567890" + std::to_string(shift)));
  for (int round = 0; round < 2; ++round)
    for (int r = 0; r < 7; ++r) {
      const Row& row = rows[static_cast<std::size_t>(r)];
      EXPECT_EQ(row["Coluna7"], "valor7");
      EXPECT_EQ(row["COLUNA3"], "valor3");
      EXPECT_EQ(row.index("coluna0"), (30 - r) % 30);
      EXPECT_EQ(row["copispasepempregado"], "1234567890" + std::to_string(r));
      EXPECT_EQ(row["Coluna30"], "");
      EXPECT_FALSE(row.has("CoPis"));
    }
  Row grown = rows[0];
  grown.set("TxNovaColuna", "novo");
  EXPECT_EQ(grown["txnovacoluna"], "novo");
  EXPECT_EQ(rows[0]["TxNovaColuna"], "");
}

// Display rules follow each row's own names, also when rows of two lists alternate.
TEST(Row, DisplayRulesFollowEachRowsNames) {
  const Row amountFirst = Row::of({{"VaJaneiroEmpregado", "000123456"}, {"NoEmpregado", "000123456"}});
  const Row nameFirst = Row::of({{"NoEmpregado", "000123456"}, {"VaJaneiroEmpregado", "000123456"}});
  for (int round = 0; round < 2; ++round) {
    Row a = amountFirst, b = nameFirst;
    applyDisplayRules(a);
    applyDisplayRules(b);
    EXPECT_EQ(a.value(0), "1.234,56");
    EXPECT_EQ(a.value(1), "000123456");
    EXPECT_EQ(b.value(0), "000123456");
    EXPECT_EQ(b.value(1), "1.234,56");
  }
}

}  // namespace
}  // namespace torvex::core::reports
