// Qt's own texts appear in Portuguese: standard buttons and the context menu of
// a text field.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "gui/shell/translations.h"

using namespace torvex::gui::shell;

class TranslationsTest : public QObject {
  Q_OBJECT
 private slots:
  void qtTextsArePortuguese() {
    QVERIFY2(installQtTranslations(*qApp), "Qt's pt_BR translations are not installed (qt6-translations-l10n)");
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Sim"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Não"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Cancelar"));

    QLineEdit field(QStringLiteral("texto"));
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (QAction* a : menu->actions())
      if (!a->isSeparator()) entries << a->text().remove('&').section('\t', 0, 0);
    QVERIFY2(entries.contains(QStringLiteral("Copiar")), qPrintable(entries.join('|')));
    QVERIFY2(entries.contains(QStringLiteral("Selecionar tudo")), qPrintable(entries.join('|')));
  }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
