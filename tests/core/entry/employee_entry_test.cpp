// The employee window's rules without a window: loading a link by key, the
// checks on leaving fields, the cross-field rules and what save, delete and
// cancel store.
#include "core/entry/employee_entry.h"

#include <gtest/gtest.h>

#include "core/validation/formatters.h"
#include "core/validation/message_dialog.h"
#include "core/validation/value_tests.h"
#include "support/declaration_samples.h"

namespace torvex::core::entry {
namespace {

using test::Values;

class EmployeeEntryTest : public ::testing::Test {
 protected:
  test::CheckBench bench;
  store::Database& db = bench.db;
  const store::ReferenceLookup& ref = bench.reference;
  test::ScriptedInteraction& ui = bench.ui;
  LinkWarningCounters counters;
  Values establishment = test::validEstablishment();
  EstablishmentKey key{"2006", establishment.at("CoCgcCeiEstabelecimento"), "00"};

  void SetUp() override {
    test::insertRow(db, "BD8Resp", test::validResponsible());
    test::insertRow(db, "BD8Emp", establishment);
  }

  // A link of the establishment as the consistency check accepts it.
  Values link(const std::string& pisRoot = "1011234567") {
    Values l = test::validLink(establishment);
    l["CoPisPasepEmpregado"] = test::pis(pisRoot);
    return l;
  }
  void store(const Values& l) { test::insertRow(db, "BD8Vinc", l); }

  // The stored values of a link as the user types them into the window.
  static void type(FieldValues& v, const Values& l) {
    for (const auto& f : EmployeeEntry::fieldOrder()) {
      const auto it = l.find(f);
      if (it == l.end()) continue;
      const std::string& s = it->second;
      if (f.starts_with("Va")) v[f] = validation::formatCents(s, validation::AmountPadding::None);
      else if (f.starts_with("Da") && s.size() == 8) v[f] = shownDate(s);
      else if (f.starts_with("Da") && s.size() == 4) v[f] = s == "0000" ? "" : s.substr(0, 2) + "/" + s.substr(2);
      else if (f.starts_with("In") || f.starts_with("Ho")) v[f] = s;
      else v[f] = validation::isNotInformed(s) ? "" : s;
    }
  }

  std::unique_ptr<EmployeeEntry> open(const std::optional<LinkKey>& k = std::nullopt) {
    auto e = std::make_unique<EmployeeEntry>(db, ref, ui, counters);
    const auto out = e->load(key, k);
    EXPECT_TRUE(out.accepted()) << out.code;
    return e;
  }
  std::unique_ptr<EmployeeEntry> openStored(const Values& l) {
    return open(LinkKey{l.at("CoPisPasepEmpregado"), l.at("DaAdmissaoEmpregado"), l.at("NoEmpregado")});
  }

  std::string storedLink(const std::string& pis, const char* column) {
    auto st = db.prepare(std::string("SELECT ") + column + " FROM BD8Vinc WHERE CoPisPasepEmpregado = :p");
    st.bind(":p", pis);
    return st.step() ? st.text(0) : std::string("<none>");
  }
  std::string storedCount(const char* column) {
    auto st = db.prepare(std::string("SELECT ") + column + " FROM BD8Emp");
    st.step();
    return st.text(0);
  }
  std::string messageOf(const char* code) { return validation::messageText(ref, code); }
  bool shown(const std::string& text) {
    for (const auto& s : ui.shown)
      if (s.text == text) return true;
    return false;
  }
};

TEST_F(EmployeeEntryTest, FieldTableCoversEveryPageInOrder) {
  const auto& order = EmployeeEntry::fieldOrder();
  EXPECT_EQ(order.front(), "CoPisPasepEmpregado");
  EXPECT_EQ(order.back(), "QtCompGratificacoes");
  int page = 0;
  for (const auto& f : order) {
    // Pages follow one another without coming back.
    ASSERT_GE(EmployeeEntry::pageOf(f), page) << f;
    page = EmployeeEntry::pageOf(f);
  }
  EXPECT_EQ(page, 6);
  EXPECT_EQ(EmployeeEntry::pageOf("DaAdmissaoEmpregado"), 1);
  EXPECT_EQ(EmployeeEntry::pageOf("VaAvisoPrevioEmpregado"), 2);
  EXPECT_EQ(EmployeeEntry::pageOf("NoMunicipioTrabalho"), 2);
  EXPECT_EQ(EmployeeEntry::pageOf("Me13ParcelaFinalEmpregado"), 5);
  EXPECT_EQ(EmployeeEntry::pageCaptions().size(), 7u);
}

TEST_F(EmployeeEntryTest, NewLinkStartsEmptyWithItsDefaults) {
  auto e = open();
  EXPECT_EQ(e->mode(), EntryMode::New);
  EXPECT_EQ(e->values()["InDeficienteFisico"], "2");
  EXPECT_EQ(e->values()["VaJaneiroEmpregado"], "0,00");
  EXPECT_EQ(e->values()["QtDiasAfas"], "000");
  EXPECT_EQ(e->values()["CoPisPasepEmpregado"], "");
  EXPECT_FALSE(e->controls().remove);
  EXPECT_FALSE(e->controls().permit);
  EXPECT_EQ(e->referenceYear(), 2006);
  EXPECT_EQ(e->values()["Titulo"], "COMERCIO EXEMPLO LTDA - CNPJ: " +
                                       validation::formatInscription(key.inscription, "1") +
                                       " | Prefixo: 00 - Informações Referentes ao Empregado / Servidor");
}

TEST_F(EmployeeEntryTest, ExistingLinkIsShownWithPlaceholdersEmptied) {
  Values l = link();
  l["CoCausaDesligamento"] = "11";
  l["DaDesligamentoEmpregado"] = "3010";
  l["VaAvisoPrevioEmpregado"] = "000123456";
  store(l);
  auto e = openStored(l);
  EXPECT_EQ(e->mode(), EntryMode::Open);
  EXPECT_TRUE(e->controls().remove);
  auto& v = e->values();
  EXPECT_EQ(v["DaAdmissaoEmpregado"], "01/03/2005");
  EXPECT_EQ(v["DaDesligamentoEmpregado"], "30/10");
  EXPECT_EQ(v["VaJaneiroEmpregado"], "1.500,00");
  EXPECT_EQ(v["VaAvisoPrevioEmpregado"], "1.234,56");
  EXPECT_EQ(v["AnChegadaEmpregado"], "");
  EXPECT_EQ(v["CoCpfEmpregado"], "");
  EXPECT_EQ(v["CoMotivoPrimAfas"], "");
  EXPECT_EQ(v["NoCausaDesligamento"], *ref.name(store::CodeTable::TerminationCause, "11"));
  EXPECT_EQ(v["NoMes13ParcelaFinal"], "Dezembro");
  const auto c = e->controls();
  EXPECT_TRUE(c.dismissalDate);
  EXPECT_TRUE(c.notice);
  EXPECT_TRUE(c.rescission);
  EXPECT_FALSE(c.arrivalYear);

  // A key that is not there is told and refused.
  EmployeeEntry missing(db, ref, ui, counters);
  EXPECT_TRUE(missing.load(key, LinkKey{test::pis("9999999999"), "01012006", "X"}).refuses);
  EXPECT_EQ(missing.load({"2006", "00000000000000", "00"}, std::nullopt).code, "1006");
}

TEST_F(EmployeeEntryTest, KeyedInLinkIsSavedWithTheCountsAndPassesTheCheck) {
  auto e = open();
  const Values l = link();
  type(e->values(), l);
  const auto out = e->save();
  ASSERT_TRUE(out.accepted()) << out.code << " " << out.focus;
  EXPECT_TRUE(e->closeRequested());
  const std::string pis = l.at("CoPisPasepEmpregado");
  EXPECT_EQ(storedLink(pis, "VaJaneiroEmpregado"), "000150000");
  EXPECT_EQ(storedLink(pis, "DaAdmissaoEmpregado"), "01032005");
  EXPECT_EQ(storedLink(pis, "CoCpfEmpregado"), "00000000000");
  EXPECT_EQ(storedLink(pis, "DaDesligamentoEmpregado"), "0000");
  EXPECT_EQ(storedLink(pis, "VaGlobalSindical"), "00005000");
  EXPECT_EQ(storedLink(pis, "InSindicalizadoVinculo"), "2");
  EXPECT_EQ(storedCount("NuVinculosEstabelecimento"), "000001");
  EXPECT_EQ(storedCount("NuEstrangeirosEstabelec"), "00000");
  EXPECT_TRUE(e->establishmentHasLinks());

  // The declaration so keyed in has no error.
  const auto check = bench.verify();
  EXPECT_FALSE(check.errors) << testing::PrintToString(test::findingLines(db));

  // Opened again, edited and saved: the same row changes.
  auto again = openStored(l);
  again->values()["VaJaneiroEmpregado"] = "1.600,00";
  ASSERT_TRUE(again->save().accepted());
  EXPECT_EQ(storedLink(pis, "VaJaneiroEmpregado"), "000160000");
  EXPECT_EQ(db.rowCount("BD8Vinc"), 1);
}

TEST_F(EmployeeEntryTest, RefusedSaveWritesNothing) {
  struct Case {
    const char* field;
    const char* value;
    const char* code;
    const char* focus;
  } cases[] = {
      {"CoPisPasepEmpregado", "10112345670", "", "CoPisPasepEmpregado"},  // wrong check digit
      {"DaAdmissaoEmpregado", "31/02/2006", "", "DaAdmissaoEmpregado"},
      {"CoCbo", "999999", "", "CoCbo"},
      {"VaSalContratualEmpregado", "12a", "0040", "VaSalContratualEmpregado"},
  };
  for (const auto& c : cases) {
    auto e = open();
    type(e->values(), link());
    e->values()[c.field] = c.value;
    const auto out = e->save();
    EXPECT_TRUE(out.refuses) << c.field;
    if (*c.code) {
      EXPECT_EQ(out.code, c.code) << c.field;
    }
    EXPECT_EQ(out.focus, c.focus) << c.field;
    EXPECT_FALSE(e->closeRequested());
  }
  EXPECT_EQ(db.rowCount("BD8Vinc"), 0);
}

TEST_F(EmployeeEntryTest, SameKeySavedTwiceGivesTheKeyViolationMessage) {
  const Values l = link();
  store(l);
  auto e = open();
  type(e->values(), l);
  const auto out = e->save();
  EXPECT_TRUE(out.refuses);
  EXPECT_TRUE(shown(messageOf("1059"))) << out.code << " " << out.focus;
  EXPECT_TRUE(e->closeRequested());
  EXPECT_EQ(db.rowCount("BD8Vinc"), 1);
}

TEST_F(EmployeeEntryTest, DeleteAndCancel) {
  const Values a = link("1011234567"), b = link("1011234568");
  store(a);
  store(b);
  auto e = openStored(a);
  ui.answers = {"mrNo"};
  EXPECT_FALSE(e->remove());
  EXPECT_EQ(db.rowCount("BD8Vinc"), 2);
  ui.answers = {"mrYes"};
  EXPECT_TRUE(e->remove());
  EXPECT_EQ(ui.shown.back().text, "Deseja excluir o vínculo ?");
  EXPECT_EQ(storedLink(a.at("CoPisPasepEmpregado"), "AnBase"), "<none>");
  EXPECT_EQ(storedCount("NuVinculosEstabelecimento"), "000001");
  EXPECT_TRUE(e->establishmentHasLinks());

  // Cancelling asks only once something was typed; No keeps the window open.
  auto fresh = open();
  const auto asked = ui.shown.size();
  EXPECT_TRUE(fresh->cancel());
  EXPECT_EQ(ui.shown.size(), asked);
  auto typed = open();
  typed->values()["CoPisPasepEmpregado"] = a.at("CoPisPasepEmpregado");
  ui.answers = {"mrNo"};
  EXPECT_FALSE(typed->cancel());
  EXPECT_EQ(ui.shown.back().text, "As informações não salvas serão perdidas. Deseja sair ?");
  ui.answers = {"mrYes"};
  EXPECT_TRUE(typed->cancel());
  EXPECT_EQ(db.rowCount("BD8Vinc"), 1);
}

TEST_F(EmployeeEntryTest, LeavingFieldsGivesMessageAndFocus) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> values;
    const char* left;
    const char* code;
    bool refuses;
    const char* focus;  // on refusal; the next field on acceptance
  } cases[] = {
      {{{"VaJaneiroEmpregado", "12345678901"}}, "VaJaneiroEmpregado", "0315", true, "VaJaneiroEmpregado"},
      {{{"VaJaneiroEmpregado", "1x"}}, "VaJaneiroEmpregado", "0040", true, "VaJaneiroEmpregado"},
      {{{"VaGlobalFerias", "1.234.567,89"}, {"CoCausaDesligamento", "11"}}, "VaGlobalFerias", "0315", true,
       "VaGlobalFerias"},
      {{{"CoNacionalidade", "10"}}, "CoNacionalidade", "0000", false, "CoInstrucao"},
      {{{"CoNacionalidade", "99"}}, "CoNacionalidade", "", true, "CoNacionalidade"},
      {{{"TxUsoEmpregado", "ABC"}}, "TxUsoEmpregado", "0000", false, "DaAdmissaoEmpregado"},
      {{{"CoMunicipioTrabalho", ""}}, "CoMunicipioTrabalho", "0000", false, "CoMotivoPrimAfas"},
      {{{"InDeficienteFisico", "2"}}, "InDeficienteFisico", "0000", false, "InSexo"},
      {{{"InDeficienteFisico", "1"}}, "InDeficienteFisico", "0000", false, "CoDeficienteFisico"},
      {{{"InDeficienteFisico", "1"}, {"CoDeficienteFisico", "9"}}, "CoDeficienteFisico", "", true,
       "InDeficienteFisico"},
      {{{"NuCartTrabEmpregado", "12a"}}, "NuCartTrabEmpregado", "0040", true, "NuCartTrabEmpregado"},
      {{{"QtCompBcoHoras", "3"}, {"VaGlobalBcoHoras", "0,00"}}, "QtCompBcoHoras", "3681", true, "VaGlobalBcoHoras"},
  };
  for (const auto& c : cases) {
    auto e = open();
    type(e->values(), link());
    for (const auto& [f, value] : c.values) e->values()[f] = value;
    const auto out = e->leave(c.left);
    EXPECT_EQ(out.refuses, c.refuses) << c.left;
    if (*c.code) {
      EXPECT_EQ(out.code, c.code) << c.left;
    } else {
      EXPECT_NE(out.code, "0000") << c.left;
    }
    EXPECT_EQ(c.refuses ? out.focus : out.next, c.focus) << c.left;
  }
}

TEST_F(EmployeeEntryTest, AmountsAreReformattedAndStoredAsCents) {
  auto e = open();
  e->values()["VaSalContratualEmpregado"] = "1234";
  ASSERT_TRUE(e->leave("VaSalContratualEmpregado").accepted());
  EXPECT_EQ(e->values()["VaSalContratualEmpregado"], "1.234,00");
  e->values()["VaSalContratualEmpregado"] = "12345678,90";
  EXPECT_EQ(e->leave("VaSalContratualEmpregado").code, "0315");
}

TEST_F(EmployeeEntryTest, ExistingLinkKeepsItsPis) {
  const Values l = link();
  store(l);
  auto e = openStored(l);
  e->values()["CoPisPasepEmpregado"] = test::pis("1011234568");
  // Runs even when the focus goes to "&Cancelar".
  const auto out = e->leave("CoPisPasepEmpregado", true);
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(out.focus, "CoPisPasepEmpregado");
  EXPECT_EQ(e->values()["CoPisPasepEmpregado"], l.at("CoPisPasepEmpregado"));
  EXPECT_EQ(ui.shown.back().kind, platform::DialogKind::Error);
}

TEST_F(EmployeeEntryTest, AbsenceDaysAtMost365) {
  auto e = open();
  e->values()["QtDiasAfas"] = "366";
  auto out = e->leave("QtDiasAfas", true);
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(ui.shown.back().text, "A soma do total de dias de afastamento não pode ser maior que 365 dias.");
  e->values()["CoMotivoPrimAfas"] = "40";
  e->values()["QtDiasAfas"] = "365";
  out = e->leave("QtDiasAfas");
  EXPECT_TRUE(out.accepted()) << out.code;
  EXPECT_EQ(out.next, "CoCNPJSindical");
  EXPECT_EQ(e->values()["QtDiasAfas"], "365");
}

TEST_F(EmployeeEntryTest, ManyForeignersWarnOnLeavingTheNationality) {
  for (int i = 0; i < 6; ++i) {
    Values l = link("10112345" + std::to_string(10 + i));
    if (i < 3) {
      l["CoNacionalidade"] = "20";
      l["AnChegadaEmpregado"] = "1990";
    }
    store(l);
  }
  auto e = open();
  e->values()["CoNacionalidade"] = "20";
  const auto out = e->leave("CoNacionalidade");
  EXPECT_TRUE(out.accepted());
  EXPECT_EQ(out.next, "AnChegadaEmpregado");
  EXPECT_TRUE(e->controls().arrivalYear);
  EXPECT_EQ(ui.shown.back().text, messageOf("0393"));
}

}  // namespace
}  // namespace torvex::core::entry
