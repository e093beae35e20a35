// The new-declaration and establishment rules without windows: keys, copies,
// duplicates, the size/PAT/contribution rules, and what save and cancel store.
#include "core/entry/establishment_entry.h"

#include <gtest/gtest.h>

#include "core/entry/new_declaration.h"
#include "core/store/table.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::entry {
namespace {

constexpr const char* kCnpj = "11222333000181";

class EstablishmentEntryTest : public ::testing::Test {
 protected:
  test::TempDataFolder folder;
  store::ReferenceLookup ref{folder.db()};
  test::ScriptedInteraction ui;
  bool cnaeMark = false;

  std::string messageOf(const char* code) { return ref.message(code)->text; }

  EstablishmentKey create(const char* inscription = kCnpj, const char* prefix = "", const char* negative = "0") {
    NewDeclaration nd(folder.db(), ref, ui);
    nd.values()["CoCgcCeiEstabelecimento"] = inscription;
    nd.values()["NuPrefixoEstabelecimento"] = prefix;
    nd.values()["NoRazaoEstabelecimento"] = "INDUSTRIA MODELO LTDA";
    nd.values()["InKevaNegEstabelecimento"] = negative;
    const auto out = nd.ok();
    EXPECT_TRUE(out.accepted()) << out.code;
    return nd.key();
  }
  // Every field the save needs, valid.
  static void fillValid(FieldValues& v) {
    v["EdEstabelecimento"] = "RUA DAS INDUSTRIAS";
    v["NuEnderecoEstabelecimento"] = "100";
    v["NoBairroEstabelecimento"] = "CENTRO";
    v["CoCepEstabelecimento"] = "01310-100";
    v["CoMunicipio"] = "3550308";
    v["NuDDD"] = "11";
    v["NuTelefone"] = "32221234";
    v["CoCNPJSindical"] = "";
    v["CoCNPJCentralizada"] = "";
    v["CoCnae2"] = "2511000";
    v["CoNaturezaJuridica"] = "2062";
    v["CoCNPJAssociativa"] = "";
    v["NuProprietEstabelecimento"] = "2";
    v["MeDataBase"] = "5";
    v["InPorte"] = "1";
    v["InOptanteSimples"] = "2";
    v["InParticipaPAT"] = "2";
  }
  std::string stored(const EstablishmentKey& k, const char* field) {
    store::Table t(folder.db(), "BD8Emp");
    return t.findKey({k.baseYear, k.inscription, k.prefix}) ? t.text(field) : std::string("<none>");
  }
  void addLinks(const EstablishmentKey& k, int n) {
    for (int i = 0; i < n; ++i)
      folder.db()
          .prepare("INSERT INTO BD8Vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                   "CoPisPasepEmpregado, NoEmpregado, CoNacionalidade) VALUES (:a, :i, :p, :pis, 'X', '10')")
          .bind(":a", k.baseYear)
          .bind(":i", k.inscription)
          .bind(":p", k.prefix)
          .bind(":pis", std::to_string(10000000000 + i))
          .run();
  }
};

TEST_F(EstablishmentEntryTest, NewDeclarationKeysAndDefaults) {
  const auto key = create(kCnpj, "");
  EXPECT_EQ(key.prefix, "00");  // an empty prefix is stored as "00"
  EXPECT_EQ(stored(key, "InInscrEstabelecimento"), "1");
  EXPECT_EQ(stored(key, "InPorte"), "3");
  EXPECT_EQ(stored(key, "CoCgcVinculado"), "00000000000000");
  EXPECT_EQ(stored(key, "InOpcaoAberta"), "0");

  // The same key again is refused on leaving the prefix.
  NewDeclaration nd(folder.db(), ref, ui);
  nd.values()["CoCgcCeiEstabelecimento"] = kCnpj;
  ASSERT_TRUE(nd.leave("CoCgcCeiEstabelecimento").accepted());
  nd.values()["NuPrefixoEstabelecimento"] = "00";
  auto out = nd.leave("NuPrefixoEstabelecimento");
  EXPECT_EQ(out.code, "1000");
  EXPECT_EQ(out.focus, "NuPrefixoEstabelecimento");
}

TEST_F(EstablishmentEntryTest, NewDeclarationRefusals) {
  struct Case {
    const char* inscription;
    const char* negative;
    const char* linkedCei;
    const char* code;
    const char* focus;
  } cases[] = {
      {"123456789010", "1", "", "0133", "InKevaNegEstabelecimento"},  // a CEI without employees
      {kCnpj, "1", "123456789010", "0133", "InKevaNegEstabelecimento"},
      {"1234567000195", "0", "", "0040", "CoCgcCeiEstabelecimento"},  // 13 digits: neither kind
      {"11222333000182", "0", "", "0053", "CoCgcCeiEstabelecimento"},
  };
  for (const auto& c : cases) {
    NewDeclaration nd(folder.db(), ref, ui);
    nd.values()["CoCgcCeiEstabelecimento"] = c.inscription;
    nd.values()["InKevaNegEstabelecimento"] = c.negative;
    nd.values()["CoCgcVinculado"] = c.linkedCei;
    nd.values()["NoRazaoEstabelecimento"] = "INDUSTRIA MODELO LTDA";
    const auto out = nd.ok();
    EXPECT_EQ(out.code, c.code) << c.inscription;
    EXPECT_EQ(out.focus, c.focus) << c.inscription;
    EXPECT_FALSE(nd.stored());
  }
  EXPECT_EQ(folder.db().rowCount("BD8Emp"), 0);
}

TEST_F(EstablishmentEntryTest, AnotherPrefixOffersToCopyTheRegistrationData) {
  const auto first = create(kCnpj, "00");
  EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
  e.load(EntryMode::New, first);
  fillValid(e.values());
  e.values()["CoNaturezaJuridica"] = "1015";
  const auto saved = e.save();
  ASSERT_TRUE(saved.accepted()) << saved.code << " " << saved.focus;

  NewDeclaration nd(folder.db(), ref, ui);
  nd.values()["CoCgcCeiEstabelecimento"] = kCnpj;
  ASSERT_TRUE(nd.leave("CoCgcCeiEstabelecimento").accepted());
  nd.values()["NuPrefixoEstabelecimento"] = "01";
  ui.answers = {"mrYes"};
  ASSERT_TRUE(nd.leave("NuPrefixoEstabelecimento").accepted());
  EXPECT_EQ(ui.shown.back().text, messageOf("1001"));
  ASSERT_TRUE(nd.stored());
  EXPECT_EQ(stored(nd.key(), "EdEstabelecimento"), "RUA DAS INDUSTRIAS");
  EXPECT_EQ(stored(nd.key(), "CoCnae2"), "2511000");
  EXPECT_EQ(stored(nd.key(), "NuVinculosEstabelecimento"), "000000");
}

TEST_F(EstablishmentEntryTest, LeavingFieldsGivesMessageAndFocus) {
  const auto key = create();
  struct Case {
    std::vector<std::pair<const char*, const char*>> values;
    const char* left;
    const char* code;
    bool refuses;
    const char* focus;
  } cases[] = {
      {{{"VaGlobalSindical", "150,00"}, {"CoCNPJSindical", ""}}, "VaGlobalSindical", "3649", true, "CoCNPJSindical"},
      {{{"VaGlobalSindical", "1.234.567,89"}}, "VaGlobalSindical", "0315", true, "VaGlobalSindical"},
      {{{"VaGlobalSindical", "12a"}}, "VaGlobalSindical", "0040", true, "VaGlobalSindical"},
      {{{"CoCNPJCentralizada", kCnpj}}, "CoCNPJCentralizada", "3709", true, "CoCNPJCentralizada"},
      {{{"MeDataBase", "13"}}, "MeDataBase", "0071", true, "MeDataBase"},
      {{{"MeDataBase", ""}}, "MeDataBase", "0030", true, "MeDataBase"},
      {{{"CoCnae2", "9999999"}}, "CoCnae2", "0000", false, ""},
      {{{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", ""}, {"NuVinculoPatMenor5", ""}}, "NuVinculoPatMenor5", "3626",
       true, "NuVinculoPatMenor5"},
      {{{"InParticipaPAT", "1"}, {"PoAlimentacaoConvenio", "101"}}, "PoAlimentacaoConvenio", "3521", true,
       "PoAlimentacaoConvenio"},
      {{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", ""}}, "DaEncerramentoAtividade", "3513", true,
       "DaEncerramentoAtividade"},
  };
  for (const auto& c : cases) {
    EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
    e.load(EntryMode::Open, key);
    for (const auto& [f, value] : c.values) e.values()[f] = value;
    const auto out = e.leave(c.left);
    if (std::string(c.left) == "CoCnae2") {
      EXPECT_NE(out.code, "0000");  // an unknown activity is refused
      continue;
    }
    EXPECT_EQ(out.code, c.code) << c.left;
    EXPECT_EQ(out.refuses, c.refuses) << c.left;
    EXPECT_EQ(out.focus, c.focus) << c.left;
  }
  // The centralising CNPJ refused for being the establishment's own is cleared.
  EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
  e.load(EntryMode::Open, key);
  e.values()["CoCNPJCentralizada"] = kCnpj;
  e.leave("CoCNPJCentralizada");
  EXPECT_EQ(e.values()["CoCNPJCentralizada"], "");
}

TEST_F(EstablishmentEntryTest, SizeAndPatRules) {
  const auto key = create();
  EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
  e.load(EntryMode::New, key);
  e.values()["InPorte"] = "3";
  e.values()["InOptanteSimples"] = "1";
  e.sizeClicked();
  EXPECT_EQ(e.values()["InOptanteSimples"], "2");
  EXPECT_FALSE(e.controls().simples);
  e.values()["InPorte"] = "1";
  e.sizeClicked();
  EXPECT_TRUE(e.controls().simples);
  EXPECT_EQ(e.values()["InOptanteSimples"], "2");

  e.values()["InParticipaPAT"] = "1";
  e.values()["NuVinculoPatMaior5"] = "3";
  e.values()["PoServicoProprio"] = "50";
  EXPECT_TRUE(e.controls().pat);
  e.values()["InParticipaPAT"] = "2";
  e.patClicked();
  EXPECT_EQ(e.values()["NuVinculoPatMaior5"], "");
  EXPECT_EQ(e.values()["PoServicoProprio"], "");
  EXPECT_FALSE(e.controls().pat);
}

TEST_F(EstablishmentEntryTest, SaveKeepsCountsAndWithoutEmployeesRemovesLinks) {
  const auto key = create();
  addLinks(key, 12);
  EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
  ASSERT_TRUE(e.load(EntryMode::Open, key).accepted());
  EXPECT_EQ(e.values()[EstablishmentEntry::kTotal], "12");
  EXPECT_EQ(stored(key, "NuVinculosEstabelecimento"), "000012");  // recounted on opening
  fillValid(e.values());
  e.values()["VaGlobalAssociativa"] = "0";
  ui.answers = {"mrYes", "mrYes"};  // unionised? yes: the save stops at the associative CNPJ
  auto out = e.save();
  EXPECT_EQ(out.focus, "CoCNPJAssociativa");
  e.values()["CoNaturezaJuridica"] = "1015";  // a public body is not asked
  e.values()["InKevaNegEstabelecimento"] = "1";
  ui.shown.clear();
  ui.answers = {"mrYes"};  // "1005": remove the links
  out = e.save();
  ASSERT_TRUE(out.accepted()) << out.code << " " << out.focus;
  EXPECT_EQ(ui.shown.back().text, messageOf("1005"));
  EXPECT_EQ(folder.db().rowCount("BD8Vinc"), 0);
  EXPECT_EQ(stored(key, "NuVinculosEstabelecimento"), "000000");
  EXPECT_EQ(stored(key, "NuEnderecoEstabelecimento"), "000100");
  EXPECT_EQ(stored(key, "MeDataBase"), "05");
  EXPECT_EQ(stored(key, "InSindicalizada"), "1");  // as answered
}

TEST_F(EstablishmentEntryTest, CancelDeletesANewRowAndKeepsAnOpenedOne) {
  const auto key = create();
  {
    EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
    e.load(EntryMode::Open, key);
    e.values()["NoRazaoEstabelecimento"] = "OUTRO NOME";
    ui.answers = {"mrYes"};
    EXPECT_TRUE(e.cancel());
    e.close();
  }
  EXPECT_EQ(stored(key, "NoRazaoEstabelecimento"), "INDUSTRIA MODELO LTDA");
  EXPECT_EQ(stored(key, "InOpcaoAberta"), "");
  EstablishmentEntry e(folder.db(), ref, ui, cnaeMark);
  e.load(EntryMode::New, key);
  ui.answers = {"mrNo"};
  EXPECT_FALSE(e.cancel());
  ui.answers = {"mrYes"};
  EXPECT_TRUE(e.cancel());
  EXPECT_EQ(stored(key, "NoRazaoEstabelecimento"), "<none>");
}

}  // namespace
}  // namespace torvex::core::entry
