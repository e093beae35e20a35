// The transmission window over a folder of declaration files: states, the
// hand-off to the transmission program (the built one, started through a
// scripted host), refusals, and the protocol of a receipt in print mode.
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>

#include "core/delivery/folder_media.h"
#include "gui/delivery/fm_transmissao.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"
#include "support/transmission_samples.h"

using namespace torvex;
namespace fs = std::filesystem;
using gui::delivery::TfmTransmissao;
using gui::delivery::TransmissionMode;

namespace {

struct NoPrinters : core::platform::Printers {
  bool anyInstalled() override { return false; }
  std::string defaultPrinter() override { return {}; }
};

// A `Transmite` folder with two sound files, the second already transmitted;
// the program's path exists, and running it runs the built transmission
// program on the hand-off file.
struct Bench {
  test::TempDataFolder folder;
  fs::path transmite = folder.path() / "Transmite";
  fs::path program = folder.path() / "trevion2006" / "trevion2006";
  fs::path first = transmite / "Keva2006_100000000001450001G.dec";
  fs::path second = transmite / "Keva2006_100000000001450002G.dec";
  test::FakeProcesses processes;
  core::delivery::FolderMedia media{transmite};
  NoPrinters printers;
  test::ScriptedInteraction ui;
  gui::reports::ReportHost reports{folder.db(), printers, ui};
  gui::delivery::TransmissionHost host{transmite, program, processes, media, reports};

  Bench() {
    fs::create_directories(transmite);
    fs::create_directories(program.parent_path());
    std::ofstream(program) << "#!/bin/sh\n";
    test::writeSoundDeclaration(first, 2, 3);
    test::writeSoundDeclaration(second, 1, 1);
    processes.onRun = [this](const fs::path&) {
      return core::platform::SystemProcesses().runAndWait(test::builtTransmissionProgram(),
                                                          {(transmite / "Trevion.ini").string()});
    };
    core::delivery::writeHandOffFile(transmite, second);
    processes.runAndWait(program);
    processes.runs.clear();
  }
  QString lastMessage() const { return ui.shown.empty() ? QString() : QString::fromStdString(ui.shown.back().text); }
};

void select(TfmTransmissao& w, int row) {
  w.list()->clearSelection();
  w.list()->topLevelItem(row)->setSelected(true);
}

}  // namespace

class TransmissaoTest : public QObject {
  Q_OBJECT
 private slots:
  void transmitsTheChosenFileAndShowsItsNewState() {
    Bench b;
    TfmTransmissao w(b.host, TransmissionMode::Transmit);
    QCOMPARE(w.windowTitle(), QStringLiteral("Transmitir Declaração"));
    auto* transmit = w.findChild<QPushButton*>("btTransmitir");
    QVERIFY(!transmit->isEnabled());
    QVERIFY(w.findChild<QPushButton*>("btImprime")->isHidden());
    QVERIFY(w.findChild<QWidget*>("lbInstrucaoImprimir")->isHidden());

    w.findChild<QPushButton*>("btDriveC")->click();
    QCOMPARE(w.list()->topLevelItemCount(), 2);
    QCOMPARE(w.list()->topLevelItem(0)->text(0), QStringLiteral("Gravada"));
    QCOMPARE(w.list()->topLevelItem(0)->text(1), QString());
    QCOMPARE(w.list()->topLevelItem(0)->text(4), QStringLiteral("01"));
    QCOMPARE(w.list()->topLevelItem(1)->text(0), QStringLiteral("Transmitida"));
    QVERIFY(w.list()->topLevelItem(1)->text(1).startsWith(QStringLiteral("5905")));
    QVERIFY(!transmit->isEnabled());

    // The transmitted one only warns; the other is handed off and shows its receipt.
    w.list()->selectAll();
    QVERIFY(transmit->isEnabled());
    transmit->click();
    QCOMPARE(b.ui.shown.size(), 1u);
    QCOMPARE(b.lastMessage(), QStringLiteral("Declaração já transmitida."));
    QCOMPARE(b.processes.runs.size(), 1u);
    QCOMPARE(w.list()->topLevelItem(0)->text(0), QStringLiteral("Transmitida"));
    QVERIFY(fs::exists(core::delivery::receiptPath(b.first)));

    // A damaged file: the program refuses it and the user reads why.
    const fs::path third = b.transmite / "Keva2006_100000000001450003G.dec";
    test::writeSoundDeclaration(third, 1, 1);
    test::overwriteAt(third, 529 + 23, "X");
    w.listDriveC();
    select(w, 2);
    transmit->click();
    QVERIFY(b.lastMessage().contains(QStringLiteral("não foi transmitida")));
    QVERIFY(b.lastMessage().contains(QStringLiteral("código de verificação")));
    QCOMPARE(w.list()->topLevelItem(2)->text(0), QStringLiteral("Gravada"));

    // Without the program: its message, and the hand-off file names the file.
    fs::remove(b.program);
    select(w, 2);
    transmit->click();
    QVERIFY(b.lastMessage().contains(QStringLiteral("do programa Trevion, não encontrado nesse computador.")));
    std::ifstream ini(b.transmite / "Trevion.ini");
    std::string line;
    std::getline(ini, line);
    QCOMPARE(QString::fromStdString(line).trimmed(), QString::fromStdString(third.string()));
  }

  void printsTheProtocolOfAValidReceiptOnly() {
    Bench b;
    TfmTransmissao w(b.host, TransmissionMode::Print);
    QCOMPARE(w.windowTitle(), QStringLiteral("Imprimir Protocolo de Transmissão"));
    QVERIFY(w.findChild<QPushButton*>("btTransmitir")->isHidden());
    QVERIFY(w.findChild<QWidget*>("lbInstrucaoTransmitir")->isHidden());
    QVERIFY(!w.findChild<QWidget*>("lbInstrucaoImprimir")->isHidden());
    std::vector<core::reports::Parameters> shown;
    w.showProtocol = [&](const core::reports::Parameters& p, const std::filesystem::path&) { shown.push_back(p); };
    w.listDriveC();
    auto* print = w.findChild<QPushButton*>("btImprime");

    select(w, 0);
    print->click();
    QCOMPARE(b.lastMessage(), QStringLiteral("Declaração não transmitida."));
    QVERIFY(shown.empty());

    select(w, 1);
    print->click();
    QCOMPARE(shown.size(), 1u);
    QCOMPARE(QString::fromStdString(shown[0].at("QtdEstab")), QStringLiteral("1"));
    QCOMPARE(QString::fromStdString(shown[0].at("CREA")), w.list()->topLevelItem(1)->text(1));

    // The receipt changed by hand: refused, nothing shown.
    const fs::path receipt = core::delivery::receiptPath(b.second);
    test::overwriteAt(receipt, 40, "9");
    test::overwriteAt(receipt, 41, "9");
    print->click();
    QCOMPARE(b.lastMessage(), QStringLiteral("Arquivo .rec inválido"));
    QCOMPARE(shown.size(), 1u);
  }

  void drivesWithoutDeclarationsSaySo() {
    Bench b;
    TfmTransmissao w(b.host, TransmissionMode::Transmit);
    // No disk in drive A: the user gives up waiting for one.
    b.ui.answers = {"mrCancel", "mrYes"};
    w.findChild<QPushButton*>("btDriveA")->click();
    QCOMPARE(b.lastMessage(), QStringLiteral("Unidade não contém declaração."));
    QCOMPARE(w.list()->topLevelItemCount(), 0);

    // A disk with the declarations on it lists them.
    b.media.insert('A', b.transmite);
    w.findChild<QPushButton*>("btDriveA")->click();
    QCOMPARE(w.list()->topLevelItemCount(), 2);

    const fs::path empty = b.folder.path() / "vazia";
    fs::create_directories(empty);
    std::ofstream(empty / "leia.txt") << "x";
    w.listFolder(empty);
    QCOMPARE(w.list()->topLevelItemCount(), 0);
    QCOMPARE(b.lastMessage(), QStringLiteral("Unidade não contém declaração."));
    QVERIFY(!w.findChild<QPushButton*>("btTransmitir")->isEnabled());
  }

  // After a write: several files offer nothing, one file is offered and sent on Yes.
  void offerAfterWriteFollowsTheRun() {
    Bench b;
    bool several = true;
    gui::delivery::offerTransmission(b.host, b.first, several);
    QVERIFY(!several);
    QVERIFY(b.ui.shown.empty());

    b.ui.answers = {"mrNo"};
    gui::delivery::offerTransmission(b.host, b.first, several);
    QCOMPARE(b.lastMessage(), QStringLiteral("Deseja Transmitir a Declaração?"));
    QVERIFY(b.processes.runs.empty());

    b.ui.answers = {"mrYes"};
    gui::delivery::offerTransmission(b.host, b.first, several);
    QCOMPARE(b.processes.runs.size(), 1u);
    QCOMPARE(b.ui.shown.size(), 2u);
    QVERIFY(fs::exists(core::delivery::receiptPath(b.first)));

    fs::remove(b.program);
    several = true;
    gui::delivery::offerTransmission(b.host, b.first, several);
    QVERIFY(b.lastMessage().contains(QStringLiteral("não encontrado nesse computador")));
    QCOMPARE(b.processes.runs.size(), 1u);
  }
};

QTEST_MAIN(TransmissaoTest)
#include "fm_transmissao_test.moc"
