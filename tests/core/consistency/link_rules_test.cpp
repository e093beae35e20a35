// Link rules, each case a set of link variants in one valid
// establishment and the rows (of the codes the case is about) they produce.
#include <gtest/gtest.h>

#include <set>

#include "support/declaration_samples.h"

namespace torvex::core::consistency {
namespace {

using test::CheckBench;
using test::Values;

const char* const kMonths[] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                               "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};

std::string monthField(int m) { return std::string("Va") + kMonths[m - 1] + "Empregado"; }

struct LinkCase {
  const char* what;
  std::vector<Values> links;       // changes to the valid link, one entry per link
  std::set<std::string> codes;     // the codes the case looks at
  std::vector<std::string> rows;   // "errwar retorno lbl Conteudo" of those codes, in report order
  bool workTables = false;         // links keyed apart only by their file sequence number
};

std::vector<std::string> run(const LinkCase& c) {
  CheckBench b;
  const std::string establishments = c.workTables ? "Te8emp" : "BD8Emp";
  const std::string vinc = c.workTables ? "Te8vinc" : "BD8Vinc";
  if (c.workTables)
    for (const char* t : {"Te8resp", "Te8emp", "Te8vinc"}) b.db.createTable(*store::findTableDef(t));
  const Values e = test::validEstablishment();
  test::insertRow(b.db, establishments, e);
  int seq = 2;
  for (const auto& changes : c.links) {
    Values l = test::validLink(e);
    if (c.workTables) l["NuSequencialRegistro"] = "00000" + std::to_string(seq++);
    for (const auto& [k, v] : changes) l[k] = v;
    test::insertRow(b.db, vinc, l);
  }
  CheckParameters p;
  p.useWorkTables = c.workTables;
  b.run(p);
  std::vector<std::string> out;
  for (const auto& r : test::errorRows(b.db)) {
    if (!c.codes.count(r["retorno"])) continue;
    EXPECT_EQ(r["tiporegistro"], "2");
    out.push_back(r["errwar"] + " " + r["retorno"] + " " + r["lbl"] + " " + r["Conteudo"]);
  }
  return out;
}

Values allMonths(const std::string& value) {
  Values v;
  for (int m = 1; m <= 12; ++m) v[monthField(m)] = value;
  return v;
}

Values with(Values base, const Values& more) {
  for (const auto& [k, v] : more) base[k] = v;
  return base;
}

TEST(LinkRules, VariantsProduceTheirRows) {
  const std::string pisA = test::validLink(test::validEstablishment())["CoPisPasepEmpregado"];
  const Values noPay = with(allMonths("000000000"), {{"Va13AdiantamentoEmpregado", "000000000"},
                                                     {"Va13ParcelaFinalEmpregado", "000000000"},
                                                     {"Me13AdiantamentoEmpregado", "00"},
                                                     {"Me13ParcelaFinalEmpregado", "00"},
                                                     {"CoMotivoPrimAfas", "40"},
                                                     {"QtDiasAfas", "365"},
                                                     {"DaInicioprimeiroAfas", "0101"},
                                                     {"DaFinalPrimeiroAfas", "3112"}});
  const std::vector<LinkCase> cases{
      {"same PIS and admission: every member of the group",
       {{{"NoEmpregado", "JOAO DA SILVA"}}, {{"NoEmpregado", "JOAO DA SILVA SOUZA"}}},
       {"1671"},
       {"err 1671 1662 ", "err 1671 1624 " + pisA, "err 1671 1625 JOAO DA SILVA", "err 1671 1632 01032005",
        "err 1671 1662 ", "err 1671 1624 " + pisA, "err 1671 1625 JOAO DA SILVA SOUZA", "err 1671 1632 01032005"}},
      {"all-zero PIS told apart by name",
       {{{"CoPisPasepEmpregado", "00000000000"}, {"NoEmpregado", "ANA LIMA"}},
        {{"CoPisPasepEmpregado", "00000000000"}, {"NoEmpregado", "ANA LIMA"}},
        {{"CoPisPasepEmpregado", "00000000000"}, {"NoEmpregado", "BIA LIMA"}}},
       {"1671"},
       {"err 1671 1662 000002", "err 1671 1624 00000000000", "err 1671 1625 ANA LIMA", "err 1671 1632 01032005",
        "err 1671 1662 000003", "err 1671 1624 00000000000", "err 1671 1625 ANA LIMA", "err 1671 1632 01032005"},
       true},
      {"empty PIS told apart by name, for duplicates and the same person",
       {{{"CoPisPasepEmpregado", ""}, {"NoEmpregado", "ANA LIMA"}},
        {{"CoPisPasepEmpregado", ""}, {"NoEmpregado", "BIA LIMA"}, {"DaNascimentoEmpregado", "16061981"}},
        {{"CoPisPasepEmpregado", ""}, {"NoEmpregado", "ANA LIMA"}, {"DaAdmissaoEmpregado", "01062006"},
         {"DaNascimentoEmpregado", "16061980"}}},
       {"1671", "1672"},
       {"err 1672 1662 ", "err 1672 1624 ", "err 1672 1625 ANA LIMA", "err 1672 1632 01032005",
        "err 1672 1626 15061980", "err 1672 1662 ", "err 1672 1624 ", "err 1672 1625 ANA LIMA",
        "err 1672 1632 01062006", "err 1672 1626 16061980"}},
      {"same person with another birth date",
       {{{"DaAdmissaoEmpregado", "01032005"}}, {{"DaAdmissaoEmpregado", "01062006"}, {"DaNascimentoEmpregado", "16061980"}}},
       {"1672"},
       {"err 1672 1662 ", "err 1672 1624 " + pisA, "err 1672 1625 JOAO DA SILVA", "err 1672 1632 01032005",
        "err 1672 1626 15061980", "err 1672 1662 ", "err 1672 1624 " + pisA, "err 1672 1625 JOAO DA SILVA",
        "err 1672 1632 01062006", "err 1672 1626 16061980"}},
      {"tenfold from June to July",
       {{{"VaJunhoEmpregado", "000150000"}, {"VaJulhoEmpregado", "001500000"}}},
       {"0314"},
       {"war 0314 1646 000150000", "war 0314 1647 001500000"}},
      {"tenfold only between neighbouring months",
       {{{"VaJunhoEmpregado", "000150000"}, {"VaJulhoEmpregado", "000200000"}, {"VaAgostoEmpregado", "001500000"}}},
       {"0314"},
       {}},
      {"an empty month does not stop the following months",
       {{{"VaMarcoEmpregado", ""}, {"VaMaioEmpregado", "001500000"}}},
       {"0315", "0314"},
       {"err 0315 1643 ", "war 0314 1644 000150000", "war 0314 1645 001500000"}},
      {"below the minimum wage is a warning",
       {{{"VaMarcoEmpregado", "000029999"}}},
       {"0312"},
       {"war 0312 1643 000029999"}},
      {"pay after the dismissal month",
       {{{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1510"}}},
       {"0311"},
       {"war 0311 1651 000150000", "war 0311 1640 1510", "war 0311 1652 000150000", "war 0311 1640 1510"}},
      {"no pay, absent the whole year", {noPay}, {"1674", "1675", "1676"}, {}},
      {"no pay, absent from February",
       {with(noPay, {{"DaInicioprimeiroAfas", "0201"}})},
       {"1674", "1675", "1676"},
       {"err 1674 1664 Não há remuneração informada."}},
      {"no pay but dismissed in January",
       {with(noPay, {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3101"},
                     {"DaInicioprimeiroAfas", "0000"}, {"DaFinalPrimeiroAfas", "0000"}, {"CoMotivoPrimAfas", "00"},
                     {"QtDiasAfas", "000"}})},
       {"1674"},
       {}},
      {"13th salary only",
       {with(allMonths("000000000"), {{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "0101"},
                                      {"DaFinalPrimeiroAfas", "3112"}, {"QtDiasAfas", "365"}})},
       {"1674", "1675", "1676"},
       {"war 1675 1664 Não há remuneração informada."}},
      {"monthly pay without 13th salary",
       {{{"Va13AdiantamentoEmpregado", "000000000"}, {"Va13ParcelaFinalEmpregado", "000000000"},
         {"Me13AdiantamentoEmpregado", "00"}, {"Me13ParcelaFinalEmpregado", "00"}}},
       {"1674", "1675", "1676"},
       {"war 1676 1665 Não há remuneração informada."}},
      {"13th salary above one and a half months",
       {with(allMonths("000100000"), {{"Va13ParcelaFinalEmpregado", "000075001"}})},
       {"3508"},
       {"war 3508 1664 12.000,00", "war 3508 1665 1.500,01"}},
      {"13th salary above one and a half months, sums past nine digits",
       {with(allMonths("090000000"), {{"Va13AdiantamentoEmpregado", "000000000"},
                                      {"Va13ParcelaFinalEmpregado", "135000001"}})},
       {"3508"},
       {"war 3508 1664 10.800.000,00", "war 3508 1665 1.350.000,01"}},
      {"13th salary of exactly one and a half months",
       {with(allMonths("000100000"), {{"Va13ParcelaFinalEmpregado", "000075000"}})},
       {"3508"},
       {}},
      {"a link of a 15-year-old: the age answer 3510 is never recorded",
       {{{"DaNascimentoEmpregado", "01011991"}, {"DaAdmissaoEmpregado", "01022006"}}},
       {"3510"},
       {}},
      {"absence ending before it starts",
       {{{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "1005"}, {"DaFinalPrimeiroAfas", "0105"},
         {"QtDiasAfas", "010"}}},
       {"3633"},
       {"err 3633 3637 1005", "err 3633 3637 0105"}},
      {"union member without an associative entity",
       {{{"InSindicalizadoVinculo", "1"}}},
       {"3702"},
       {"err 3702 3650 "}},
      {"no union CNPJ is a warning for an employee",
       {{{"CoCNPJSindical", ""}, {"VaGlobalSindical", "00000000"}}},
       {"3687", "3714"},
       {"war 3687 3652 ", "war 3687 3653 00000000"}},
      {"rescission bonus without a cause is a warning",
       {{{"VaGlobalGratificacoes", "00010000"}, {"QtCompGratificacoes", "02"}}},
       {"3675"},
       {"war 3675 3664 00010000"}},
      {"hours bank months without an amount",
       {{{"QtCompBcoHoras", "03"}}},
       {"3681"},
       {"err 3681 3661 03"}},
      {"overtime in a month without pay",
       {{{"VaAbrilEmpregado", "000000000"}, {"HoTrabalhadasAbril", "010"}}},
       {"3677"},
       {"err 3677 3670 010", "err 3677 1644 000000000"}},
      {"many overtime hours",
       {{{"HoTrabalhadasMaio", "120"}}},
       {"3698"},
       {"war 3698 3670 120"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(run(c), c.rows);
  }
}

// A NUL is a character like any other: the rules see the whole field and the
// row shows it whole.
TEST(LinkRules, ANulInsideAFieldIsSeenWhole) {
  using namespace std::string_literals;
  const std::vector<LinkCase> cases{
      {"NUL at the start of a month's pay", {{{"VaJaneiroEmpregado", "\0"s "00150000"}}}, {"0040", "0315"},
       {"err 0040 1641 \0"s "00150000"}},
      {"NUL between the words of the name", {{{"NoEmpregado", "JOAO\0DA SILVA"s}}}, {"0020", "0161"},
       {"err 0020 1625 JOAO\0DA SILVA"s}},
      {"NUL inside the company-use text", {{{"TxUsoEmpregado", "AB\0CD"s}}}, {"0020"}, {"err 0020 1623 AB\0CD"s}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(run(c), c.rows);
  }
}

// An accented character is one character, as in the declaration file.
TEST(EmployeeRules, AccentedCharactersCountAsOne) {
  const LinkCase c{"occupation of six characters, one accented", {{{"CoCbo", "41100Ç"}}}, {"0030", "0040"},
                   {"err 0040 1637 41100Ç"}};
  EXPECT_EQ(run(c), c.rows);
}

// Ordinary facts of a year must not be taken for faults.
TEST(LinkRules, SoundLinksGiveNoError) {
  struct Case {
    const char* what;
    Values establishment;  // changes to the valid establishment
    Values link;           // changes to the valid link
  };
  const Values lastMonthsUnpaid = {{"VaSetembroEmpregado", "000000000"}, {"VaOutubroEmpregado", "000000000"},
                                   {"VaNovembroEmpregado", "000000000"}, {"VaDezembroEmpregado", "000000000"}};
  const std::vector<Case> cases{
      {"admitted in June",
       {},
       with(with(allMonths("000000000"), {{"VaJunhoEmpregado", "000150000"}, {"VaJulhoEmpregado", "000150000"},
                                          {"VaAgostoEmpregado", "000150000"}, {"VaSetembroEmpregado", "000150000"},
                                          {"VaOutubroEmpregado", "000150000"}, {"VaNovembroEmpregado", "000150000"},
                                          {"VaDezembroEmpregado", "000150000"}}),
            {{"DaAdmissaoEmpregado", "15062006"}, {"Va13AdiantamentoEmpregado", "000043750"},
             {"Va13ParcelaFinalEmpregado", "000043750"}, {"HoTrabalhadasJulho", "010"}})},
      {"dismissed in August with rescission amounts",
       {},
       with(lastMonthsUnpaid,
            {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "2008"}, {"Me13AdiantamentoEmpregado", "00"},
             {"Va13AdiantamentoEmpregado", "000000000"}, {"Me13ParcelaFinalEmpregado", "08"},
             {"Va13ParcelaFinalEmpregado", "000100000"}, {"VaAvisoPrevioEmpregado", "000150000"},
             {"VaGlobalFerias", "00200000"}, {"VaGlobalBcoHoras", "00010000"}, {"QtCompBcoHoras", "02"}})},
      {"absent in spring, foreigner, union member",
       {},
       {{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "0103"}, {"DaFinalPrimeiroAfas", "3005"},
        {"QtDiasAfas", "091"}, {"CoNacionalidade", "21"}, {"AnChegadaEmpregado", "1995"},
        {"SeCartTrabEmpregado", "A0012"}, {"InSindicalizadoVinculo", "1"},
        {"CoCNPJPrimAssociativa", test::cnpj("33000167")}, {"VaGlobalPrimAssociativa", "00001000"}}},
      {"establishment closing in the next year, link ending with it",
       {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30062007"}},
       with(with(allMonths("000150000"),
                 {{"VaJulhoEmpregado", "000000000"}, {"VaAgostoEmpregado", "000000000"}, {"VaSetembroEmpregado", "000000000"},
                  {"VaOutubroEmpregado", "000000000"}, {"VaNovembroEmpregado", "000000000"},
                  {"VaDezembroEmpregado", "000000000"}}),
            {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3006"}, {"Me13AdiantamentoEmpregado", "00"},
             {"Va13AdiantamentoEmpregado", "000000000"}, {"Me13ParcelaFinalEmpregado", "06"},
             {"Va13ParcelaFinalEmpregado", "000075000"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CheckBench b;
    const Values e = with(test::validEstablishment(), c.establishment);
    test::insertRow(b.db, "BD8Emp", e);
    test::insertRow(b.db, "BD8Vinc", with(test::validLink(e), c.link));
    b.verify();
    std::vector<std::string> errors;
    for (const auto& line : test::findingLines(b.db))
      if (line.rfind("err", 0) == 0) errors.push_back(line);
    EXPECT_EQ(errors, std::vector<std::string>{});
  }
}

TEST(LinkRules, RowsCarryTheLinkAndTheEstablishment) {
  CheckBench b;
  const Values e = test::validEstablishment();
  test::insertRow(b.db, "BD8Emp", e);
  Values l = test::validLink(e);
  l["TxUsoEmpregado"] = "MATRICULA 7";
  l["InSexo"] = "3";
  test::insertRow(b.db, "BD8Vinc", l);
  EXPECT_EQ(b.verify().result, CheckResult::Errors);
  const auto rows = test::errorRows(b.db);
  ASSERT_EQ(rows.size(), 1u);
  const auto& r = rows[0];
  EXPECT_EQ(r["retorno"], "3524");
  EXPECT_EQ(r["lbl"], "3523");
  EXPECT_EQ(r["Conteudo"], "3");
  EXPECT_EQ(r["tiporegistro"], "2");
  EXPECT_EQ(r["copispasep"], l["CoPisPasepEmpregado"]);
  EXPECT_EQ(r["noempregado"], "JOAO DA SILVA");
  EXPECT_EQ(r["DaAdmissao"], "01032005");
  EXPECT_EQ(r["usoempresa"], "MATRICULA 7");
  EXPECT_EQ(r["inscricao"], e.at("CoCgcCeiEstabelecimento"));
  EXPECT_EQ(r["razaosocial"], "COMERCIO EXEMPLO LTDA");
}

TEST(LinkRules, AClosingEstablishmentUsesTheNextYearAsReference) {
  CheckBench b;
  Values e = test::validEstablishment();
  e["InEncerramentoAtividade"] = "1";
  e["DaEncerramentoAtividade"] = "30062007";
  test::insertRow(b.db, "BD8Emp", e);
  Values l = test::validLink(e);
  l["DaAdmissaoEmpregado"] = "01022007";  // admitted in the reference year 2007: no error 0391
  test::insertRow(b.db, "BD8Vinc", l);
  b.verify();
  std::vector<std::string> lines;
  for (const auto& r : test::errorRows(b.db))
    if (r["retorno"] == "0391" || r["retorno"] == "0294")
      lines.push_back(r["retorno"] + " " + r["lbl"] + " " + r["Conteudo"]);
  // Not dismissed although the establishment closes in 2007.
  EXPECT_EQ(lines, (std::vector<std::string>{"0294 1640 0000", "0294 1658 2007"}));
}

}  // namespace
}  // namespace torvex::core::consistency
