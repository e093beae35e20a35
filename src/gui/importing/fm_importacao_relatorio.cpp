#include "gui/importing/fm_importacao_relatorio.h"

#include "gui/importing/import_wizard_text.h"
#include "gui/platform/qt_printers.h"
#include "gui/reports/report_runner.h"
#include "ui_fm_importacao_relatorio.h"

namespace torvex::gui::importing {

TfmImportacaoRelatorio::TfmImportacaoRelatorio(ImportContext& context, Kind kind,
                                               const core::importing::ImportKind& import, QWidget* parent,
                                               bool interrupted)
    : QDialog(parent), context_(context), kind_(kind), import_(import), ui_(std::make_unique<Ui::TfmImportacaoRelatorio>()) {
  ui_->setupUi(this);
  setWindowTitle(wizardTitle(import_));
  ui_->lbBanner->setText(wizardBanner(import_));
  if (kind_ == Kind::StructureErrors) {
    ui_->lbTexto->setText(QStringLiteral("A importação não poderá ser realizada. O arquivo não atende as especificações \n"
                                         "definidas para o ano-base."));
    ui_->lbRelatorio->setText(
        QStringLiteral("Para ver os erros de estrutura encontrados clique em Visualizar; para imprimi-los, em Relatório."));
  } else {
    ui_->lbTexto->setText(interrupted ? QStringLiteral("A importação foi interrompida. Os estabelecimentos importados "
                                                       "até a interrupção estão completos; os demais não foram importados.")
                                      : QStringLiteral("Os estabelecimentos selecionados foram importados."));
    ui_->lbRelatorio->setText(QStringLiteral(
        "Para ver a contabilização da importação clique em Visualizar; para imprimi-la, em Relatório. "
        "Para corrigir os estabelecimentos importados use a opção Declaração ... Abrir."));
  }
  connect(ui_->btFechar, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->btVisualizar, &QPushButton::clicked, this, [this] { runReport(core::reports::Destination::Preview); });
  connect(ui_->btRelatorio, &QPushButton::clicked, this, [this] { runReport(core::reports::Destination::Printer); });
}

void TfmImportacaoRelatorio::runReport(core::reports::Destination destination) {
  // The error report is told the wizard's settings text, the summary the year of the file.
  const bool errors = kind_ == Kind::StructureErrors;
  platform::QtPrinters printers;
  reports::ReportHost host{context_.db, printers, context_.ui};
  reports::showReport(this, host, errors ? "rptErrosEstrutura" : "rptImportacao", destination,
                      {{"anobase", errors ? import_.settingsText() : import_.importYear}});
}

TfmImportacaoRelatorio::~TfmImportacaoRelatorio() = default;

}  // namespace torvex::gui::importing
