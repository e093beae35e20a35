// The backup and restore windows as a user drives them: a backup and its
// restore, Cancel during a run answered Yes, Cancel while idle, and a refused
// archive that ends the command.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <utility>

#include "core/delivery/folder_media.h"
#include "core/jobs/backup_job.h"
#include "gui/maintenance/fm_copia_seguranca.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using namespace torvex::gui::maintenance;
using Kind = TfmCopiaSeguranca::Kind;
namespace fs = std::filesystem;
namespace text = core::jobs::backup_text;

namespace {

// Scripted dialogs that can also act while a run lets events through.
struct User : test::ScriptedInteraction {
  std::function<void()> onEvents;
  std::function<void()> onMessage;
  void processEvents() override {
    ScriptedInteraction::processEvents();
    if (onEvents) onEvents();
  }
  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override {
    if (onMessage) std::exchange(onMessage, nullptr)();
    return ScriptedInteraction::message(kind, text, buttons);
  }
};

struct Fixture {
  test::TempDataFolder folder;
  fs::path dir = test::makeTempDirectory("torvex-copia-janela");
  core::delivery::FolderMedia media{dir};
  User ui;

  ~Fixture() { fs::remove_all(dir); }
  BackupWindowHost host(const fs::path& archive) {
    return {folder.db(), media, &ui,
            [archive](QWidget*, const QString&) { return QString::fromStdString(archive.string()); }, {}};
  }
  void addEstablishments(int count) {
    core::store::Transaction tx(folder.db());
    auto insert = folder.db().prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                                      "NoRazaoEstabelecimento) VALUES ('2006', :i, '00', :n)");
    for (int i = 0; i < count; ++i)
      insert.bind(":i", std::to_string(10000000000000LL + i * 7919LL))
          .bind(":n", "EMPRESA " + std::to_string(i * 104729))
          .run();
    tx.commit();
  }
  std::string lastMessage() const { return ui.shown.empty() ? std::string() : ui.shown.back().text; }
};

}  // namespace

class BackupWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void aBackupAndItsRestoreRunFromTheWindowsAndCloseThem() {
    Fixture f;
    f.addEstablishments(3);
    const fs::path archive = f.dir / "Keva2006.bkp";
    {
      TfmCopiaSeguranca w(f.host(archive), Kind::Backup);
      w.show();
      QCOMPARE(w.windowTitle(), QStringLiteral("Cópia de Segurança (Gravar)"));
      QVERIFY(!w.findChild<QProgressBar*>("pbProgresso")->isVisible());
      w.startButton()->click();
      QCOMPARE(f.lastMessage(), std::string(text::kBackupDone));
      QVERIFY(!w.isVisible());
      QVERIFY(fs::exists(archive));
    }
    f.folder.db().exec("DELETE FROM BD8Emp");
    {
      TfmCopiaSeguranca w(f.host(archive), Kind::Restore);
      w.show();
      QCOMPARE(w.windowTitle(), QStringLiteral("Restaurar Cópia de Segurança "));
      QCOMPARE(w.findChild<QLabel*>("lbProgresso")->text().toStdString(), std::string(text::kRestoreProgress));
      w.startButton()->click();
      QCOMPARE(f.lastMessage(), std::string(text::kRestoreDone));
      QVERIFY(w.restored());
      QVERIFY(!w.isVisible());
    }
    QCOMPARE(f.folder.db().rowCount("BD8Emp"), std::int64_t{3});
  }

  void cancelDuringARunAsksAndStopsIt() {
    Fixture f;
    f.addEstablishments(6000);
    const fs::path archive = f.dir / "Keva2006.bkp";
    TfmCopiaSeguranca w(f.host(archive), Kind::Backup);
    w.show();
    int calls = 0;
    f.ui.onEvents = [&] {
      if (++calls == 2) {
        QVERIFY(w.running());
        w.cancelButton()->click();
      }
    };
    w.startButton()->click();
    QCOMPARE(f.lastMessage(), std::string(text::kCancelBackup));
    QVERIFY(!w.isVisible());
    QVERIFY(!fs::exists(archive));
    QVERIFY(fs::is_empty(f.dir));
  }

  void aCancelThatComesAfterTheLastBlockAsksNothing() {
    Fixture f;
    f.addEstablishments(3);
    TfmCopiaSeguranca w(f.host(f.dir / "Keva2006.bkp"), Kind::Backup);
    w.show();
    // Pressed while the outcome is being shown: the run can no longer stop.
    f.ui.onMessage = [&] { w.cancelButton()->click(); };
    w.startButton()->click();
    QCOMPARE(f.ui.shown.size(), std::size_t{1});
    QCOMPARE(f.lastMessage(), std::string(text::kBackupDone));
    QVERIFY(fs::exists(f.dir / "Keva2006.bkp"));
  }

  void cancelWhileIdleClosesWithoutAQuestion() {
    Fixture f;
    TfmCopiaSeguranca w(f.host(f.dir / "Keva2006.bkp"), Kind::Restore);
    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QVERIFY(f.ui.shown.empty());
  }

  void aRefusedArchiveEndsTheCommand() {
    Fixture f;
    TfmCopiaSeguranca w(f.host(f.dir / "copia.zip"), Kind::Restore);
    w.show();
    w.startButton()->click();
    QCOMPARE(f.lastMessage(), std::string(text::kBadExtension));
    QVERIFY(!w.restored());
    QVERIFY(!w.isVisible());
  }
};

QTEST_MAIN(BackupWindowTest)
#include "fm_copia_seguranca_test.moc"
