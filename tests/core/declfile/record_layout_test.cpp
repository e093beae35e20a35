#include "core/declfile/record_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace torvex::core::declfile {
namespace {

// The fields of a list sorted by start must tile the record from position 1,
// leaving only the given blank stretches uncovered (start, length).
template <int N>
void expectTiles(const DescriptorList<N>& list, int recordLength, std::vector<std::pair<int, int>> gaps) {
  std::vector<std::pair<int, int>> spans(gaps);
  for (const auto& f : list)
    if (!f.empty()) spans.emplace_back(f.start, f.length);
  std::sort(spans.begin(), spans.end());
  int next = 1;
  for (const auto& [start, length] : spans) {
    EXPECT_EQ(start, next) << "gap or overlap before position " << start;
    next = start + length;
  }
  EXPECT_EQ(next, recordLength + 1);
}

TEST(RecordLayout, CurrentLayoutTilesEveryRecord) {
  RecordLayout l;
  MontaLayoutAnoAtual(l);
  EXPECT_EQ(l.recordLength, 527);
  EXPECT_EQ(l.baseYear(), "2006");
  // Version mark and blank filler of type 0; blank filler of types 1 and 9;
  // type 1's linked CEI is described by its last 12 positions only.
  expectTiles(l.tipoZero, 527, {{285, 3}, {294, 234}});
  expectTiles(l.tipoUm, 527, {{281, 2}, {445, 71}});
  expectTiles(l.tipoDois, 527, {});
  expectTiles(l.tipoNove, 527, {{96, 400}});
  EXPECT_TRUE(l.tipoZero[19].empty());
  EXPECT_EQ(l.tipoZero[slot0::kRetificacao].start, 223);
  EXPECT_EQ(l.tipoNove[slot9::kHashcode].start, 496);
  EXPECT_EQ(l.tipoDois[slot2::kJaneiro + 11].start, 239);
  EXPECT_EQ(l.tipoDois[slot2::kHorasJaneiro + 11].start, 512);
}

TEST(RecordLayout, PreviousYearLayoutTilesEveryRecord) {
  RecordLayout l;
  MontaLayoutAnoAnterior(l);
  EXPECT_EQ(l.recordLength, 523);
  EXPECT_EQ(l.baseYear(), "2005");
  expectTiles(l.tipoZero, 523, {{285, 3}, {294, 230}});
  expectTiles(l.tipoUm, 523, {{279, 2}, {428, 48}, {488, 36}});
  expectTiles(l.tipoDois, 523, {});
  expectTiles(l.tipoNove, 523, {{96, 396}});
  EXPECT_TRUE(l.tipoDois[slot2::kCarteiraSerie].empty());
  EXPECT_EQ(l.tipoDois[slot2::kCarteiraNumero].length, 11);
  EXPECT_TRUE(l.tipoDois[slot2::kSindicalizado].empty());
  EXPECT_TRUE(l.tipoUm[slot1::kCnpjCentralizadora].empty());
  EXPECT_EQ(l.tipoUm[slot1::kTipoKeva].start, 278);
  EXPECT_EQ(l.tipoDois[slot2::kRaca].start, 267);

  // Selecting the current layout again clears what only the other layout had.
  MontaLayoutAnoAtual(l);
  EXPECT_EQ(l.tipoDois[slot2::kCarteiraSerie].start, 100);
}

TEST(RecordLayout, NewLayoutIsEmptyWithCurrentLength) {
  RecordLayout l;
  EXPECT_EQ(l.recordLength, 527);
  for (const auto& f : l.tipoDois) EXPECT_TRUE(f.empty() && f.name.empty());
}

TEST(RecordLayout, CutFieldHonoursItsBounds) {
  const std::string record = "0000011234567890123401" + std::string(505, 'x');
  struct Case {
    TArquivo field;
    std::string_view expected;
  } cases[] = {
      {{"a", 1, 6}, "000001"},
      {{"b", 21, 2}, "01"},
      {{"empty", 0, 0}, ""},
      {{"no length", 300, 0}, ""},
      {{"too long", 1, 257}, ""},
      {{"max", 1, 256}, std::string_view(record).substr(0, 256)},
      {{"past end", 65530, 6}, ""},
      {{"clipped", 525, 10}, "xxx"},
      {{"negative", -1, 3}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(cutField(record, c.field), c.expected) << c.field.name;
}

}  // namespace
}  // namespace torvex::core::declfile
