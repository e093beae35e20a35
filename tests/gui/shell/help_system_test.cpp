// The help file beside the executable has every topic the program points to,
// and F1 finds the topic of the focused field through its parents.
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "gui/shell/help_system.h"
#include "gui/shell/main_window.h"
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
