// The preview window: pages shown one at a time, printing only when allowed,
// and the PDF it saves carries the same pages.
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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

  // "Salvar PDF" keeps off the data folder's files and the files the report is
  // made from, links included; a refused save leaves everything as it was.
  void savedPdfNeverGoesOverTheDataOrTheReportsSources() {
    QTemporaryDir dir;
    const std::filesystem::path base = dir.path().toStdString();
    std::filesystem::create_directory(base / "dados");
    const auto put = [](const std::filesystem::path& file, const char* text) { QFile f(file); f.open(QIODevice::WriteOnly); f.write(text); };
    put(base / "dados" / "declaracao.db", "base");
    put(base / "X.dec", "declaracao");
    std::filesystem::create_symlink(base / "dados" / "declaracao.db", base / "base.pdf");
    std::filesystem::create_symlink(base / "X.dec", base / "dec.pdf");
    core::reports::Document doc;
    doc.title = "Protocolo";
    doc.paragraph("texto");
    doc.sources = {base / "X.dec"};
    gui::reports::ReportPreview preview(doc, false, nullptr, base / "dados");
    for (const char* name : {"base.pdf", "dec.pdf"}) {
      QString shown;
      QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          shown = box->text();
          box->accept();
        }
      });
      QVERIFY(!preview.savePdf(QString::fromStdString((base / name).string())));
      QVERIFY2(shown.contains(QStringLiteral("não pode ser gravado sobre")), qPrintable(shown));
    }
    QFile db(QString::fromStdString((base / "dados" / "declaracao.db").string()));
    QVERIFY(db.open(QIODevice::ReadOnly));
    QCOMPARE(db.readAll(), QByteArray("base"));
    QVERIFY(std::filesystem::is_symlink(base / "dec.pdf"));
  }
};

QTEST_MAIN(ReportPreviewTest)
#include "report_preview_test.moc"
