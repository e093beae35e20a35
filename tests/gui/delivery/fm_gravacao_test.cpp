// The write wizard as a user drives it, with scripted dialogs and folders for
// drives: the establishment choice, refusal on errors, the warnings path with
// its date and drive checks, a failed and an interrupted write retried on the
// same page, and the rectification entering at the responsible page.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/jobs/verify_declarations_job.h"
#include "core/store/table_def.h"
#include "gui/delivery/fm_gravacao.h"
#include "write_wizard_fixture.h"

using namespace torvex;
using namespace torvex::gui::delivery;
using Page = TfmGravacao::Page;

namespace {

struct Fixture : test::WriteWizardFixture {
  std::vector<std::filesystem::path> offered;

  Fixture() : WriteWizardFixture([this](const std::filesystem::path& p, bool&) { offered.push_back(p); }) {}

  // The responsible row and one establishment with a link; `changes` over the valid values.
  void declaration(const test::Values& changes = {}, const std::string& root = "11222333") {
    if (!db().prepare("SELECT 1 FROM BD8Resp").step()) test::insertRow(db(), "BD8Resp", test::validResponsible());
    test::Values e = test::validEstablishment();
    e["CoCgcCeiEstabelecimento"] = test::cnpj(root);
    for (const auto& [k, v] : changes) e[k] = v;
    test::insertRow(db(), "BD8Emp", e);
    test::insertRow(db(), "BD8Vinc", test::validLink(e));
  }
};

template <typename T>
T* child(QWidget& w, const char* name) {
  auto* c = w.findChild<T*>(name);
  if (!c) qFatal("no widget %s", name);
  return c;
}
void press(QWidget& w, const char* button) { child<QPushButton>(w, button)->click(); }
void clickLine(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}
bool ticked(QListWidget* list, int row) { return list->item(row)->checkState() == Qt::Checked; }

// Pages 1 to 3 with every establishment ticked, then the check: the wizard on page 4.
void reachOutcomePage(TfmGravacao& w) {
  press(w, "btAvancar");
  QCOMPARE(w.page(), Page::Estabelecimentos);
  child<QCheckBox>(w, "cbTodas")->setChecked(true);
  press(w, "btAvancar");
  QCOMPARE(w.page(), Page::Responsavel);
  press(w, "btAvancar");
}

void chooseDate(TfmGravacao& w, const char* ddmmyyyy) {
  auto* e = child<QLineEdit>(w, "edDataGeracao");
  e->setText(QString::fromLatin1(ddmmyyyy));
}
void chooseDrive(TfmGravacao& w, char drive) {
  auto* list = child<QListWidget>(w, "lsDrive");
  for (int row = 0; row < list->count(); ++row)
    if (list->item(row)->text() == QStringLiteral("Drive %1:").arg(QChar(drive))) list->setCurrentRow(row);
}

}  // namespace

class WriteWizardTest : public QObject {
  Q_OBJECT
 private slots:
  void choiceOfEstablishments() {
    Fixture f;
    TfmGravacao w(f.host, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!child<QPushButton>(w, "btVoltar")->isEnabled());
    press(w, "btAvancar");  // nothing stored
    QCOMPARE(f.lastMessage(), f.messageOf("1700"));
    QCOMPARE(w.page(), Page::Introducao);

    f.declaration();
    f.declaration({}, "99888777");
    press(w, "btAvancar");
    QCOMPARE(w.page(), Page::Estabelecimentos);
    auto* list = child<QListWidget>(w, "lbEstabelecimentos");
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("11.222.333/0001-81  00  COMERCIO EXEMPLO LTDA")));
    QVERIFY(list->item(0)->text().endsWith(QStringLiteral("  000001")));

    press(w, "btAvancar");  // nothing ticked
    QCOMPARE(f.lastMessage(), f.messageOf("1301"));
    QCOMPARE(w.page(), Page::Estabelecimentos);

    auto* all = child<QCheckBox>(w, "cbTodas");
    all->setChecked(true);
    all->setChecked(false);
    QVERIFY(!ticked(list, 0) && !ticked(list, 1));
    clickLine(list, 1);
    QVERIFY(!ticked(list, 0) && ticked(list, 1));
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(ticked(list, 0));
    clickLine(list, 0);
    QVERIFY(!ticked(list, 0));

    press(w, "btAvancar");
    QCOMPARE(w.page(), Page::Responsavel);
    QCOMPARE(child<QLineEdit>(w, "NuLogradouroRespArquivo")->text(), QStringLiteral("1000"));
    press(w, "btVoltar");
    QCOMPARE(w.page(), Page::Estabelecimentos);
  }

  void errorsRefuseWriting() {
    Fixture f;
    f.declaration({{"NoRazaoEstabelecimento", ""}});
    TfmGravacao w(f.host, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    reachOutcomePage(w);
    QCOMPARE(w.page(), Page::Gravacao);
    QVERIFY(child<QLabel>(w, "lbResultado")->text().contains(QStringLiteral("apresentaram <b>ERROS</b>")));
    QVERIFY(!child<QGroupBox>(w, "gbGeracao")->isVisible());
    QVERIFY(!child<QPushButton>(w, "btAvancar")->isEnabled());
    QVERIFY(!child<QPushButton>(w, "btVoltar")->isEnabled());
    QCOMPARE(child<QPushButton>(w, "btRelatorio")->text(), QStringLiteral("&Erros"));
    press(w, "btRelatorio");  // no printer here
    QCOMPARE(f.lastMessage(), std::string(core::reports::kCannotPrint));
    QVERIFY(std::filesystem::is_empty(f.transmite));
  }

  void warningsPathChecksDateAndDriveThenWrites() {
    Fixture f;
    f.declaration({{"NuDDD", "31"}});  // a warning only
    TfmGravacao w(f.host, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    reachOutcomePage(w);
    QCOMPARE(w.page(), Page::Gravacao);
    QVERIFY(child<QLabel>(w, "lbResultado")->text().contains(QStringLiteral("Foram gerados <b>AVISOS</b>")));
    QVERIFY(child<QGroupBox>(w, "gbGeracao")->isVisible());
    QCOMPARE(child<QPushButton>(w, "btRelatorio")->text(), QStringLiteral("Avi&sos"));
    QCOMPARE(child<QListWidget>(w, "lsDrive")->count(), 1);  // no removable disk: "Drive C:" alone

    // Each refused date, when the field is left and again on Avançar.
    const struct {
      const char* date;
      const char* code;
    } refused[] = {{"31122006", "0420"}, {"30022007", "0421"}, {"01012008", "0423"}};
    auto* date = child<QLineEdit>(w, "edDataGeracao");
    for (const auto& c : refused) {
      chooseDate(w, c.date);
      const auto shown = f.ui.shown.size();
      date->setFocus();
      QTRY_VERIFY(date->hasFocus());
      QTest::keyClick(date, Qt::Key_Tab);
      QCOMPARE(f.ui.shown.size(), shown + 1);
      QCOMPARE(f.lastMessage(), f.messageOf(c.code));
      QVERIFY(date->hasFocus());
      press(w, "btAvancar");
      QCOMPARE(f.ui.shown.size(), shown + 2);
      QCOMPARE(f.lastMessage(), f.messageOf(c.code));
      QVERIFY(date->hasFocus());
    }
    chooseDate(w, "31122007");
    press(w, "btAvancar");  // no drive chosen
    QCOMPARE(f.lastMessage(), f.messageOf("0600"));
    QCOMPARE(w.page(), Page::Gravacao);

    chooseDrive(w, 'C');
    press(w, "btAvancar");
    QCOMPARE(w.page(), Page::Fim);
    QCOMPARE(w.outcome().write.files.size(), size_t(1));
    QVERIFY(std::filesystem::exists(w.outcome().write.files[0].path));
    QCOMPARE(w.outcome().write.files[0].path.parent_path(), f.transmite);

    press(w, "btComprovante");
    QCOMPARE(f.lastMessage(), std::string(core::reports::kCannotPrint));
    press(w, "btFechar");
    QCOMPARE(f.offered, std::vector<std::filesystem::path>{w.outcome().write.lastWrittenPath});
  }

  void failedAndInterruptedWritesStayOnThePage() {
    Fixture f;
    f.declaration();
    const auto disk = f.folder.path() / "disco";
    std::filesystem::create_directories(disk);
    f.media.insert('A', disk);
    TfmGravacao w(f.host, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    reachOutcomePage(w);
    QVERIFY(child<QLabel>(w, "lbResultado")->text().contains(QStringLiteral("corretamente declaradas")));
    QVERIFY(!child<QPushButton>(w, "btRelatorio")->isVisible());
    QCOMPARE(child<QListWidget>(w, "lsDrive")->item(0)->text(), QStringLiteral("Drive A:"));
    chooseDate(w, "15022007");

    // The hard-disk folder is gone: the write fails (result 1) and says why.
    std::filesystem::remove_all(f.transmite);
    chooseDrive(w, 'C');
    press(w, "btAvancar");
    QCOMPARE(f.lastMessage(), core::jobs::writeFailedText("a pasta de destino não existe: " + f.transmite.string()));
    QCOMPARE(w.page(), Page::Gravacao);
    QVERIFY(child<QPushButton>(w, "btAvancar")->isEnabled());
    QVERIFY(!child<QPushButton>(w, "btVoltar")->isEnabled());

    // The disk is taken out and given up (result 2).
    f.media.eject('A');
    chooseDrive(w, 'A');
    f.ui.answers = {"mrCancel", "mrYes"};  // not ready: Cancel, then "Deseja interromper?" Yes
    press(w, "btAvancar");
    QCOMPARE(f.lastMessage(), core::jobs::writeInterruptedText());
    QCOMPARE(w.page(), Page::Gravacao);

    // Back in the drive: the same page writes from the first file.
    f.media.insert('A', disk);
    press(w, "btAvancar");
    QCOMPARE(w.page(), Page::Fim);
    QCOMPARE(w.outcome().write.files.size(), size_t(1));
    QCOMPARE(w.outcome().write.files[0].path.parent_path(), disk);
  }

  void interruptedCheckReturnsToTheFields() {
    Fixture f;
    f.declaration();
    TfmGravacao w(f.host, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.ui.stopAfterEvents = f.ui.events + 1;
    reachOutcomePage(w);
    QCOMPARE(f.lastMessage(), std::string(core::jobs::kCheckInterruptedText));
    QCOMPARE(w.page(), Page::Responsavel);
    QVERIFY(child<QPushButton>(w, "btAvancar")->isEnabled());
    press(w, "btAvancar");  // a new check runs to its end
    QCOMPARE(w.page(), Page::Gravacao);
  }

  void rectificationStartsAtTheResponsiblePageAndWritesTheWorkTables() {
    Fixture f;
    f.declaration();
    int copies = 0;
    WriteWizardOptions options{.rectification = true, .copyForRectification = [&] {
                                 ++copies;
                                 auto& db = f.db();
                                 for (const char* t : {"Te8resp", "Te8emp", "Te8vinc"}) {
                                   if (db.tableExists(t)) db.dropTable(t);
                                   db.createTable(*core::store::findTableDef(t));
                                 }
                                 db.exec("INSERT INTO Te8resp SELECT * FROM BD8Resp");
                                 db.exec("INSERT INTO Te8emp SELECT * FROM BD8Emp");
                                 db.exec("INSERT INTO Te8vinc SELECT * FROM BD8Vinc");
                                 return true;
                               }};
    TfmGravacao w(f.host, options);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.page(), Page::Responsavel);
    press(w, "btAvancar");
    QCOMPARE(copies, 1);
    QCOMPARE(w.page(), Page::Gravacao);
    chooseDate(w, "15022007");
    chooseDrive(w, 'C');
    press(w, "btAvancar");
    QCOMPARE(w.page(), Page::Fim);
    QVERIFY(w.outcome().write.files.at(0).path.stem().string().ends_with("R"));
  }

  void rectificationCopyRefusedCancelsAndBackLeaves() {
    Fixture f;
    f.declaration();
    {
      TfmGravacao w(f.host, {.rectification = true, .copyForRectification = [] { return false; }});
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      press(w, "btAvancar");
      QVERIFY(!w.isVisible());
      QVERIFY(!w.wentBack());
    }
    TfmGravacao w(f.host, {.rectification = true, .copyForRectification = [] { return true; }});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    press(w, "btVoltar");
    QVERIFY(!w.isVisible());
    QVERIFY(w.wentBack());
  }
};

QTEST_MAIN(WriteWizardTest)
#include "fm_gravacao_test.moc"
