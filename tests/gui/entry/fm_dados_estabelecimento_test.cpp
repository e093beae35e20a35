// The new-declaration window, the establishment window and the lists as a user
// drives them: type, leave, and check the message, the focus and what was stored.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "core/store/table.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/fm_dados_estabelecimento.h"
#include "gui/entry/lazy_list_model.h"
#include "gui/entry/fm_lista_empregados.h"
#include "gui/entry/fm_lista_estabelecimentos.h"
#include "gui/entry/fm_lookup.h"
#include "gui/entry/fm_nova_declaracao.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using namespace torvex::gui::entry;

class EstablishmentWindowTest : public QObject {
  Q_OBJECT

  struct Fixture {
    test::TempDataFolder folder;
    gui::shell::AppContext context;
    test::ScriptedInteraction ui;
    std::unique_ptr<EntrySession> session;
    Fixture() {
      context = gui::shell::AppContext::forExecutableFolder(folder.path());
      context.db = std::make_unique<core::store::Database>(folder.path());
      session = std::make_unique<EntrySession>(context, ui);
    }
    std::string messageOf(const char* code) { return session->reference().message(code)->text; }
    std::string stored(const char* prefix, const char* field) {
      core::store::Table t(*context.db, "BD8Emp");
      return t.findKey({"2006", "11222333000181", prefix}) ? t.text(field) : std::string("<none>");
    }
    void addEstablishment(const std::string& inscription, const std::string& prefix, const std::string& name) {
      context.db
          ->prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                    "NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento, InPorte, "
                    "InKevaNegEstabelecimento) VALUES ('2006', :i, :p, :n, '1', '000000', '3', '0')")
          .bind(":i", inscription)
          .bind(":p", prefix)
          .bind(":n", name)
          .run();
    }
  };

  template <class W>
  static void type(W& w, const char* name, const char* text) {
    auto* e = w.template findChild<QLineEdit*>(name);
    QVERIFY2(e, name);
    e->setFocus();
    QTRY_VERIFY2(e->hasFocus(), qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("none")));
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
  }
  template <class W>
  static bool focused(W& /*window*/, const char* name) {
    auto* f = QApplication::focusWidget();
    return f && f->objectName() == QLatin1String(name);
  }

 private slots:
  void newDeclarationRefusesAnExistingKeyAndStoresANewOne() {
    Fixture f;
    f.addEstablishment("11222333000181", "00", "INDUSTRIA MODELO LTDA");
    TfmNovaDeclaracao w(*f.session);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(w, "CoCgcCeiEstabelecimento", "11222333000181");
    QCOMPARE(w.findChild<QLabel*>("TipoInscricao")->text(), QStringLiteral("CNPJ"));
    f.ui.answers = {"mrNo"};  // not copying it
    type(w, "NuPrefixoEstabelecimento", "");
    QCOMPARE(f.ui.shown.back().text, f.messageOf("1000"));
    QVERIFY(focused(w, "NuPrefixoEstabelecimento"));

    f.ui.answers = {"mrNo"};  // "1001": another prefix of the same inscription; no copy
    type(w, "NuPrefixoEstabelecimento", "01");
    QCOMPARE(f.ui.shown.back().text, f.messageOf("1001"));
    type(w, "NuPrefixoEstabelecimento", "01");  // asked again, answered Yes by default: copied and stored
    QTRY_COMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(f.stored("01", "NoRazaoEstabelecimento"), std::string("INDUSTRIA MODELO LTDA"));
  }

  void establishmentRefusalsMoveTheFocusAcrossTabs() {
    Fixture f;
    f.addEstablishment("11222333000181", "00", "INDUSTRIA MODELO LTDA");
    TfmDadosEstabelecimento w(*f.session, core::entry::EntryMode::Open, {"2006", "11222333000181", "00"});
    QVERIFY(w.loaded());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* tabs = w.findChild<QTabWidget*>("tbPaginas");
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(focused(w, "EdEstabelecimento"));
    // Entering a text field keeps its text (only identifiers and amounts are edited bare).
    auto* name = w.findChild<QLineEdit*>("NoRazaoEstabelecimento");
    name->setFocus();
    QTRY_VERIFY(name->hasFocus());
    QCOMPARE(name->text(), QStringLiteral("INDUSTRIA MODELO LTDA"));

    // A union total without the entity's CNPJ: refused, focus on the CNPJ.
    f.ui.answers = {"mrNo"};  // the centralisation question, asked as the union CNPJ gets the focus
    tabs->setCurrentIndex(1);
    type(w, "VaGlobalSindical", "150,00");
    QVERIFY(!f.ui.shown.empty());
    QCOMPARE(f.ui.shown.back().text, f.messageOf("3649"));
    QVERIFY(focused(w, "CoCNPJSindical"));

    // The own inscription as centralising CNPJ: "3709", value cleared.
    f.ui.shown.clear();
    w.findChild<QLineEdit*>("VaGlobalSindical")->setText("0,00");
    type(w, "CoCNPJCentralizada", "11222333000181");
    QCOMPARE(f.ui.shown.back().text, f.messageOf("3709"));
    QCOMPARE(w.findChild<QLineEdit*>("CoCNPJCentralizada")->text(), QString());

    // Size "3" forces Simples to "Não" and disables it.
    tabs->setCurrentIndex(3);
    w.findChild<QRadioButton*>("rbPorte3")->click();
    QVERIFY(w.findChild<QRadioButton*>("rbSimplesNao")->isChecked());
    QVERIFY(!w.findChild<QWidget*>("gbSimples")->isEnabled());
    w.findChild<QRadioButton*>("rbPorte1")->click();
    QVERIFY(w.findChild<QWidget*>("gbSimples")->isEnabled());
  }

  void cancellingANewEstablishmentDeletesItsRow() {
    Fixture f;
    f.addEstablishment("11222333000181", "00", "INDUSTRIA MODELO LTDA");
    {
      TfmDadosEstabelecimento w(*f.session, core::entry::EntryMode::New, {"2006", "11222333000181", "00"});
      w.show();
      QVERIFY(QTest::qWaitForWindowActive(&w));
      f.ui.answers = {"mrYes"};
      QTest::mouseClick(w.findChild<QPushButton*>("btCancelar"), Qt::LeftButton);
      QCOMPARE(w.result(), int(QDialog::Rejected));
      QVERIFY(w.next() == TfmDadosEstabelecimento::Next::Close);  // nothing left to list
    }
    QCOMPARE(f.stored("00", "NoRazaoEstabelecimento"), std::string("<none>"));
  }

  void establishmentListSearchesAndShowsEveryRowOfALargeTable() {
    Fixture f;
    auto& db = *f.context.db;
    {
      core::store::Transaction tx(db);
      auto st = db.prepare(
          "INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, "
          "InInscrEstabelecimento, NuVinculosEstabelecimento) VALUES ('2006', :i, '00', :n, '1', '000000')");
      for (int i = 0; i < 100000; ++i) {
        st.reset();
        char insc[15];
        std::snprintf(insc, sizeof insc, "%014d", 12345000 + i);
        st.bind(":i", insc).bind(":n", std::string(i % 2 ? "BETA " : "ALFA ") + std::to_string(i));
        st.run();
      }
      tx.commit();
    }
    QElapsedTimer clock;
    clock.start();
    TfmListaEstabelecimentos list(*f.session, TfmListaEstabelecimentos::Mode::Open);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const qint64 openMs = clock.elapsed();
    qInfo("establishment list of 100000 rows opened in %lld ms", openMs);
    QVERIFY(list.hasRows());
    // Every row can be reached (no cap).
    list.model()->fetchUpTo(99999);
    QCOMPARE(list.model()->rowCount(), 100000);

    // Typing the start of an inscription narrows the list as it is typed.
    auto* number = list.findChild<QLineEdit*>("LocalizarInscricao");
    number->setFocus();
    QTest::keyClicks(number, "0000001234599");
    list.model()->fetchUpTo(1000);
    QCOMPARE(list.model()->rowCount(), 10);
    // A letter button: names starting with B only.
    list.findChild<QPushButton*>("btLetraB")->click();
    QVERIFY(number->text().isEmpty());
    list.model()->fetchUpTo(100000);
    QCOMPARE(list.model()->rowCount(), 50000);
  }

  void listWithoutEstablishmentsOfTheYearClosesAtOnce() {
    Fixture f;
    f.context.db->exec("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
                       "VALUES ('2007', '11222333000181', '00')");
    TfmListaEstabelecimentos list(*f.session, TfmListaEstabelecimentos::Mode::Open);
    QVERIFY(!list.hasRows());
  }

  void lookupsNestByCodeAndOpenQuickly() {
    Fixture f;
    QElapsedTimer clock;
    clock.start();
    TfmLookup& municipalities = f.session->lookup(core::entry::LookupKind::Municipality, nullptr);
    const qint64 buildMs = clock.elapsed();
    clock.restart();
    TfmLookup& cbo = f.session->lookup(core::entry::LookupKind::Occupation, nullptr);
    const qint64 cboMs = clock.elapsed();
    qInfo("municipality tree built in %lld ms, CBO tree in %lld ms", buildMs, cboMs);
    QVERIFY(buildMs < 500 && cboMs < 500);
    QCOMPARE(&f.session->lookup(core::entry::LookupKind::Municipality, nullptr), &municipalities);  // built once

    auto* tree = municipalities.tree();
    QTreeWidgetItem* sp = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      if (tree->topLevelItem(i)->text(0).startsWith("35  - ")) sp = tree->topLevelItem(i);
    QVERIFY(sp && sp->childCount() > 600);
    // Clicking a heading neither closes nor chooses; an entry gives its seven-digit code.
    QTimer::singleShot(0, [&] {
      emit tree->itemClicked(sp, 0);
      QVERIFY(municipalities.isVisible());
      for (int i = 0; i < sp->childCount(); ++i)
        if (sp->child(i)->text(0).startsWith("3550308")) emit tree->itemClicked(sp->child(i), 0);
    });
    QCOMPARE(municipalities.choose(), QStringLiteral("3550308"));

    // Only the fourth CBO level can be chosen.
    auto* top = cbo.tree()->topLevelItem(0);
    QVERIFY(top->childCount() > 0 && !top->data(0, Qt::UserRole).toBool());
    auto* leaf = top->child(0)->child(0)->child(0);
    QVERIFY(leaf && leaf->data(0, Qt::UserRole).toBool());
    QCOMPARE(leaf->text(0).indexOf("  - "), 6);
  }
};

QTEST_MAIN(EstablishmentWindowTest)
#include "fm_dados_estabelecimento_test.moc"
