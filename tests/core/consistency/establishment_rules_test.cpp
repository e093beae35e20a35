// Responsible-party and establishment rules, each case a variant of a valid
// stored declaration and the rows it must produce.
#include <gtest/gtest.h>

#include "core/validation/check_digits.h"
#include "support/declaration_samples.h"

namespace torvex::core::consistency {
namespace {

using test::CheckBench;
using test::Values;

std::string cei(const std::string& first11) { return "00" + first11 + *validation::ceiCheckDigit(first11); }

// Lines of the rows of one record type.
std::vector<std::string> linesOfType(store::Database& db, const std::string& type) {
  std::vector<std::string> out;
  for (const auto& r : test::errorRows(db))
    if (r["tiporegistro"] == type)
      out.push_back(r["errwar"] + " " + r["retorno"] + " " + r["lbl"] + " " + r["Conteudo"]);
  return out;
}

struct EstablishmentCase {
  const char* what;
  Values changes;
  std::vector<std::string> rows;  // "errwar retorno lbl Conteudo" of the type-1 rows, in order
  bool fileFlag = false;
};

TEST(EstablishmentRules, VariantsProduceExactlyTheirRows) {
  const std::string own = test::validEstablishment()["CoCgcCeiEstabelecimento"];
  const std::string ownCei = cei("12345678901");
  const std::vector<EstablishmentCase> cases{
      // Correct declarations of other shapes: no row at all.
      {"CEI establishment", {{"CoCgcCeiEstabelecimento", ownCei}, {"InInscrEstabelecimento", "3"}}, {}},
      {"PAT with beneficiaries and full percentages",
       {{"InParticipaPAT", "1"},
        {"NuVinculoPatMaior5", "000002"},
        {"NuVinculoPatMenor5", "000003"},
        {"PoServicoProprio", "060"},
        {"PoCestaAlimento", "040"}},
       {}},
      {"closing in the base year", {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30062006"}}, {}},
      {"centralizing CNPJ without union CNPJ",
       {{"CoCNPJSindical", ""}, {"VaGlobalSindical", "00000000"}, {"CoCNPJCentralizada", test::cnpj("44555666")}},
       {}},
      {"unfinished establishment deletion", {{"InOpcaoAberta", "1"}}, {"err 1677 1666 Exclusão de estabelecimento"}},
      {"unfinished employees' deletion", {{"InOpcaoAberta", "4"}}, {"err 1677 1666 Outras opções"}},
      {"unfinished transfer", {{"InOpcaoAberta", "3"}}, {"err 1677 1666 Outras opções"}},
      {"unfinished entry", {{"InOpcaoAberta", "0"}}, {"err 1677 1666 Atualização de estabelecimento"}},
      {"unfinished link code change", {{"InOpcaoAberta", "5"}}, {"err 1677 1666 Atualização de estabelecimento"}},
      {"CNPJ declared as CEI",
       {{"InInscrEstabelecimento", "3"}},
       {"err 0131 1601 3 (CEI)", "err 0131 1600 " + own}},
      {"phone without area code",
       {{"NuDDD", ""}},
       {"err 3674 1613 ", "err 3101 1613 ", "err 3101 1614 32223333"}},
      {"neither area code nor phone",
       {{"NuDDD", ""}, {"NuTelefone", ""}},
       {"err 3674 1613 ", "err 3674 1614 "}},
      {"area code of another state", {{"NuDDD", "31"}}, {"war 0402 1612 SP", "war 0402 1613 31"}},
      {"negative declaration of a CEI",
       {{"CoCgcCeiEstabelecimento", ownCei}, {"InInscrEstabelecimento", "3"}, {"InKevaNegEstabelecimento", "1"}},
       {"err 0133 1622 1", "err 0133 1601 3", "err 0133 1603 000000000000"}},
      {"linked CEI not starting with zeros",
       {{"CoCgcVinculado", "12000000000000"}},
       {"err 0040 1678 12"}},
      {"linked CEI with a wrong check digit",
       {{"CoCgcVinculado", "00123456789019"}},
       {"err 0430 1603 123456789019"}},
      {"PAT percentages without taking part",
       {{"PoCestaAlimento", "010"}},
       {"war 3526 3122 2", "war 3526 3612 000", "war 3526 3613 000", "war 3526 3614 000", "war 3526 3615 000",
        "war 3526 3616 010", "war 3526 3617 000"}},
      {"PAT percentage above 100 is a warning", {{"PoServicoProprio", "101"}}, {"war 3521 3612 101",
       "war 3526 3122 2", "war 3526 3612 101", "war 3526 3613 000", "war 3526 3614 000", "war 3526 3615 000",
       "war 3526 3616 000", "war 3526 3617 000"}},
      {"PAT taken part in without beneficiaries",
       {{"InParticipaPAT", "1"}},
       {"err 3626 3122 1", "err 3626 3610 000000", "err 3626 3611 000000"}},
      {"PAT taken part in with both counts left empty",
       {{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", ""}, {"NuVinculoPatMenor5", ""}},
       {"err 3626 3122 1", "err 3626 3610 ", "err 3626 3611 "}},
      {"union CNPJ is the establishment's own", {{"CoCNPJSindical", own}}, {"err 3649 3652 " + own}},
      {"union amount without union CNPJ",
       {{"CoCNPJSindical", ""}},
       {"err 3649 3652 ", "err 3649 3653 00012345", "war 3687 3652 ", "war 3687 3705 "}},
      {"associative member without entity", {{"InSindicalizada", "1"}}, {"err 3713 3650 ", "err 3713 3703 1"}},
      {"centralizing CNPJ required in a file",
       {{"CoCNPJAssociativa", "00000000000000"},
        {"CoCNPJAssistencial", "00000000000000"},
        {"CoCNPJConfederativa", "00000000000000"},
        {"DaEncerramentoAtividade", "00000000"}},
       {"err 0030 3705 "},
       true},
      {"closing two years later",
       {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "01012008"}},
       {"err 3516 1669 01012008", "err 3516 1658 2006"}},
      {"closure date without closing",
       {{"DaEncerramentoAtividade", "15052006"}},
       {"err 3515 1669 15052006", "err 3515 1668 Não assinalado"}},
      {"e-mail without at-sign", {{"TxEmailEstabelecimento", "rh.exemplo.com.br"}}, {"err 3627 1617 rh.exemplo.com.br"}},
      {"e-mail shown as stored, not trimmed",
       {{"TxEmailEstabelecimento", " rh.exemplo.com.br"}},
       {"err 3627 1617  rh.exemplo.com.br"}},
      // An accented character is one character, as in the declaration file.
      {"street of a repeated accented letter", {{"EdEstabelecimento", "RUA ÇÇÇÇ"}}, {"err 3100 1605 RUA ÇÇÇÇ"}},
      {"linked CEI with an accented letter", {{"CoCgcVinculado", "0012345678901Ç"}}, {"err 0040 1603 12345678901Ç"}},
      {"city hall outside public administration",
       {{"NoRazaoEstabelecimento", "PREFEITURA DE SAO PAULO"}},
       {"war 0363 1618 4711301", "war 0363 1604 PREFEITURA DE SAO PAULO", "war 0372 1619 2062",
        "war 0372 1604 PREFEITURA DE SAO PAULO"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CheckBench b;
    Values e = test::validEstablishment();
    for (const auto& [k, val] : c.changes) e[k] = val;
    test::insertRow(b.db, "BD8Emp", e);
    test::insertRow(b.db, "BD8Vinc", test::validLink(e));
    CheckParameters p;
    p.fileFlag = c.fileFlag;
    b.run(p);
    EXPECT_EQ(linesOfType(b.db, "1"), c.rows);
    for (const auto& r : test::errorRows(b.db)) {
      if (r["tiporegistro"] != "1") continue;
      EXPECT_EQ(r["inscricao"], e["CoCgcCeiEstabelecimento"]);
      EXPECT_EQ(r["prefixo"], "00");
      EXPECT_EQ(r["razaosocial"], e["NoRazaoEstabelecimento"]);
      EXPECT_EQ(r["copispasep"], "");
    }
  }
}

TEST(EstablishmentRules, LinkCountRulesOfTheEstablishment) {
  struct Case {
    const char* what;
    int links;
    const char* foreigners;
    const char* negative;
    std::vector<std::string> rows;
  };
  for (const Case& c : {Case{"six links, two foreigners", 6, "00002", "0", {}},
                        Case{"six links, three foreigners", 6, "00003", "0", {"war 1670 1661 6", "war 1670 1659 00003"}},
                        Case{"no links, with employees", 0, "00000", "0", {"err 1673 1661 0", "err 1673 1622 0"}},
                        Case{"no links, negative declaration", 0, "00000", "1", {}}}) {
    SCOPED_TRACE(c.what);
    CheckBench b;
    Values e = test::validEstablishment();
    e["NuEstrangeirosEstabelec"] = c.foreigners;
    e["InKevaNegEstabelecimento"] = c.negative;
    test::insertRow(b.db, "BD8Emp", e);
    for (int i = 0; i < c.links; ++i) {
      Values l = test::validLink(e);
      l["CoPisPasepEmpregado"] = test::pis("101123456" + std::to_string(i));
      l["NoEmpregado"] = std::string("EMPREGADO NUMERO ") + static_cast<char>('A' + i);
      test::insertRow(b.db, "BD8Vinc", l);
    }
    b.verify();
    EXPECT_EQ(linesOfType(b.db, "1"), c.rows);
  }
}

TEST(ResponsibleRules, VariantsProduceExactlyTheirTypeZeroRows) {
  struct Case {
    const char* what;
    Values changes;
    std::vector<std::string> rows;
  };
  const std::string cnpj = test::validResponsible()["CoCgcCeiResponsavel"];
  const std::string cpf = "000" + std::string("123456789") + validation::cpfCheckDigits("123456789");
  const std::vector<Case> cases{
      {"valid CNPJ", {}, {}},
      {"valid CPF", {{"CoCgcCeiResponsavel", cpf}, {"InInscrResponsavel", "4"}}, {}},
      {"CNPJ declared as CEI", {{"InInscrResponsavel", "3"}}, {"err 0131 1601 3 (CEI)", "err 0131 1599 " + cnpj}},
      {"unknown kind", {{"InInscrResponsavel", "7"}}, {"err 0129 1601 7"}},
      {"number neither CNPJ nor CPF", {{"CoCgcCeiResponsavel", "11222333000199"}}, {"err 0053 1599 11222333000199"}},
      {"rectification date without the flag",
       {{"DaRetificacao", "15032007"}},
       {"err 0411 1615 15032007", "err 0411 1660 Não assinalado"}},
      {"generation date in the base year", {{"DaGeracao", "15122006"}}, {"err 0420 1616 15122006"}},
      {"area code of another state", {{"NuFoneDDD", "31"}}, {"war 0402 1612 SP", "war 0402 1613 31"}},
      {"phone without area code",
       {{"NuFoneDDD", ""}},
       {"err 3674 1613 ", "err 3101 1613 ", "err 3101 1614 32223333"}},
      {"neither number nor complement",
       {{"NuLogradouroRespArquivo", "000000"}, {"TxComplementoRespArquivo", ""}},
       {"err 0120 1606 000000", "err 0120 1607 "}},
      {"municipality name of another city", {{"NoMunicipioRespArquivo", "CAMPINAS"}}, {"war 3666 3667 CAMPINAS"}},
      {"rectification flagged with its date", {{"InRetificacao", "1"}, {"DaRetificacao", "15032007"}}, {}},
      {"rectification flagged without a date",
       {{"InRetificacao", "1"}, {"DaRetificacao", "00000000"}},
       {"err 0410 1615 00000000", "err 0410 1660 Assinalado para retificação"}},
      {"e-mail shown as stored, not trimmed",
       {{"TxEMailRespArquivo", " contato.exemplo.com.br"}},
       {"err 3627 1617  contato.exemplo.com.br"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CheckBench b;
    Values r = test::validResponsible();
    for (const auto& [k, val] : c.changes) r[k] = val;
    test::insertRow(b.db, "BD8Resp", r);
    CheckParameters p;
    p.checkResponsible = true;
    b.run(p);
    EXPECT_EQ(linesOfType(b.db, "0"), c.rows);
    for (const auto& row : test::errorRows(b.db)) EXPECT_EQ(row["inscricao"], "");
  }
}

}  // namespace
}  // namespace torvex::core::consistency
