// The responsible-party window as a user drives it: type into a field, leave
// it, and check the message shown, where the focus went and what was stored.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/store/table.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/fm_dados_responsavel.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using namespace torvex::gui::entry;

class ResponsibleWindowTest : public QObject {
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
    std::string stored(const char* field) {
      core::store::Table t(*context.db, "BD8Resp");
      t.first();
      return t.empty() ? std::string("<none>") : t.text(field);
    }
  };

  static QLineEdit* edit(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }

  static void type(QWidget& w, const char* name, const char* text) {
    auto* e = edit(w, name);
    e->setFocus();
    QTRY_VERIFY(e->hasFocus());
    e->selectAll();
    QTest::keyClicks(e, text);
  }
  static void leave(QWidget& w, const char* name) { QTest::keyClick(edit(w, name), Qt::Key_Return); }

 private slots:
  void refusedInscriptionShowsItsMessageAndKeepsTheFocus() {
    Fixture f;
    TfmDadosResponsavel w(*f.session);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(w, "CoCgcCeiResponsavel", "1234567000195");  // a valid CNPJ typed with 13 digits
    leave(w, "CoCgcCeiResponsavel");
    QCOMPARE(f.ui.shown.size(), size_t(1));
    QCOMPARE(f.ui.shown[0].text, f.messageOf("1003"));
    QVERIFY(edit(w, "CoCgcCeiResponsavel")->hasFocus());

    // Corrected, Enter moves on and the inscription is shown punctuated with its kind.
    type(w, "CoCgcCeiResponsavel", "11222333000181");
    leave(w, "CoCgcCeiResponsavel");
    QCOMPARE(f.ui.shown.size(), size_t(1));
    QVERIFY(edit(w, "NoResponsavelArquivo")->hasFocus());
    QCOMPARE(edit(w, "CoCgcCeiResponsavel")->text(), QStringLiteral("11.222.333/0001-81"));
    QCOMPARE(w.findChild<QLabel*>("TipoInscricao")->text(), QStringLiteral("CNPJ"));
  }

  void pairingRuleSendsTheFocusToTheAreaCode() {
    Fixture f;
    TfmDadosResponsavel w(*f.session);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(w, "NuFoneAssinante", "32221234");
    leave(w, "NuFoneAssinante");
    QCOMPARE(f.ui.shown.size(), size_t(1));
    QCOMPARE(f.ui.shown[0].text, f.messageOf("3101"));
    QVERIFY(edit(w, "NuFoneDDD")->hasFocus());
  }

  void cancelSkipsTheCheckAndStoresNothing() {
    Fixture f;
    TfmDadosResponsavel w(*f.session);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(w, "TxEMailRespArquivo", "semarroba");
    QTest::mouseClick(w.findChild<QPushButton*>("btCancelar"), Qt::LeftButton);
    QVERIFY(f.ui.shown.empty());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(f.stored("TxEMailRespArquivo"), std::string("<none>"));
  }

  void okStoresTheRowAndReopensIt() {
    Fixture f;
    {
      TfmDadosResponsavel w(*f.session);
      w.show();
      QVERIFY(QTest::qWaitForWindowActive(&w));
      const std::pair<const char*, const char*> typed[] = {
          {"CoCgcCeiResponsavel", "52998224725"}, {"NoResponsavelArquivo", "maria da silva"},
          {"EdLogradouroRespArquivo", "RUA DAS FLORES"}, {"NuLogradouroRespArquivo", "25"},
          {"NoBairroRespArquivo", "CENTRO"}, {"CoCepRespArquivo", "01310100"},
          {"CoMunicipioRespArquivo", "3550308"}, {"NuFoneDDD", "11"}, {"NuFoneAssinante", "32221234"},
      };
      for (const auto& [field, text] : typed) {
        type(w, field, text);
        leave(w, field);
      }
      QVERIFY2(f.ui.shown.empty(), f.ui.shown.empty() ? "" : f.ui.shown[0].text.c_str());
      QCOMPARE(edit(w, "NoMunicipioRespArquivo")->text(), QStringLiteral("SAO PAULO"));
      QCOMPARE(edit(w, "NoResponsavelArquivo")->text(), QStringLiteral("MARIA DA SILVA"));  // typed upper-case
      QTest::mouseClick(w.findChild<QPushButton*>("btOk"), Qt::LeftButton);
      QCOMPARE(w.result(), int(QDialog::Accepted));
    }
    QCOMPARE(f.stored("CoCgcCeiResponsavel"), std::string("00052998224725"));
    QCOMPARE(f.stored("InInscrResponsavel"), std::string("4"));
    QCOMPARE(f.stored("NuLogradouroRespArquivo"), std::string("000025"));
    QCOMPARE(f.stored("SgUfRespArquivo"), std::string("SP"));

    TfmDadosResponsavel again(*f.session);
    QCOMPARE(edit(again, "CoCgcCeiResponsavel")->text(), QStringLiteral("529.982.247-25"));
    QCOMPARE(edit(again, "NuLogradouroRespArquivo")->text(), QStringLiteral("25"));
  }
};

QTEST_MAIN(ResponsibleWindowTest)
#include "fm_dados_responsavel_test.moc"
