// The help file beside the executable has every topic the program points to,
// and F1 finds the topic of the focused field through its parents.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTest>
#include <QVBoxLayout>

#include "gui/shell/help_system.h"
#include "gui/shell/fm_principal.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using namespace torvex::gui::shell;

class HelpSystemTest : public QObject {
  Q_OBJECT
 private slots:
  void everyTopicOfTheMainWindowIsInTheHelpFile() {
    const QString file = QStringLiteral(TORVEX_TEST_SOURCE_DIR "/data/help/AJUDA TORVEX.hlp");
    HelpSystem help(file);
    QVERIFY(help.hasTopic(10));  // "Como Fazer Para ..."
    test::TempDataFolder folder;
    AppContext context = AppContext::forExecutableFolder(folder.path());
    context.db = std::make_unique<core::store::Database>(folder.path());
    TfmPrincipal w(context);
    int checked = 0;
    for (QAction* a : w.findChildren<QAction*>()) {
      const int topic = a->property("helpTopic").toInt();
      if (topic == 0) continue;
      QVERIFY2(help.hasTopic(topic), qPrintable(QStringLiteral("topic %1 missing").arg(topic)));
      ++checked;
    }
    QVERIFY(checked >= 17);
  }

  void topicsAreReadWithTitlesAndText() {
    const auto topics = readHelpFile(QStringLiteral(TORVEX_TEST_SOURCE_DIR "/data/help/AJUDA TORVEX.hlp"));
    QVERIFY(!topics.isEmpty());
    for (const auto& t : topics) {
      QVERIFY(t.number > 0);
      QVERIFY(!t.title.isEmpty());
      QVERIFY(!t.text.isEmpty());
    }
    QVERIFY(readHelpFile(QStringLiteral("/nao/existe.hlp")).isEmpty());
  }

  void f1OnAHighlightedMenuEntryOpensThatEntrysTopic() {
    test::TempDataFolder folder;
    AppContext context = AppContext::forExecutableFolder(folder.path());
    context.executableFolder = TORVEX_TEST_SOURCE_DIR "/data/help";
    context.db = std::make_unique<core::store::Database>(folder.path());
    context.db->exec("INSERT INTO BD8Resp (InDicas) VALUES (1)");  // no information screen
    TfmPrincipal w(context);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto menuNamed = [&](QWidget* parent, const QString& title) {
      for (QMenu* m : parent->findChildren<QMenu*>())
        if (m->title() == title) return m;
      return static_cast<QMenu*>(nullptr);
    };
    QMenu* decl = menuNamed(&w, "&Declaração");
    QMenu* help = menuNamed(&w, "A&juda");
    QVERIFY(decl && help);
    struct Case {
      QList<QMenu*> path;  // menus opened, outermost first
      QAction* entry;      // highlighted in the last one
      int topic;           // topic the viewer is asked for (0: the topics dialog)
    };
    const QList<Case> cases = {
        {{decl}, w.action(Command::Nova), 831},
        {{decl, menuNamed(decl, "Im&portar...")}, w.action(Command::ImportarAtual), 900},
        {{decl, menuNamed(decl, "&Imprimir...")}, w.action(Command::ImprimirProtocolo), 895},  // the submenu's topic
        {{help}, w.action(Command::InformacoesUteis), 0},
    };
    for (const Case& c : cases) {
      QPoint at(50, 50);
      for (QMenu* m : c.path) {
        m->popup(at);
        QVERIFY(QTest::qWaitForWindowExposed(m));
        at += QPoint(40, 20);
      }
      c.path.last()->setActiveAction(c.entry);
      int asked = -1;
      QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<HelpViewer*>(QApplication::activeModalWidget()));
        auto* viewer = qobject_cast<HelpViewer*>(QApplication::activeModalWidget());
        asked = viewer->requestedTopic();
        viewer->accept();
      });
      // F1 as the user presses it: through the window system to the open menu.
      QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_F1);
      QCOMPARE(asked, c.topic);
      QVERIFY(!QApplication::activePopupWidget());  // the menus are closed for the help
    }
    w.close();
  }

  void fieldTopicComesFromTheNearestWidgetThatHasOne() {
    QWidget window;
    window.setProperty("helpTopic", 831);
    auto* panel = new QWidget(&window);
    auto* field = new QLineEdit(panel);
    QCOMPARE(helpTopicOf(field), 831);
    field->setProperty("helpTopic", 905);
    QCOMPARE(helpTopicOf(field), 905);
    QCOMPARE(helpTopicOf(nullptr), 0);
  }
};

QTEST_MAIN(HelpSystemTest)
#include "help_system_test.moc"
