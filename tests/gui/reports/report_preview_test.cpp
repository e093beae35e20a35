// The preview window: pages shown one at a time, printing only when allowed,
// and the PDF it saves carries the same pages.
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/reports/report_preview.h"

using namespace torvex;

class ReportPreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void pagesPrintingAndPdf() {
    core::reports::Document doc;
    doc.title = "Relatório de Teste";
    doc.tableStart({{"Linha", 180}});
    for (int i = 0; i < 200; ++i) doc.tableRow({"linha " + std::to_string(i)});
    doc.tableEnd();

    gui::reports::ReportPreview noPrinter(doc, false);
    QCOMPARE(noPrinter.windowTitle(), QStringLiteral("Visualização do Relatório"));
    QVERIFY(noPrinter.pageCount() > 1);
    QVERIFY(!noPrinter.findChild<QPushButton*>("printButton")->isEnabled());
    QVERIFY(noPrinter.findChild<QPushButton*>("pdfButton")->isEnabled());
    QTest::keyClick(&noPrinter, Qt::Key_PageDown);
    QCOMPARE(noPrinter.currentPage(), 1);
    QTest::keyClick(&noPrinter, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(noPrinter.currentPage(), noPrinter.pageCount() - 1);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("r.pdf");
    QVERIFY(noPrinter.savePdf(pdf));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    // One page object per previewed page.
    QCOMPARE(static_cast<int>(bytes.count("/Type /Page") - bytes.count("/Type /Pages")), noPrinter.pageCount());

    gui::reports::ReportPreview withPrinter(doc, true);
    QVERIFY(withPrinter.findChild<QPushButton*>("printButton")->isEnabled());
  }
};

QTEST_MAIN(ReportPreviewTest)
#include "report_preview_test.moc"
