// What the writer puts into each position of records 0, 1, 2 and 9.
#include <gtest/gtest.h>

#include "core/store/table_def.h"
#include "writer_fixture.h"

namespace torvex::test {
namespace {

using core::delivery::WriteResult;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(DeclarationRecords, OneEstablishmentWithoutLinksIsThreeRecords) {
  WriterBench b;
  b.addResponsible();
  // An early declaration (base year 2007) still carries the program's base year.
  b.addEstablishment("12345678000195", "01", false, {{"AnBase", "2007"}});
  ASSERT_EQ(b.write(), WriteResult::Success);

  EXPECT_EQ(folderEntries(b.transmite), std::vector<std::string>{"Keva2006_1234567800019501" "01G.dec"});
  const auto r = readRecords(b.transmite / "Keva2006_123456780001950101G.dec");
  ASSERT_EQ(r.size(), 3u);

  const std::string& zero = r[0];
  EXPECT_EQ(positions(zero, 1, 23), "000001" "12345678000195" "01" "0");
  EXPECT_EQ(positions(zero, 24, 39), "1" "11222333000181" "1");
  EXPECT_EQ(positions(zero, 40, 79), "CONTABIL EXEMPLO" + blanks(24));
  EXPECT_EQ(positions(zero, 120, 125), "000012");
  EXPECT_EQ(positions(zero, 213, 239), "61" "33224455" "2" "00000000" "15022007");
  EXPECT_EQ(positions(zero, 240, 284), "CONTATO@EXEMPLO.COM.BR" + blanks(23));
  EXPECT_EQ(positions(zero, 285, 293), "V04" "101112");
  EXPECT_EQ(positions(zero, 294, 527), blanks(234));

  const std::string& one = r[1];
  EXPECT_EQ(positions(one, 1, 23), "000002" "12345678000195" "01" "1");
  EXPECT_EQ(positions(one, 279, 298), "1" "1" "00123456789012" "2006");

  const std::string& nine = r[2];
  EXPECT_EQ(positions(nine, 1, 47), "000003" "12345678000195" "01" "9" "000001" "000000" "000001" "996411");
  EXPECT_EQ(positions(nine, 48, 95), "1234" + blanks(44));
  EXPECT_EQ(positions(nine, 96, 495), blanks(400));
  EXPECT_EQ(positions(nine, 496, 527).find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(DeclarationRecords, TotalsCountRecordsAndPrefixesOtherThanZeroZero) {
  WriterBench b;
  b.addResponsible();
  const auto head = b.addEstablishment("12345678000195", "00", true);
  b.addLinks(head, 2);
  b.addEstablishment("12345678000195", "01", false);
  const auto branch = b.addEstablishment("12345678000276", "00", true);
  b.addLinks(branch, 3);
  ASSERT_EQ(b.write(), WriteResult::Success);

  const auto r = readRecords(b.last.lastWrittenPath);
  ASSERT_EQ(r.size(), 10u);
  EXPECT_EQ(positions(r.back(), 1, 41), "000010" "12345678000276" "00" "9" "000003" "000005" "000001");
  // Each link repeats the key of the establishment record before it.
  EXPECT_EQ(positions(r[2], 1, 23), "000003" "12345678000195" "00" "2");
  EXPECT_EQ(positions(r[6], 1, 23), "000007" "12345678000276" "00" "2");

  auto es = b.db.prepare("SELECT NuDisquete, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                         "NuVinculosEstabelecimento FROM te8ProES ORDER BY rowid");
  std::vector<std::string> rows;
  while (es.step()) rows.push_back(es.text(0) + " " + es.text(1) + " " + es.text(2) + " " + es.text(3));
  EXPECT_EQ(rows, (std::vector<std::string>{"1 12345678000195 00 000002", "1 12345678000195 01 000000",
                                            "1 12345678000276 00 000003"}));
  auto id = b.db.prepare("SELECT NuDisquete, CoCgcCeiEstabelecimento, NuEstabelecimentos, NuVinculos, "
                         "InReciboParaRespArquivo, InRetificacao, DaGeracao, HoSenha FROM te8ProID");
  ASSERT_TRUE(id.step());
  EXPECT_EQ(id.text(0) + " " + id.text(1) + " " + id.text(2) + " " + id.text(3), "1 12345678000195 000003 000005");
  EXPECT_EQ(id.logical(4), true);
  EXPECT_EQ(id.logical(5), false);
  EXPECT_EQ(id.text(6) + id.text(7), "15022007" "093000");
  EXPECT_FALSE(id.step());
}

TEST(DeclarationRecords, DefaultsUpperCasingAndAccentedLetters) {
  WriterBench b;
  b.addResponsible({{"InReciboParaRespArquivo", "0"}});
  const auto est = b.addEstablishment("12345678000195", "00", true,
                                      {{"NoRazaoEstabelecimento", "padaria são joão"},
                                       {"InEncerramentoAtividade", "1"},
                                       {"DaEncerramentoAtividade", ""},
                                       {"InSindicalizada", ""}});
  b.addLinks(est, 1,
             {{"NoEmpregado", "joão çedilha"}, {"SeCartTrabEmpregado", ""}, {"CoTipoRaca", ""},
              {"InDeficienteFisico", "2"}, {"CoDeficienteFisico", "3"}, {"QtDiasAfas", "5"},
              {"CoMunicipioTrabalho", ""}, {"TxUsoEmpregado", "uso-interno"}});
  b.addLinks(est, 1, {{"InDeficienteFisico", "1"}, {"CoDeficienteFisico", "3"}}, 2);
  ASSERT_EQ(b.write(), WriteResult::Success);
  const auto r = readRecords(b.last.lastWrittenPath);
  ASSERT_EQ(r.size(), 5u);

  EXPECT_EQ(positions(r[0], 24, 24), "2");

  const std::string& one = r[1];
  // Only a-z change case; the file is in code page 1252.
  EXPECT_EQ(positions(one, 24, 75), "PADARIA S\xE3O JO\xE3O" + blanks(36));
  EXPECT_EQ(positions(one, 302, 331), "000000" "000000" "000" "000" "000" "000" "000" "000");
  EXPECT_EQ(positions(one, 332, 340), "1" "00000000");
  EXPECT_EQ(positions(one, 341, 428), "00000000000000" "00000000" "00000000000000" "00000000"
                                      "00000000000000" "00000000" "00000000000000" "00000000");
  EXPECT_EQ(positions(one, 429, 444), "1" "00000000000000" "2");
  EXPECT_EQ(positions(one, 445, 527), blanks(83));

  const std::string& link = r[2];
  EXPECT_EQ(positions(link, 35, 64), "JO\xE3O \xE7" "EDILHA" + blanks(18));
  EXPECT_EQ(positions(link, 100, 104), "00000");
  EXPECT_EQ(positions(link, 270, 271), "9" "0");
  // A short numeric value is blank-padded, never zero-filled.
  EXPECT_EQ(positions(link, 313, 315), "5  ");
  EXPECT_EQ(positions(link, 362, 375), "00000000000000");
  EXPECT_EQ(positions(link, 472, 514), "0000000" + std::string(36, '0'));
  EXPECT_EQ(positions(link, 515, 527), "2" "USO-INTERNO ");
  EXPECT_EQ(positions(r[3], 270, 271), "2" "3");
}

// A NUL is written as it is stored, and the characters after it too.
TEST(DeclarationRecords, AStoredNulIsWrittenWithTheRestOfTheField) {
  using namespace std::string_literals;
  WriterBench b;
  b.addResponsible();
  const auto est = b.addEstablishment("12345678000195", "00", true, {{"NoRazaoEstabelecimento", "PADARIA\0SAO JOAO"s}});
  b.addLinks(est, 1, {{"NoEmpregado", "JOAO\0DA SILVA"s}, {"TxUsoEmpregado", "AB\0CD"s}});
  ASSERT_EQ(b.write(), WriteResult::Success);
  const auto r = readRecords(b.last.lastWrittenPath);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(positions(r[1], 24, 75), "PADARIA\0SAO JOAO"s + blanks(36));
  EXPECT_EQ(positions(r[2], 35, 64), "JOAO\0DA SILVA"s + blanks(17));
  EXPECT_EQ(positions(r[2], 516, 527), "AB\0CD"s + blanks(7));
}

struct DatesCase {
  const char* name;
  bool fromWork;
  bool rectification;
  const char* storedRectificationDate;
  const char* storedGenerationDate;
  const char* expected;  // positions 223-239, then the origin digit of record 9
};
void PrintTo(const DatesCase& c, std::ostream* os) {
  *os << c.name << " (" << (c.fromWork ? "work tables" : "declaration tables")
      << (c.rectification ? ", rectification" : "") << ", stored dates \"" << c.storedRectificationDate << "\" \""
      << c.storedGenerationDate << "\")";
}

class RectificationAndGenerationDates : public ::testing::TestWithParam<DatesCase> {};

TEST_P(RectificationAndGenerationDates, FollowSourceAndFlag) {
  const DatesCase& c = GetParam();
  WriterBench b;
  for (const char* t : {"Te8resp", "Te8emp", "Te8vinc"}) b.db.createTable(*core::store::findTableDef(t));
  const Values stored = {{"DaRetificacao", c.storedRectificationDate}, {"DaGeracao", c.storedGenerationDate}};
  b.addResponsible(stored, c.fromWork || c.rectification ? "Te8resp" : "BD8Resp");
  const auto est = b.addEstablishment("12345678000195", "00", true, {}, c.fromWork ? "Te8emp" : "BD8Emp");
  b.addLinks(est, 1, {}, 1, c.fromWork || c.rectification ? "Te8vinc" : "BD8Vinc");
  ASSERT_EQ(b.write('C', c.fromWork, c.rectification), WriteResult::Success);

  const auto path = b.last.lastWrittenPath;
  EXPECT_EQ(path.stem().string().back(), c.rectification ? 'R' : 'G');
  const auto r = readRecords(path);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(positions(r[0], 223, 239) + positions(r[3], 47, 47), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RectificationAndGenerationDates,
    ::testing::Values(DatesCase{"Declaration", false, false, "", "", "2" "00000000" "15022007" "1"},
                      DatesCase{"AnalysedFile", true, false, "00000000", "01022007", "2" "00000000" "01022007" "2"},
                      DatesCase{"RectificationBlankDates", true, true, "", "", "1" "15022007" "15022007" "2"},
                      DatesCase{"RectificationStoredDates", true, true, "10012007", "05012007",
                                "1" "10012007" "05012007" "2"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace torvex::test
