// The responsible-party rules without a window: what leaving each field does to
// the shown values, the message and the focus, and what saving stores.
#include "core/entry/responsible_entry.h"

#include <gtest/gtest.h>

#include "core/declfile/record_layout.h"
#include "core/declfile/responsible_record.h"
#include "core/store/table.h"
#include "core/validation/check_digits.h"
#include "generator/declaration_generator.h"
#include "support/temp_data_folder.h"

namespace torvex::core::entry {
namespace {

class ResponsibleEntryTest : public ::testing::Test {
 protected:
  test::TempDataFolder folder;
  store::ReferenceLookup ref{folder.db()};
  ResponsibleEntry entry{folder.db(), ref};

  void fillValid() {
    auto& v = entry.values();
    v["CoCgcCeiResponsavel"] = "11222333000181";
    v["NoResponsavelArquivo"] = "ESCRITORIO CONTABIL MODELO";
    v["EdLogradouroRespArquivo"] = "RUA DAS FLORES";
    v["NuLogradouroRespArquivo"] = "25";
    v["NoBairroRespArquivo"] = "CENTRO";
    v["CoCepRespArquivo"] = "01310-100";
    v["CoMunicipioRespArquivo"] = "3550308";
    v["NuFoneDDD"] = "11";
    v["NuFoneAssinante"] = "32221234";
    v["TxEMailRespArquivo"] = "contato@modelo.com.br";
  }
  std::string stored(const char* field) {
    store::Table t(folder.db(), "BD8Resp");
    t.first();
    return t.text(field);
  }
};

TEST_F(ResponsibleEntryTest, InscriptionKindFollowsTheTypedLength) {
  struct Case {
    const char* typed;
    const char* code;     // message shown
    const char* kind;     // stored kind afterwards ("" untouched)
    const char* shown;    // field text afterwards
    const char* kindText;
  } cases[] = {
      {"11222333000181", "0000", "1", "11.222.333/0001-81", "CNPJ"},
      {"123456789010", "0000", "3", "12-345-67.890-1/0", "CEI"},
      {"123400002057", "0000", "3", "12-340-00.020-5/7", "CEI"},  // valid both ways: 12 digits make a CEI
      {"52998224725", "0000", "4", "529.982.247-25", "CPF"},
      {"1234567000195", "1003", "", "1234567000195", ""},          // a valid CNPJ typed with 13 digits
      {"11222333000182", "0054", "", "11222333000182", ""},
  };
  for (const auto& c : cases) {
    entry.values().clear();
    entry.values()["CoCgcCeiResponsavel"] = c.typed;
    const FieldOutcome out = entry.leave("CoCgcCeiResponsavel");
    EXPECT_EQ(out.code, c.code) << c.typed;
    EXPECT_EQ(out.refuses, std::string(c.code) != "0000") << c.typed;
    if (out.refuses) {
      EXPECT_EQ(out.focus, "CoCgcCeiResponsavel");
    }
    EXPECT_EQ(entry.values()["InInscrResponsavel"], c.kind) << c.typed;
    EXPECT_EQ(entry.values()["CoCgcCeiResponsavel"], c.shown) << c.typed;
    EXPECT_EQ(entry.values()[ResponsibleEntry::kKindText], c.kindText) << c.typed;
  }
}

TEST_F(ResponsibleEntryTest, LeavingFieldsGivesMessageAndFocus) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> values;
    const char* left;
    const char* code;
    bool refuses;
    const char* focus;
  } cases[] = {
      {{{"NuFoneAssinante", ""}, {"NuFoneDDD", "11"}}, "NuFoneAssinante", "3674", true, "NuFoneAssinante"},
      {{{"NuFoneAssinante", "32221234"}, {"NuFoneDDD", ""}}, "NuFoneAssinante", "3101", true, "NuFoneDDD"},
      {{{"NuLogradouroRespArquivo", ""}, {"TxComplementoRespArquivo", ""}}, "TxComplementoRespArquivo", "0120", true,
       "TxComplementoRespArquivo"},
      {{{"CoMunicipioRespArquivo", "3550308"}, {"CoCepRespArquivo", "20000000"}}, "CoMunicipioRespArquivo", "0083",
       true, "CoCepRespArquivo"},
      {{{"CoMunicipioRespArquivo", "3599999"}, {"CoCepRespArquivo", "01310100"}}, "CoMunicipioRespArquivo", "0090",
       true, "CoMunicipioRespArquivo"},
      {{{"NoResponsavelArquivo", ""}}, "NoResponsavelArquivo", "0000", false, ""},  // empty name: checked on save
      {{{"TxEMailRespArquivo", "semarroba"}}, "TxEMailRespArquivo", "3627", true, "TxEMailRespArquivo"},
  };
  for (const auto& c : cases) {
    entry.values().clear();
    for (const auto& [f, value] : c.values) entry.values()[f] = value;
    const FieldOutcome out = entry.leave(c.left);
    EXPECT_EQ(out.code, c.code) << c.left;
    EXPECT_EQ(out.refuses, c.refuses) << c.left;
    EXPECT_EQ(out.focus, c.focus) << c.left;
  }
}

TEST_F(ResponsibleEntryTest, MunicipalityFillsNameAndState) {
  entry.values()["CoMunicipioRespArquivo"] = "3550308";
  entry.values()["CoCepRespArquivo"] = "01310100";
  EXPECT_TRUE(entry.leave("CoMunicipioRespArquivo").accepted());
  EXPECT_EQ(entry.values()["NoMunicipioRespArquivo"], "SAO PAULO");
  EXPECT_EQ(entry.values()["SgUfRespArquivo"], "SP");
  entry.values()["CoMunicipioRespArquivo"] = "";
  EXPECT_TRUE(entry.leave("CoMunicipioRespArquivo").accepted());
  EXPECT_EQ(entry.values()["NoMunicipioRespArquivo"], "");
}

TEST_F(ResponsibleEntryTest, SaveStoresPaddedValuesAndReloads) {
  fillValid();
  const FieldOutcome out = entry.save();
  ASSERT_TRUE(out.accepted()) << out.code << " " << out.focus;
  EXPECT_EQ(stored("CoCgcCeiResponsavel"), "11222333000181");
  EXPECT_EQ(stored("InInscrResponsavel"), "1");
  EXPECT_EQ(stored("NuLogradouroRespArquivo"), "000025");
  EXPECT_EQ(stored("CoCepRespArquivo"), "01310100");
  EXPECT_EQ(stored("NoMunicipioRespArquivo"), "SAO PAULO");

  ResponsibleEntry again(folder.db(), ref);
  again.load();
  EXPECT_EQ(again.values()["CoCgcCeiResponsavel"], "11.222.333/0001-81");
  EXPECT_EQ(again.values()["NuLogradouroRespArquivo"], "25");
  EXPECT_EQ(again.values()[ResponsibleEntry::kKindText], "CNPJ");
}

TEST_F(ResponsibleEntryTest, SaveStopsAtTheFirstRefusalAndWritesNothing) {
  fillValid();
  entry.values()["NuLogradouroRespArquivo"] = "";
  entry.values()["TxComplementoRespArquivo"] = "";
  const FieldOutcome out = entry.save();
  EXPECT_EQ(out.code, "0120");
  EXPECT_EQ(out.focus, "TxComplementoRespArquivo");
  EXPECT_EQ(folder.db().rowCount("BD8Resp"), 0);

  fillValid();
  entry.values()["NuFoneDDD"] = "";  // the telephone comes before the street in the save order
  entry.values()["EdLogradouroRespArquivo"] = "X";
  EXPECT_EQ(entry.save().code, "3101");
}

// The type-0 record of a generated file, with some fields replaced.
std::string responsibleRecord(std::initializer_list<std::pair<int, std::string>> fields) {
  declfile::RecordLayout layout;
  declfile::MontaLayoutAnoAtual(layout);
  std::string record = generator::DeclarationGenerator({}).text().substr(0, declfile::kRecordLengthCurrent);
  for (const auto& [slot, value] : fields) {
    const auto& f = layout.tipoZero[slot];
    record.replace(static_cast<std::size_t>(f.start - 1), static_cast<std::size_t>(f.length),
                   value + std::string(static_cast<std::size_t>(f.length) - value.size(), ' '));
  }
  return record;
}

TEST_F(ResponsibleEntryTest, AFileRecordIsShownAsStoredAndSavedAsKeyedIn) {
  namespace s0 = declfile::slot0;
  declfile::RecordLayout layout;
  declfile::MontaLayoutAnoAtual(layout);
  const std::string cpf = "123456789" + validation::cpfCheckDigits("123456789");
  // A CPF responsible: 14 positions, zeros in front.
  entry.show(declfile::responsibleRecordValues(
      responsibleRecord({{s0::kInscricaoResp, "000" + cpf}, {s0::kTipoInscricao, "4"}, {s0::kNome, "JOSE DA SILVA"}}),
      layout));
  EXPECT_EQ(entry.values()["CoCgcCeiResponsavel"], "123.456.789-" + cpf.substr(9));
  EXPECT_EQ(entry.values()["NuLogradouroRespArquivo"], "100");
  EXPECT_EQ(entry.values()["InReciboParaRespArquivo"], "1");
  EXPECT_TRUE(entry.refusals().empty());
  ASSERT_TRUE(entry.save().accepted());
  EXPECT_EQ(stored("CoCgcCeiResponsavel"), "000" + cpf);
  EXPECT_EQ(stored("InInscrResponsavel"), "4");
  EXPECT_EQ(stored("NoResponsavelArquivo"), "JOSE DA SILVA");
  EXPECT_EQ(stored("NuLogradouroRespArquivo"), "000100");

  // Every refusal is listed, in the save order, where save() stops at the
  // first; the name is read from the file's code page (and refused: accents
  // are not printable text).
  entry.show(declfile::responsibleRecordValues(
      responsibleRecord({{s0::kInscricaoResp, "11222333000100"}, {s0::kNome, "JOS\xC9 DA SILVA"}, {s0::kDdd, ""}}),
      layout));
  EXPECT_EQ(entry.values()["NoResponsavelArquivo"], "JOS\u00c9 DA SILVA");
  const auto refusals = entry.refusals();
  ASSERT_EQ(refusals.size(), 3u);
  EXPECT_EQ(refusals[0].focus, "CoCgcCeiResponsavel");
  EXPECT_EQ(refusals[1].code, "0020");
  EXPECT_EQ(refusals[2].focus, "NuFoneDDD");
}

}  // namespace
}  // namespace torvex::core::entry
