// The print wizard's pages and lists over a small stored declaration.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "gui/reports/print_wizard.h"
#include "support/declaration_samples.h"

using namespace torvex;

namespace {
struct NoPrinters : core::platform::Printers {
  bool anyInstalled() override { return false; }
  std::string defaultPrinter() override { return {}; }
};
}  // namespace

class PrintWizardTest : public QObject {
  Q_OBJECT
 private slots:
  void selectionPageFollowsTheRules() {
    test::TempDataFolder folder;
    test::Values a = test::validEstablishment(), b = test::validEstablishment();
    b["CoCgcCeiEstabelecimento"] = test::cnpj("55666777");
    test::insertRow(folder.db(), "BD8Emp", a);
    test::insertRow(folder.db(), "BD8Emp", b);
    for (int i = 0; i < 3; ++i) {
      test::Values l = test::validLink(a);
      l["NoEmpregado"] = "EMPREGADO " + std::to_string(i);
      l["CoPisPasepEmpregado"] = test::pis("101123456" + std::to_string(i));
      test::insertRow(folder.db(), "BD8Vinc", l);
    }
    NoPrinters printers;
    test::ScriptedInteraction ui;
    gui::reports::ReportHost host{folder.db(), printers, ui};

    gui::reports::PrintWizard w(host, gui::reports::PrintWizard::Start::ReportType);
    QCOMPARE(w.windowTitle(), QStringLiteral("Assistente para Imprimir Declaração"));
    QVERIFY(!w.findChild<QPushButton*>("backButton")->isVisible());
    w.findChild<QPushButton*>("nextButton")->click();
    w.findChild<QPushButton*>("nextButton")->click();
    QCOMPARE(w.currentPage(), 3);
    auto* ests = w.findChild<QListWidget*>("establishmentList");
    QCOMPARE(ests->count(), 2);
    QVERIFY(ests->item(0)->text().startsWith(QStringLiteral("11.222.333/0001-")) ||
            ests->item(0)->text().contains(QStringLiteral("    00    ")));

    // Nothing marked: printing is refused with the plain message.
    w.findChild<QPushButton*>("previewButton")->click();
    QCOMPARE(QString::fromStdString(ui.shown.back().text), QStringLiteral("É necessário selecionar uma empresa antes de imprimir"));

    // Two marked: Parcial refused, back to Total.
    ests->setCurrentRow(0);
    QTest::keyClick(ests, Qt::Key_Return);
    ests->setCurrentRow(1);
    QTest::keyClick(ests, Qt::Key_Space);
    QCOMPARE(ests->item(1)->checkState(), Qt::Checked);
    w.findChild<QRadioButton*>("partialRadio")->click();
    QCOMPARE(QString::fromStdString(ui.shown.back().text),
             QStringLiteral("Não pode imprimir mais de um estabelecimento parcial por vez."));
    QVERIFY(w.findChild<QRadioButton*>("totalRadio")->isChecked());

    // One marked: Parcial lists its employees, all unmarked; printing needs one.
    QTest::keyClick(ests, Qt::Key_Space);  // unmark the second
    w.findChild<QRadioButton*>("partialRadio")->click();
    auto* emps = w.findChild<QListWidget*>("employeeList");
    QCOMPARE(emps->count(), 3);
    w.findChild<QPushButton*>("printButton")->click();
    QCOMPARE(QString::fromStdString(ui.shown.back().text), QStringLiteral("É necessário selecionar um empregado antes de imprimir"));
    w.findChild<QPushButton*>("markAllButton")->click();
    QCOMPARE(emps->item(2)->checkState(), Qt::Checked);
    // No printer: a direct print says so and does nothing.
    QVERIFY(!w.runReport(gui::reports::Destination::Printer));
    QCOMPARE(QString::fromStdString(ui.shown.back().text), QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
    QCOMPARE(w.selection().selection(w.classification(), false, false, "2006").employees.size(), 3u);
  }
};

QTEST_MAIN(PrintWizardTest)
#include "print_wizard_test.moc"
