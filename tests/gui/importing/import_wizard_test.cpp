// The import wizard as a user drives it: a missing or faulty file, the tick
// rules of the establishment list, concluding with nothing or some lines
// ticked, and what ends up stored.
// The generator goes before Qt, whose "emit" macro would hide its method of that name.
#include "generator/declaration_generator.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "core/jobs/import_job.h"
#include "core/store/reference_lookup.h"
#include "gui/importing/fm_importacao03.h"
#include "gui/importing/fm_importacao01.h"
#include "gui/importing/fm_importacao_relatorio.h"
#include "gui/reports/report_preview.h"
#include "support/modal_dialogs.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using namespace torvex::gui::importing;

class ImportWizardTest : public QObject {
  Q_OBJECT

  struct Fixture {
    test::TempDataFolder folder;
    test::ScriptedInteraction ui;
    core::store::ReferenceLookup reference{folder.db()};
    ImportContext context{folder.db(), reference, ui};

    // A generated file of 4 establishments; the third gets a one-character prefix.
    std::string file(bool faulty = false) {
      generator::GeneratorOptions o;
      o.establishments = 4;
      o.links = 8;
      std::string text = generator::DeclarationGenerator(o).text();
      const std::size_t stride = 529;
      for (std::size_t at = 0; at + stride <= text.size(); at += stride) {
        const bool third = text.compare(at + 6, 14, text, 7 * stride + 6, 14) == 0;  // record 8 is the third establishment
        if (third && text[at + 22] != '9') text.replace(at + 20, 2, "1 ");
      }
      if (faulty) text[stride * 2 + 10] = '"';  // finding 1922
      const auto path = folder.path() / "folha.dec";
      std::ofstream(path, std::ios::binary) << text;
      return path.string();
    }
    std::int64_t count(const std::string& sql) {
      auto st = folder.db().prepare(sql);
      return st.step() ? st.integer(0) : -1;
    }
  };

  static QListWidget* list(QWidget& w) { return w.findChild<QListWidget*>("lbEstabelecimentos"); }
  static void clickLine(QWidget& w, int row) {
    auto* l = list(w);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
  }

 private slots:
  void missingFileIsRefusedAndAFaultyOneLeadsToTheErrorPage() {
    Fixture f;
    TfmImportacao01 page(f.context, QStringLiteral("Atual - Ano 2006"));
    page.show();
    QCOMPARE(page.windowTitle(),
             QStringLiteral("Assistente para Importação de Estabelecimentos (Declaração Ano-Base Atual - Ano 2006)"));
    auto* next = page.findChild<QPushButton*>("btAvancar");
    QVERIFY(!next->isEnabled());
    auto* name = page.findChild<QLineEdit*>("edArquivo");
    QTest::keyClicks(name, (f.folder.path() / "nao-existe.dec").string().c_str());
    QVERIFY(next->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(f.ui.shown.size(), size_t(1));
    QCOMPARE(f.ui.shown[0].text,
             std::string("O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo."));

    name->setText(QString::fromStdString(f.file(/*faulty=*/true)));
    bool errorPage = false;
    test::onNextModal<TfmImportacaoRelatorio>([&](TfmImportacaoRelatorio& p) {
      errorPage = p.findChild<QLabel*>("lbTexto")->text().startsWith("A importação não poderá ser realizada.");
      p.accept();
    });
    QTest::mouseClick(next, Qt::LeftButton);
    QVERIFY(errorPage);
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QVERIFY(!f.folder.db().tableExists("Te8stru"));  // the wizard's tables go when it ends
    QCOMPARE(f.count("SELECT count(*) FROM BD8Emp"), 0);
  }

  void tickRulesAndConclude() {
    Fixture f;
    core::declfile::TAnaliseEstrutura analyser;
    QVERIFY(core::jobs::analyseForImport(analyser, f.file(), false, f.folder.db(), f.ui).result ==
            core::declfile::AnalysisResult::Loaded);
    const auto kind = core::importing::ImportKind::currentYear();
    TfmImportacao03 page(f.context, kind, /*selectAll=*/false);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(list(page)->count(), 4);

    // Concluding with nothing ticked shows 1301 and stays.
    QTest::mouseClick(page.findChild<QPushButton*>("btConcluir"), Qt::LeftButton);
    QCOMPARE(f.ui.shown.back().text, f.reference.message("1301")->text);
    QVERIFY(page.isVisible());

    // A click ticks and unticks; the third line cannot be ticked.
    clickLine(page, 0);
    QCOMPARE(list(page)->item(0)->checkState(), Qt::Checked);
    clickLine(page, 0);
    QCOMPARE(list(page)->item(0)->checkState(), Qt::Unchecked);
    clickLine(page, 2);
    QCOMPARE(list(page)->item(2)->checkState(), Qt::Unchecked);
    QCOMPARE(f.ui.shown.back().text, std::string("Este estabelecimento não poderá ser importado. Verifique Prefixo."));

    // "Selecionar Todos" stops on it; Enter on the last line ticks it; the option is cleared.
    page.findChild<QRadioButton*>("rbSelecionarTodos")->click();
    QCOMPARE(f.ui.shown.back().text, std::string("Prefixo Inválido. Estabelecimento não poderá ser importado."));
    QCOMPARE(list(page)->currentRow(), 2);
    QCOMPARE(list(page)->item(1)->checkState(), Qt::Checked);
    QCOMPARE(list(page)->item(3)->checkState(), Qt::Unchecked);
    list(page)->setCurrentRow(3);
    QTest::keyClick(list(page), Qt::Key_Return);
    QCOMPARE(list(page)->item(3)->checkState(), Qt::Checked);
    QVERIFY(!page.findChild<QRadioButton*>("rbSelecionarTodos")->isChecked());

    bool summary = false;
    int previewPages = 0;
    test::onNextModal<TfmImportacaoRelatorio>([&](TfmImportacaoRelatorio& p) {
      summary = p.findChild<QLabel*>("lbTexto")->text() == "Os estabelecimentos selecionados foram importados.";
      // "Visualizar" previews rptImportacao (after the no-printer warning of this machine, if any).
      test::onNextModal<gui::reports::ReportPreview>([&](gui::reports::ReportPreview& preview) {
        previewPages = preview.pageCount();
        preview.reject();
      });
      p.findChild<QPushButton*>("btVisualizar")->click();
      p.findChild<QPushButton*>("btFechar")->click();
    });
    QTest::mouseClick(page.findChild<QPushButton*>("btConcluir"), Qt::LeftButton);
    QVERIFY(summary);
    QCOMPARE(previewPages, 1);
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QCOMPARE(f.count("SELECT count(*) FROM BD8Emp"), 3);
    QCOMPARE(f.count("SELECT count(*) FROM TE8Imp WHERE NuTotalImportados <> '0'"), 3);
  }
};

QTEST_MAIN(ImportWizardTest)
#include "import_wizard_test.moc"
