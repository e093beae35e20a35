// The verify-inconsistencies wizard as a user drives it: an empty base year,
// the tick rules, each of the three results, the findings report without a
// printer, and Cancel during the check answered either way.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/jobs/verify_declarations_job.h"
#include "core/reports/printing_rules.h"
#include "gui/consistency/fm_verificar.h"
#include "support/declaration_samples.h"

using namespace torvex;
using namespace torvex::gui::consistency;
using Page = TfmVerificar::Page;

namespace {

struct NoPrinters : core::platform::Printers {
  bool anyInstalled() override { return false; }
  std::string defaultPrinter() override { return {}; }
};

struct Fixture {
  test::TempDataFolder folder;
  core::store::ReferenceLookup reference{folder.db()};
  test::ScriptedInteraction ui;
  NoPrinters printers;
  VerifyWizardHost host{folder.db(), reference, ui, printers};

  std::string messageOf(const char* code) { return reference.message(code)->text; }
  std::string lastMessage() const { return ui.shown.empty() ? std::string() : ui.shown.back().text; }
  // An establishment with one link; `changes` over the valid values.
  void declaration(const std::string& root, const test::Values& changes = {}) {
    test::Values e = test::validEstablishment();
    e["CoCgcCeiEstabelecimento"] = test::cnpj(root);
    for (const auto& [k, v] : changes) e[k] = v;
    test::insertRow(folder.db(), "BD8Emp", e);
    test::insertRow(folder.db(), "BD8Vinc", test::validLink(e));
  }
};

template <typename T>
T* child(QWidget& w, const char* name) {
  auto* c = w.findChild<T*>(name);
  if (!c) qFatal("no widget %s", name);
  return c;
}
void press(QWidget& w, const char* button) { child<QPushButton>(w, button)->click(); }
QListWidget* list(QWidget& w) { return child<QListWidget>(w, "lbEstabelecimentos"); }
void clickLine(QWidget& w, int row) {
  auto* l = list(w);
  QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}
bool ticked(QWidget& w, int row) { return list(w)->item(row)->checkState() == Qt::Checked; }

// Shows the wizard, goes to page 2 and ticks the given lines.
void open(TfmVerificar& w, std::initializer_list<int> rows) {
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  press(w, "btAvancar");
  QCOMPARE(w.page(), Page::Selecao);
  for (int row : rows) clickLine(w, row);
}

}  // namespace

class VerifyWizardTest : public QObject {
  Q_OBJECT
 private slots:
  void emptyBaseYearDisablesNext() {
    Fixture f;
    test::Values other = test::validEstablishment();
    other["AnBase"] = "2005";
    test::insertRow(f.folder.db(), "BD8Emp", other);
    TfmVerificar w(f.host);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(f.lastMessage(), f.messageOf("1700"));
    QVERIFY(!child<QPushButton>(w, "btAvancar")->isEnabled());
    QVERIFY(!child<QPushButton>(w, "btVoltar")->isEnabled());
  }

  void tickRulesAndTheThreeResults() {
    Fixture f;
    f.declaration("11222333", {{"NoRazaoEstabelecimento", ""}});  // errors
    f.declaration("55666777", {{"NuDDD", "31"}});                  // warnings only
    f.declaration("99888777");                                     // nothing
    struct Case {
      int row;
      const char* text;
      const char* reportButton;  // "" none
    } cases[] = {{0, "Houveram erros nas declarações selecionadas.", "&Erros"},
                 {1, "foram gerados apenas AVISOS.", "&Avisos"},
                 {2, "As declarações selecionadas não apresentaram erros ou avisos.", ""}};
    for (const auto& c : cases) {
      TfmVerificar w(f.host);
      open(w, {});
      press(w, "btAvancar");  // nothing ticked
      QCOMPARE(f.lastMessage(), f.messageOf("1301"));
      QCOMPARE(w.page(), Page::Selecao);
      auto* all = child<QCheckBox>(w, "cbTodas");
      all->setChecked(true);
      all->setChecked(false);
      QVERIFY(!ticked(w, 0) && !ticked(w, 1) && !ticked(w, 2));

      clickLine(w, c.row);
      QVERIFY(ticked(w, c.row));
      press(w, "btAvancar");
      QCOMPARE(w.page(), Page::Resultado);
      QCOMPARE(w.outcome().establishments, 1);
      QVERIFY2(child<QLabel>(w, "lbResultado")->text().contains(QString::fromUtf8(c.text)), c.text);
      auto* report = child<QPushButton>(w, "btRelatorio");
      QCOMPARE(report->isVisible(), *c.reportButton != '\0');
      if (*c.reportButton) {
        QCOMPARE(report->text(), QString::fromUtf8(c.reportButton));
        press(w, "btRelatorio");  // no printer here
        QCOMPARE(f.lastMessage(), std::string(core::reports::kCannotPrint));
      }
      press(w, "btFechar");
      QVERIFY(!w.isVisible());
    }
  }

  void cancelDuringTheCheck() {
    Fixture f;
    f.declaration("11222333");
    f.declaration("99888777");
    {
      // Answered Yes: back to the list with the ticks kept.
      TfmVerificar w(f.host);
      open(w, {0, 1});
      f.ui.stopAfterEvents = f.ui.events + 1;
      press(w, "btAvancar");
      QCOMPARE(f.ui.shown.at(f.ui.shown.size() - 2).text, std::string("Deseja interromper?"));
      QCOMPARE(f.lastMessage(), std::string(core::jobs::kCheckInterruptedText));
      QCOMPARE(w.page(), Page::Selecao);
      QVERIFY(list(w)->isVisible());
      QVERIFY(ticked(w, 0) && ticked(w, 1));
      QVERIFY(child<QPushButton>(w, "btAvancar")->isEnabled());
      QVERIFY(child<QPushButton>(w, "btVoltar")->isEnabled());
    }
    {
      // Answered No: the check runs to its end.
      TfmVerificar w(f.host);
      open(w, {0, 1});
      f.ui.stopAfterEvents = f.ui.events + 1;
      f.ui.answers = {"mrNo"};
      press(w, "btAvancar");
      QCOMPARE(w.page(), Page::Resultado);
      QCOMPARE(w.outcome().establishments, 2);
    }
  }
};

QTEST_MAIN(VerifyWizardTest)
#include "fm_verificar_test.moc"
