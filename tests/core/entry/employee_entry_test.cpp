// The employee window's rules without a window: loading a link by key, the
// checks on leaving fields, the cross-field rules and what save, delete and
// cancel store.
#include "core/entry/employee_entry.h"

#include <gtest/gtest.h>

#include "core/validation/formatters.h"
#include "core/validation/message_dialog.h"
#include "core/validation/text_ops.h"
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
  std::string lastShown() const { return ui.shown.empty() ? std::string() : ui.shown.back().text; }
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
      {"TxUsoEmpregado", "ABCDEFGHIJKLM", "", "TxUsoEmpregado"},  // longer than its column
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
  EXPECT_EQ(lastShown(), "Deseja excluir o vínculo ?");
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
  EXPECT_EQ(lastShown(), "As informações não salvas serão perdidas. Deseja sair ?");
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
      {{{"NuCartTrabEmpregado", "123456789"}}, "NuCartTrabEmpregado", "0040", true, "NuCartTrabEmpregado"},
      {{{"QtCompBcoHoras", "3"}, {"VaGlobalBcoHoras", "0,00"}}, "QtCompBcoHoras", "3681", true, "VaGlobalBcoHoras"},
      {{{"QtCompBcoHoras", ""}, {"VaGlobalBcoHoras", "100,00"}}, "QtCompBcoHoras", "3680", true, "QtCompBcoHoras"},
      // Rescission amounts without a dismissal: told, and the focus moves on.
      {{{"VaGlobalFerias", "100"}, {"CoCausaDesligamento", ""}}, "VaGlobalFerias", "0000", false, "VaGlobalMultas"},
      {{{"Me13AdiantamentoEmpregado", "11"}, {"Me13ParcelaFinalEmpregado", "10"}}, "Me13ParcelaFinalEmpregado",
       "0323", true, "Me13ParcelaFinalEmpregado"},
      {{{"Me13AdiantamentoEmpregado", "11"}, {"Va13AdiantamentoEmpregado", "0,00"}},
       "Va13AdiantamentoEmpregado", "0000", false, ""},
      // The establishment's own CNPJ is not an entity's.
      {{{"CoCNPJConfederativa", "11.222.333/0001-81"}}, "CoCNPJConfederativa", "", true, "CoCNPJConfederativa"},
      {{{"VaGlobalAssistencial", "10,00"}, {"CoCNPJAssistencial", ""}}, "VaGlobalAssistencial", "", true,
       "CoCNPJAssistencial"},
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
  EXPECT_EQ(lastShown(), "A soma do total de dias de afastamento não pode ser maior que 365 dias.");
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
  EXPECT_EQ(lastShown(), messageOf("0393"));
}


// --- rules of several fields -----------------------------------------------------------

TEST_F(EmployeeEntryTest, RepeatedPisOffersThePersonalDataOfTheStoredLink) {
  Values first = link();
  first["NuCartTrabEmpregado"] = "07654321";
  first["CoCpfEmpregado"] = "00000000000";
  first["InSexo"] = "2";
  store(first);
  const std::string pis = first.at("CoPisPasepEmpregado");

  // Yes: the twelve personal fields come over and the focus goes to the CPF.
  auto e = open();
  e->values()["CoPisPasepEmpregado"] = pis;
  ui.answers = {"mrYes"};
  auto out = e->leave("CoPisPasepEmpregado");
  EXPECT_EQ(lastShown(), messageOf("1050"));
  EXPECT_EQ(out.next, "CoCpfEmpregado");
  EXPECT_EQ(e->values()["NoEmpregado"], "JOAO DA SILVA");
  EXPECT_EQ(e->values()["DaNascimentoEmpregado"], "15/06/1980");
  EXPECT_EQ(e->values()["NuCartTrabEmpregado"], "07654321");
  EXPECT_EQ(e->values()["InSexo"], "2");
  EXPECT_EQ(e->values()["CoCpfEmpregado"], "");
  // Leaving the same PIS again does not ask again.
  const auto asked = ui.shown.size();
  e->leave("CoPisPasepEmpregado");
  EXPECT_EQ(ui.shown.size(), asked);

  // No: the window closes with the PIS for the list's search field.
  auto other = open();
  other->values()["CoPisPasepEmpregado"] = pis;
  ui.answers = {"mrNo"};
  out = other->leave("CoPisPasepEmpregado");
  EXPECT_TRUE(other->closeRequested());
  EXPECT_EQ(other->listSearchPis(), pis);
  EXPECT_EQ(db.rowCount("BD8Vinc"), 1);
}

TEST_F(EmployeeEntryTest, BirthDateDifferingFromAnotherLinkOfThePisWarns) {
  store(link());
  auto e = open();
  e->values()["CoPisPasepEmpregado"] = link().at("CoPisPasepEmpregado");
  e->values()["DaNascimentoEmpregado"] = "16/06/1980";
  EXPECT_TRUE(e->leave("DaNascimentoEmpregado").accepted());
  EXPECT_EQ(lastShown(), messageOf("1053"));
  // The same birth date is quiet; so is the existing link's own row.
  const auto count = ui.shown.size();
  e->values()["DaNascimentoEmpregado"] = "15/06/1980";
  e->leave("DaNascimentoEmpregado");
  auto own = openStored(link());
  own->values()["DaNascimentoEmpregado"] = "16/06/1980";
  own->leave("DaNascimentoEmpregado");
  EXPECT_EQ(ui.shown.size(), count);
}

TEST_F(EmployeeEntryTest, DuplicateAdmissionOpensTheStoredLinkOrRestoresTheDate) {
  Values first = link();
  first["VaJaneiroEmpregado"] = "000222200";
  store(first);
  Values second = link();
  second["DaAdmissaoEmpregado"] = "01022006";
  store(second);

  // New link: No keeps the date to correct it; Yes opens the stored link instead.
  auto e = open();
  type(e->values(), link());
  ui.answers = {"mrNo"};
  auto out = e->leave("DaAdmissaoEmpregado");
  EXPECT_EQ(lastShown(), messageOf("1051"));
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(out.focus, "DaAdmissaoEmpregado");
  ui.answers = {"mrYes"};
  out = e->leave("DaAdmissaoEmpregado");
  EXPECT_EQ(out.next, "NoEmpregado");
  EXPECT_EQ(e->mode(), EntryMode::Open);
  EXPECT_EQ(e->values()["VaJaneiroEmpregado"], "2.222,00");

  // Existing link moved onto the other link's date: "1058" and the date comes back.
  auto edited = openStored(second);
  edited->values()["DaAdmissaoEmpregado"] = "01/03/2005";
  out = edited->leave("DaAdmissaoEmpregado");
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(lastShown(), messageOf("1058"));
  EXPECT_EQ(edited->values()["DaAdmissaoEmpregado"], "01/02/2006");
  edited->values()["DaAdmissaoEmpregado"] = "01/02/2006";
  EXPECT_EQ(edited->leave("DaAdmissaoEmpregado").next, "CoTipoAdmissao");
}

TEST_F(EmployeeEntryTest, VinculoWarningsAreShownThreeTimesPerRun) {
  db.prepare("UPDATE BD8Emp SET CoCnae2 = '8411600'").run();
  int warnings = 0;
  for (int i = 0; i < 5; ++i) {
    auto e = open();
    type(e->values(), link());
    const auto before = ui.shown.size();
    EXPECT_EQ(e->leave("CoVinculo").next, "CoCausaDesligamento");
    for (auto k = before; k < ui.shown.size(); ++k) warnings += ui.shown[k].text == messageOf("3507");
  }
  EXPECT_EQ(warnings, 3);
  EXPECT_EQ(counters.activity, 0);
  // Saving neither shows nor enforces it.
  auto e = open();
  type(e->values(), link());
  EXPECT_TRUE(e->save().accepted());
}

TEST_F(EmployeeEntryTest, YoungEmployeeIsAskedForThePermit) {
  auto e = open();
  type(e->values(), link());
  e->values()["DaNascimentoEmpregado"] = "10/05/1991";  // 15 in the base year
  ui.answers = {"mrYes"};
  e->leave("CoVinculo");
  EXPECT_EQ(lastShown(), "Existe alvará autorizando menor de 16 anos de idade ?");
  EXPECT_EQ(e->values()["InAlvaraEmpregado"], "1");
  EXPECT_TRUE(e->controls().permit);
  e->values()["InAlvaraEmpregado"] = "2";
  e->permitClicked();
  EXPECT_EQ(lastShown(), "Menor de 16 anos sem alvará não deve ser informado na KEVA.");
}

TEST_F(EmployeeEntryTest, SavingAMinorWithoutPermitOffersToDeleteTheLink) {
  Values minor = link();
  minor["DaNascimentoEmpregado"] = "10051991";
  store(minor);
  store(link("1011234568"));
  auto e = openStored(minor);
  ui.answers = {"mrNo"};
  auto out = e->save();
  EXPECT_EQ(lastShown(), messageOf("3532"));
  EXPECT_EQ(out.focus, "NoEmpregado");
  EXPECT_EQ(db.rowCount("BD8Vinc"), 2);
  ui.answers = {"mrYes"};
  out = e->save();
  EXPECT_TRUE(e->closeRequested());
  EXPECT_EQ(db.rowCount("BD8Vinc"), 1);
  EXPECT_EQ(storedCount("NuVinculosEstabelecimento"), "000001");
}

TEST_F(EmployeeEntryTest, DismissalCauseRules) {
  struct Case {
    const char* cause;
    bool date;        // dismissal date open
    bool notice;      // notice payment open
    bool rescission;  // rescission fields open
    const char* ferias;  // the holiday amount after the rule
    const char* next;
  } cases[] = {
      {"71", false, false, false, "0,00", "CoMunicipioTrabalho"},
      {"30", true, false, true, "0,00", "DaDesligamentoEmpregado"},
      {"11", true, true, true, "10,00", "DaDesligamentoEmpregado"},
      {"10", true, false, true, "10,00", "DaDesligamentoEmpregado"},
  };
  for (const auto& c : cases) {
    Values l = link();
    l["CoCausaDesligamento"] = "11";
    l["DaDesligamentoEmpregado"] = "3010";
    l["VaAvisoPrevioEmpregado"] = "000050000";
    l["VaGlobalFerias"] = "00001000";
    store(l);
    auto e = openStored(l);
    e->values()["CoCausaDesligamento"] = c.cause;
    const auto out = e->leave("CoCausaDesligamento");
    ASSERT_TRUE(out.accepted()) << c.cause << " " << out.code;
    EXPECT_EQ(out.next, c.next) << c.cause;
    const auto k = e->controls();
    EXPECT_EQ(k.dismissalDate, c.date) << c.cause;
    EXPECT_EQ(k.notice, c.notice) << c.cause;
    EXPECT_EQ(k.rescission, c.rescission) << c.cause;
    EXPECT_EQ(e->values()["VaGlobalFerias"], c.ferias) << c.cause;
    EXPECT_EQ(e->values()["VaAvisoPrevioEmpregado"], c.notice ? "500,00" : "0,00") << c.cause;
    EXPECT_EQ(e->values()["DaDesligamentoEmpregado"], c.date ? "30/10" : "") << c.cause;
    db.prepare("DELETE FROM BD8Vinc").run();
  }
}

TEST_F(EmployeeEntryTest, NoticeQuestionAndTheMissingNoticeAmount) {
  auto e = open();
  type(e->values(), link());
  e->values()["CoCausaDesligamento"] = "11";
  e->leave("CoCausaDesligamento");
  e->values()["DaDesligamentoEmpregado"] = "30/10";
  ui.answers = {"mrYes"};
  auto out = e->leave("DaDesligamentoEmpregado");
  EXPECT_EQ(lastShown(), "O Aviso Prévio foi indenizado?");
  EXPECT_EQ(out.next, "VaAvisoPrevioEmpregado");
  EXPECT_TRUE(e->controls().notice);
  out = e->leave("VaAvisoPrevioEmpregado");
  EXPECT_EQ(lastShown(), "Informe o Aviso Prévio Indenizado.");
  EXPECT_EQ(out.focus, "DaDesligamentoEmpregado");
  e->values()["VaAvisoPrevioEmpregado"] = "500";
  out = e->leave("VaAvisoPrevioEmpregado");
  EXPECT_TRUE(out.accepted());
  EXPECT_EQ(e->values()["VaAvisoPrevioEmpregado"], "500,00");

  ui.answers = {"mrNo"};
  out = e->leave("DaDesligamentoEmpregado");
  EXPECT_EQ(out.next, "CoMunicipioTrabalho");
  EXPECT_FALSE(e->controls().notice);
  EXPECT_EQ(e->values()["VaAvisoPrevioEmpregado"], "0,00");
}

TEST_F(EmployeeEntryTest, AbsenceEndDates) {
  auto e = open();
  type(e->values(), link());
  // Third absence: an end without a start is cleared; a start without an end is refused.
  e->values()["DaFinalTerceiroAfas"] = "10/10";
  EXPECT_TRUE(e->leave("DaFinalTerceiroAfas").accepted());
  EXPECT_EQ(e->values()["DaFinalTerceiroAfas"], "");
  e->values()["CoMotivoTercAfas"] = "40";
  e->values()["DaInicioTerceiroAfas"] = "01/10";
  auto out = e->leave("DaFinalTerceiroAfas");
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(out.focus, "DaFinalTerceiroAfas");
  EXPECT_EQ(ui.shown.back().kind, platform::DialogKind::Error);
  EXPECT_TRUE(lastShown().starts_with("A data final de Afastamento deve ser preenchida."));
  // An end before the start is refused; a real period passes.
  e->values()["CoMotivoPrimAfas"] = "40";
  e->values()["DaInicioprimeiroAfas"] = "10/05";
  e->values()["DaFinalPrimeiroAfas"] = "01/05";
  EXPECT_TRUE(e->leave("DaFinalPrimeiroAfas").refuses);
  e->values()["DaFinalPrimeiroAfas"] = "20/05";
  EXPECT_TRUE(e->leave("DaFinalPrimeiroAfas").accepted());
  EXPECT_TRUE(e->leave("DaInicioprimeiroAfas").accepted());
  // A start before the admission is refused.
  e->values()["DaAdmissaoEmpregado"] = "01/06/2006";
  EXPECT_TRUE(e->leave("DaInicioprimeiroAfas").refuses);
}

TEST_F(EmployeeEntryTest, RemunerationAndYearChecks) {
  auto e = open();
  type(e->values(), link());
  // Empty months count as zero, without a message.
  e->values()["VaJaneiroEmpregado"] = "";
  e->values()["VaFevereiroEmpregado"] = "";
  const auto count = ui.shown.size();
  EXPECT_TRUE(e->leave("VaJaneiroEmpregado").accepted());
  EXPECT_TRUE(e->leave("VaFevereiroEmpregado").accepted());
  EXPECT_EQ(e->values()["VaFevereiroEmpregado"], "0,00");
  EXPECT_EQ(ui.shown.size(), count);
  // A remuneration before the admission month is refused and shown bare.
  e->values()["DaAdmissaoEmpregado"] = "01/06/2006";
  e->values()["VaMarcoEmpregado"] = "1234,5";
  auto out = e->leave("VaMarcoEmpregado");
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(e->values()["VaMarcoEmpregado"], "1234,50");

  // Year checks on leaving December: nothing paid in the admission month.
  for (const char* m : {"VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado", "VaAbrilEmpregado",
                        "VaMaioEmpregado", "VaJunhoEmpregado"})
    e->values()[m] = "0,00";
  out = e->leave("VaDezembroEmpregado");
  EXPECT_EQ(out.code, "3679");
  EXPECT_EQ(out.focus, "HoTrabalhadasDezembro");
  // Nothing paid at all: "1060" is shown.
  auto none = open();
  type(none->values(), link());
  none->values()["CoMotivoPrimAfas"] = "40";  // else the admission month without pay refuses first
  for (const auto& f : EmployeeEntry::fieldOrder())
    if (f.ends_with("Empregado") && f.starts_with("Va") && f.find("13") == std::string::npos &&
        f != "VaSalContratualEmpregado" && f != "VaAvisoPrevioEmpregado")
      none->values()[f] = "0,00";
  EXPECT_TRUE(none->leave("VaDezembroEmpregado").accepted());
  EXPECT_EQ(lastShown(), messageOf("1060"));
}

TEST_F(EmployeeEntryTest, ManyOvertimeHoursAreConfirmed) {
  auto e = open();
  type(e->values(), link());
  e->values()["HoTrabalhadasMarco"] = "120";
  ui.answers = {"mrNo"};
  auto out = e->leave("HoTrabalhadasMarco");
  EXPECT_EQ(lastShown(), messageOf("3699"));
  EXPECT_TRUE(out.refuses);
  EXPECT_EQ(out.focus, "HoTrabalhadasMarco");
  ui.answers = {"mrYes"};
  out = e->leave("HoTrabalhadasMarco");
  EXPECT_EQ(out.next, "VaAbrilEmpregado");
  // Hours in a month without pay are refused; an empty value becomes "000".
  e->values()["VaAbrilEmpregado"] = "0,00";
  e->values()["HoTrabalhadasAbril"] = "10";
  EXPECT_TRUE(e->leave("HoTrabalhadasAbril").refuses);
  e->values()["HoTrabalhadasAbril"] = "";
  EXPECT_TRUE(e->leave("HoTrabalhadasAbril").accepted());
  EXPECT_EQ(e->values()["HoTrabalhadasAbril"], "000");
}

TEST_F(EmployeeEntryTest, MembershipQuestion) {
  auto e = open();
  type(e->values(), link());
  ui.answers = {"mrYes"};
  auto out = e->leave("VaGlobalSindical");
  EXPECT_EQ(lastShown(), "Empregado é sindicalizado?");
  EXPECT_EQ(e->values()["InSindicalizadoVinculo"], "1");
  EXPECT_EQ(out.next, "CoCNPJPrimAssociativa");
  // A member without the associative CNPJ is asked to confirm; No makes them no member.
  ui.answers = {"mrNo"};
  out = e->leave("CoCNPJPrimAssociativa");
  EXPECT_EQ(e->values()["InSindicalizadoVinculo"], "2");
  EXPECT_EQ(out.next, "CoCNPJAssistencial");
  ui.answers = {"mrNo"};
  out = e->leave("VaGlobalSindical", true);  // whatever the focus target
  EXPECT_EQ(out.next, "CoCNPJSegAssociativa");
}

TEST_F(EmployeeEntryTest, NoThirteenthSalaryIsToldWhateverTheFocusTarget) {
  auto e = open();
  type(e->values(), link());
  e->values()["Va13AdiantamentoEmpregado"] = "0,00";
  e->values()["Va13ParcelaFinalEmpregado"] = "";
  e->leave("Va13ParcelaFinalEmpregado", true);
  EXPECT_EQ(lastShown(), messageOf("1061"));
  e->values()["CoCausaDesligamento"] = "11";
  e->leave("CoCausaDesligamento");
  const auto out = e->leave("Va13ParcelaFinalEmpregado");
  EXPECT_EQ(e->values()["Va13ParcelaFinalEmpregado"], "0,00");
  EXPECT_EQ(out.next, "VaGlobalFerias");
}

TEST_F(EmployeeEntryTest, ThirteenthSalaryPlausibilityOnSaving) {
  struct Case {
    const char* advance;
    const char* final;
    bool warns;
  } cases[] = {{"800,00", "800,00", true}, {"700,00", "800,00", false}};
  for (const auto& c : cases) {
    auto e = open();
    type(e->values(), link());
    for (const auto& f : EmployeeEntry::fieldOrder())
      if (f.starts_with("Va") && f.ends_with("Empregado") && f.find("13") == std::string::npos &&
          f != "VaSalContratualEmpregado" && f != "VaAvisoPrevioEmpregado")
        e->values()[f] = "1.000,00";
    e->values()["Va13AdiantamentoEmpregado"] = c.advance;
    e->values()["Va13ParcelaFinalEmpregado"] = c.final;
    const auto before = ui.shown.size();
    ASSERT_TRUE(e->save().accepted()) << c.advance;
    bool warned = false;
    for (auto k = before; k < ui.shown.size(); ++k) warned |= ui.shown[k].text == messageOf("3508");
    EXPECT_EQ(warned, c.warns) << c.advance;
    db.prepare("DELETE FROM BD8Vinc").run();
  }
}

TEST_F(EmployeeEntryTest, LinkWithoutAnyRemuneration) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> values;
    bool accepted;
  } cases[] = {
      {{{"CoCausaDesligamento", "60"}, {"DaDesligamentoEmpregado", "15/03"}}, true},
      {{{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "20/01"}}, true},
      {{{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "01/01"}, {"DaFinalPrimeiroAfas", "31/12"}}, true},
      {{{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "20/02"}}, false},
      {{}, false},
  };
  for (const auto& c : cases) {
    auto e = open();
    Values l = link();
    for (auto& [f, value] : l)
      if (f.starts_with("Va") && f != "VaSalContratualEmpregado") value = validation::zeros(value.size());
    for (const char* m : {"Me13AdiantamentoEmpregado", "Me13ParcelaFinalEmpregado"}) l[m] = "00";
    type(e->values(), l);
    for (const auto& [f, value] : c.values) e->values()[f] = value;
    const auto out = e->save();
    EXPECT_EQ(out.accepted(), c.accepted) << out.code << " " << out.focus;
    if (!c.accepted) {
      EXPECT_EQ(out.code, "1056");
      EXPECT_EQ(out.focus, "VaJaneiroEmpregado");
    }
    db.prepare("DELETE FROM BD8Vinc").run();
  }
}

}  // namespace
}  // namespace torvex::core::entry
