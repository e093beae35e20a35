// Window tests for the main window: the enabling rule, the import buttons, the
// first-run information screen, and the start-up guards of the executable.
#include <QAction>
#include <QCheckBox>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/platform/named_guard.h"
#include "core/store/table.h"
#include "gui/shell/fm_informacoes_uteis.h"
#include "gui/shell/fm_principal.h"
#include "gui/shell/splash.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using namespace torvex::gui::shell;

// Calls back for every top-level window of the program that is shown.
class ShowWatcher : public QObject {
 public:
  explicit ShowWatcher(std::function<void(QWidget*)> onShow) : onShow_(std::move(onShow)) {
    qApp->installEventFilter(this);
  }
  ~ShowWatcher() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow()) onShow_(w);
    return false;
  }

 private:
  std::function<void(QWidget*)> onShow_;
};

class MainWindowTest : public QObject {
  Q_OBJECT

  struct Fixture {
    test::TempDataFolder folder;
    AppContext context;
    Fixture() {
      context = AppContext::forExecutableFolder(folder.path());
      context.db = std::make_unique<core::store::Database>(folder.path());
    }
    void addEstablishment(const char* year, const char* prefix = "00") {
      context.db->prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
                          "VALUES (:a, '11222333000181', :p)")
          .bind(":a", year)
          .bind(":p", prefix)
          .run();
    }
  };

  static QList<Command> declarationCommands() {
    return {Command::Abrir, Command::Excluir, Command::Verificar, Command::GravarDeclaracao,
            Command::GravarRetificacao, Command::CopiaGravar};
  }

  static void expectDeclarationCommands(TfmPrincipal& w, bool enabled) {
    for (Command c : declarationCommands()) QCOMPARE(w.action(c)->isEnabled(), enabled);
    // Commands outside the rule stay available.
    for (Command c : {Command::Nova, Command::DadosResponsavel, Command::ImportarAtual, Command::Analisador,
                      Command::Indexar, Command::Transmitir, Command::Pesquisa, Command::Ajuda})
      QVERIFY(w.action(c)->isEnabled());
  }

 private slots:
  void enablingRuleFollowsTheStoredYears() {
    Fixture f;
    TfmPrincipal w(f.context);
    w.ControlaBotoes();
    expectDeclarationCommands(w, false);  // no establishment
    f.addEstablishment("2005");
    w.ControlaBotoes();
    expectDeclarationCommands(w, false);  // only the previous year
    f.addEstablishment("2007");
    w.ControlaBotoes();
    expectDeclarationCommands(w, true);  // an early declaration counts
    f.context.db->exec("DELETE FROM BD8Emp WHERE AnBase = '2007'");
    f.addEstablishment("2006");
    w.ControlaBotoes();
    expectDeclarationCommands(w, true);
  }

  void ruleIsAppliedAgainAfterCommandsThatChangeEstablishments() {
    Fixture f;
    TfmPrincipal w(f.context);
    w.ControlaBotoes();
    expectDeclarationCommands(w, false);
    // An import that stores a 2006 establishment: the commands come on without restarting.
    w.setHandler(Command::ImportarAtual, [&] { f.addEstablishment("2006"); });
    w.trigger(Command::ImportarAtual);
    expectDeclarationCommands(w, true);
  }

  void titleAndImportButtons() {
    Fixture f;
    TfmPrincipal w(f.context);
    f.context.db->exec("INSERT INTO BD8Resp (InDicas) VALUES (1)");  // no information screen at start
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("Torvex2006 - Gerador de Declaração Keva [Versão: 2006.4]"));
    auto* previous = w.findChild<QToolButton*>(QStringLiteral("btImportarAnterior"));
    auto* current = w.findChild<QToolButton*>(QStringLiteral("btImportarAtual"));
    QVERIFY(previous && current);
    QCOMPARE(previous->text(), QStringLiteral("200&5"));
    QCOMPARE(current->toolTip(), QStringLiteral("Importar Arquivo Ano-Base 2006"));
    QCOMPARE(w.action(Command::ImportarAnterior)->text(), QStringLiteral("Ano Anterior  2005"));
    QCOMPARE(w.action(Command::ImportarAtual)->text(), QStringLiteral("Ano Atual       2006"));
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&Declaração", "&Analisador", "&Utilitários", "&Pesquisa", "A&juda"}));
    w.close();
  }

  void informationScreenChoiceIsStoredInTheResponsibleRow() {
    Fixture f;
    QVERIFY(!infoScreenHidden(*f.context.db));
    {
      TfmInformacoesUteis screen(*f.context.db);
      screen.dontShowAgain()->setChecked(true);
      QTimer::singleShot(0, &screen, [&] {
        auto* ok = screen.findChild<QPushButton*>();
        QVERIFY(ok);
        ok->click();
      });
      screen.exec();
    }
    QVERIFY(infoScreenHidden(*f.context.db));
    QCOMPARE(f.context.db->rowCount("BD8Resp"), 1);
  }

  void splashIsGoneBeforeAnyWindowOfTheProgramShows() {
    // A first start: the information screen opens on the first activation.
    Fixture f;
    TfmPrincipal w(f.context);
    std::unique_ptr<QSplashScreen> splash = createSplash();
    splash->show();
    QPointer<QSplashScreen> watched(splash.get());
    QStringList shownWithSplash;
    bool infoShown = false;
    ShowWatcher watcher([&](QWidget* shown) {
      if (shown == watched.data()) return;
      if (watched && watched->isVisible()) shownWithSplash << shown->metaObject()->className();
      if (auto* info = qobject_cast<TfmInformacoesUteis*>(shown)) {
        infoShown = true;
        QTimer::singleShot(0, info, &QDialog::reject);
      }
    });
    showMainWindowAfterSplash(std::move(splash), w);
    QTRY_VERIFY(infoShown);
    QVERIFY2(shownWithSplash.isEmpty(), qPrintable(shownWithSplash.join(' ')));
    QVERIFY(!watched);  // freed
    w.close();
  }

  void secondCopyEndsBeforeAnyWindow() {
    // With the first guard held by another copy, the program leaves at once, quietly.
    core::platform::NamedGuard running("This is a unique string!");
    if (!running.acquired()) QSKIP("a copy of TORVEX is running on this machine");
    QProcess p;
    p.setProcessEnvironment([] {
      auto env = QProcessEnvironment::systemEnvironment();
      env.insert("QT_QPA_PLATFORM", "offscreen");
      return env;
    }());
    p.start(QStringLiteral(TORVEX_TEST_GUI_EXE), {});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
  }
};

QTEST_MAIN(MainWindowTest)
#include "fm_principal_test.moc"
