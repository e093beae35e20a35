#include "gui/importing/report_page.h"

#include "gui/importing/import_wizard_text.h"
#include "ui_report_page.h"

namespace torvex::gui::importing {

TfmImportacaoRelatorio::TfmImportacaoRelatorio(ImportContext& context, Kind kind,
                                               const core::importing::ImportKind& import, QWidget* parent)
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
    ui_->lbTexto->setText(QStringLiteral("Os estabelecimentos selecionados foram importados."));
    ui_->lbRelatorio->setText(QStringLiteral(
        "Para ver a contabilização da importação clique em Visualizar; para imprimi-la, em Relatório. "
        "Para corrigir os estabelecimentos importados use a opção Declaração ... Abrir."));
  }
  connect(ui_->btFechar, &QPushButton::clicked, this, &QDialog::accept);
}

TfmImportacaoRelatorio::~TfmImportacaoRelatorio() = default;

}  // namespace torvex::gui::importing
