#include "gui/importing/fm_importacao01.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "core/jobs/import_job.h"
#include "core/store/table_def.h"
#include "gui/importing/fm_importacao03.h"
#include "gui/importing/import_wizard_text.h"
#include "gui/importing/fm_importacao_relatorio.h"
#include "ui_fm_importacao01.h"

namespace torvex::gui::importing {
namespace {


constexpr const char* kMissingFileMessage = "O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo.";

// The tables the wizard leaves behind, removed when it ends.
constexpr const char* kWizardTables[] = {core::store::table::kWorkEstablishments, core::store::table::kWorkLinks,
                                         core::store::table::kImport, core::store::table::kStructure};

}  // namespace

TfmImportacao01::TfmImportacao01(ImportContext& context, const QString& settingsText, QWidget* parent)
    : QDialog(parent),
      context_(context),
      kind_(core::importing::ImportKind::fromSettingsText(settingsText.toStdString())),
      ui_(std::make_unique<Ui::TfmImportacao01>()),
      run_(context.ui) {
  ui_->setupUi(this);
  run_.setProgressBar(ui_->pbProgresso);
  setWindowTitle(wizardTitle(kind_));
  ui_->lbBanner->setText(wizardBanner(kind_));
  ui_->btAvancar->setEnabled(false);
  connect(ui_->edArquivo, &QLineEdit::textChanged, this,
          [this](const QString& text) { ui_->btAvancar->setEnabled(!running_ && !text.trimmed().isEmpty()); });
  connect(ui_->btLocalizar, &QPushButton::clicked, this, &TfmImportacao01::locate);
  connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmImportacao01::advance);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmImportacao01::reject);
  showFilePanel(true);
}

TfmImportacao01::~TfmImportacao01() = default;

void TfmImportacao01::locate() {
  const QString file = QFileDialog::getOpenFileName(
      this, QStringLiteral("Localizar arquivo"), QDir::homePath(),
      QStringLiteral("Arquivos KEVA (Keva* keva* KEVA*);;Texto (*.txt);;Todos (*)"));
  if (!file.isEmpty()) ui_->edArquivo->setText(QDir::toNativeSeparators(file));
  ui_->edArquivo->setFocus();
}

void TfmImportacao01::showFilePanel(bool clearName) {
  if (clearName) ui_->edArquivo->clear();
  ui_->swPaineis->setCurrentWidget(ui_->pnArquivo);
  ui_->btLocalizar->setEnabled(true);
  ui_->btAvancar->setEnabled(!ui_->edArquivo->text().trimmed().isEmpty());
  ui_->edArquivo->setFocus();
}

void TfmImportacao01::advance() {
  const QString name = ui_->edArquivo->text().trimmed();
  if (!QFileInfo(name).isFile()) {
    context_.ui.message(core::platform::DialogKind::Warning, kMissingFileMessage, core::platform::Buttons::Ok);
    ui_->edArquivo->setFocus();
    return;
  }
  ui_->swPaineis->setCurrentWidget(ui_->pnAnalise);
  ui_->btAvancar->setEnabled(false);
  ui_->btLocalizar->setEnabled(false);
  ui_->pbProgresso->setValue(0);
  run_.clearStopRequest();
  running_ = true;
  core::declfile::AnalysisResult result = core::declfile::AnalysisResult::ReadFailed;
  try {
    result = core::jobs::analyseForImport(analyser_, name.toStdString(), kind_.previousYear, context_.db, run_).result;
  } catch (...) {
    running_ = false;
    throw;
  }
  running_ = false;
  if (result == core::declfile::AnalysisResult::Interrupted || result == core::declfile::AnalysisResult::ReadFailed) {
    showFilePanel(true);
    return;
  }
  if (result == core::declfile::AnalysisResult::Finding) {
    TfmImportacaoRelatorio errors(context_, TfmImportacaoRelatorio::Kind::StructureErrors, kind_, this);
    errors.exec();
  } else {
    TfmImportacao03 choice(context_, kind_, /*selectAll=*/false, this);
    choice.exec();
  }
  accept();
}

void TfmImportacao01::reject() {
  if (running_) {
    // Cancel during the analysis asks it to stop; it confirms with "Deseja interromper?".
    analyser_.Interrompe();
    run_.requestStop();
    return;
  }
  QDialog::reject();
}

void TfmImportacao01::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    reject();
    return;
  }
  QDialog::closeEvent(event);
}

void TfmImportacao01::done(int result) {
  for (const char* table : kWizardTables)
    if (context_.db.tableExists(table)) context_.db.dropTable(table);
  QDialog::done(result);
}

}  // namespace torvex::gui::importing
