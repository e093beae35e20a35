#include "gui/delivery/fm_gravacao.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>

#include "core/delivery/establishment_choice.h"
#include "core/jobs/verify_declarations_job.h"
#include "core/product.h"
#include "core/store/declaration_state.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/message_dialog.h"
#include "gui/delivery/establishment_ticks.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/field_guard.h"
#include "gui/entry/fm_lookup.h"
#include "gui/entry/form_binding.h"
#include "gui/reports/report_runner.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_gravacao.h"

namespace torvex::gui::delivery {
namespace {

using core::entry::FieldOutcome;
using core::jobs::WriteJobResult;
using core::platform::Buttons;
using core::platform::DialogKind;
using core::reports::Destination;

constexpr const char* kDateField = "edDataGeracao";
constexpr const char* kNoEstablishmentCode = "1700";
constexpr const char* kNothingTickedCode = "1301";
constexpr const char* kNoDriveCode = "0600";

const QString kErrorsText = QStringLiteral(
    "<p>As informações do(s) estabelecimento(s) selecionado(s) apresentaram <b>ERROS</b>.</p>"
    "<p>Os erros impedem a geração do arquivo.</p>"
    "<p>Clique em &lt;Erros&gt; para imprimir o relatório de erros, ou em &lt;Visualizar&gt; para vê-lo na tela, "
    "e corrija as informações através da opção \"Declaração - Abrir...\".</p>");
const QString kWarningsText = QStringLiteral(
    "<p>As informações do(s) estabelecimento(s)&nbsp; não apresentaram erros.</p>"
    "<p>Foram gerados <b>AVISOS</b>. Os avisos não impedem a gravação da declaração: apontam valores "
    "além dos limites usuais, que convém conferir. Clique em &lt;Avisos&gt; para imprimi-los ou em "
    "&lt;Visualizar&gt; para vê-los na tela.</p>"
    "<p>Informe a data da geração e selecione o drive de destino.</p>");
const QString kCleanText = QStringLiteral(
    "<p>As informações do(s) estabelecimento(s) selecionado(s) estão corretamente declaradas.</p>"
    "<p>Informe a data da geração e selecione o drive de destino.</p>");
const QString kRemindersText = QStringLiteral(
    "O arquivo deve ser transmitido pela função \"Transmitir Declaração\" do menu principal, que usa o "
    "programa de transmissão Trevion, obtido no sítio do serviço de declarações.\n\n"
    "Guarde uma cópia de segurança do disquete ou da base de dados, junto com o relatório e o comprovante.");
constexpr const char* kReceiptQuestion =
    "Atenção!\rEsse Comprovante só deve ser emitido nos casos em que o arquivo for entregue em uma DRT.\r"
    "Deseja emitir ?";

}  // namespace

TfmGravacao::TfmGravacao(WriteWizardHost& host, WriteWizardOptions options, QWidget* parent)
    : QDialog(parent),
      host_(host),
      options_(std::move(options)),
      ui_(std::make_unique<Ui::TfmGravacao>()),
      responsible_(host.session.db(), host.session.reference()),
      run_(host.session.ui()) {
  ui_->setupUi(this);
  ui_->lbAnoBase->setText(QStringLiteral("Declaração Ano-Base ") + QString::fromUtf8(core::store::kBaseYear));
  ui_->lbLembretes->setText(kRemindersText);
  ticks_ = new EstablishmentTicks(ui_->lbEstabelecimentos);
  settings_.dateAfterCheck = true;
  settings_.rectification = options_.rectification;

  // Enter moves between fields; the commands are pressed, never reached by Enter.
  entry::prepareFields(this);
  for (auto* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  for (auto* b : {ui_->btVoltar, ui_->btAvancar, ui_->btCancelar, ui_->btFechar}) b->setFocusPolicy(Qt::TabFocus);
  entry::attachLookupButton(ui_->CoMunicipioRespArquivo, ui_->btMunicipio);
  entry::applyTabOrder(this, core::entry::ResponsibleEntry::fieldOrder());

  guard_ = new entry::FieldGuard(this, host_.session.ui(), host_.session.reference(),
                                 [this](const QString& f) { return leaveField(f); });
  QStringList fields{QString::fromUtf8(kDateField)};
  for (const auto& f : core::entry::ResponsibleEntry::fieldOrder()) fields << QString::fromStdString(f);
  guard_->guard(fields);
  guard_->exempt(ui_->btCancelar);
  guard_->exempt(QStringLiteral("CoMunicipioRespArquivo"), ui_->btMunicipio);
  for (QWidget* w : std::initializer_list<QWidget*>{ui_->btVoltar, ui_->btVisualizar, ui_->btRelatorio})
    guard_->exempt(QString::fromUtf8(kDateField), w);

  connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmGravacao::advance);
  connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmGravacao::back);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmGravacao::reject);
  connect(ui_->btFechar, &QPushButton::clicked, this, &TfmGravacao::finish);
  connect(ui_->cbTodas, &QCheckBox::toggled, this, [this](bool on) { ticks_->setAll(on); });
  connect(ui_->btMunicipio, &QToolButton::clicked, this, &TfmGravacao::chooseMunicipality);
  connect(ui_->btVisualizar, &QPushButton::clicked, this, [this] { showErrorReport(Destination::Preview); });
  connect(ui_->btRelatorio, &QPushButton::clicked, this, [this] { showErrorReport(Destination::Printer); });
  connect(ui_->btComprovante, &QPushButton::clicked, this, [this] { printProtocolReport("rptProtocolo"); });
  connect(ui_->btEtiqueta, &QPushButton::clicked, this, [this] { printProtocolReport("rptEtiqueta"); });

  shell::applyDesignSize(this, QSize(600, 460));
  if (options_.rectification) {
    showPage(Page::Responsavel);
    showFields();
  } else {
    showPage(Page::Introducao);
  }
}

TfmGravacao::~TfmGravacao() = default;

TfmGravacao::Page TfmGravacao::page() const { return static_cast<Page>(ui_->swPaginas->currentIndex()); }

bool TfmGravacao::wentBack() const { return wentBack_; }

void TfmGravacao::showPage(Page page) {
  ui_->swPaginas->setCurrentIndex(static_cast<int>(page));
  const bool last = page == Page::Fim;
  ui_->btVoltar->setVisible(!last);
  ui_->btAvancar->setVisible(!last);
  ui_->btCancelar->setVisible(!last);
  ui_->btFechar->setVisible(last);
  // The first page has no way back; nor has the outcome page, once the check is done.
  ui_->btVoltar->setEnabled(page == Page::Estabelecimentos || page == Page::Responsavel);
  ui_->btAvancar->setEnabled(true);
  if (page == Page::Estabelecimentos) ui_->lbEstabelecimentos->setFocus();
  if (last) ui_->btFechar->setFocus();
}

void TfmGravacao::advance() {
  if (running_) return;
  switch (page()) {
    case Page::Introducao: chooseEstablishments(); break;
    case Page::Estabelecimentos: {
      auto chosen = ticks_->ticked();
      if (chosen.empty()) {
        core::validation::showMessage(host_.session.ui(), host_.session.reference(), kNothingTickedCode);
        return;
      }
      settings_.establishments = std::move(chosen);
      showPage(Page::Responsavel);
      showFields();
      break;
    }
    case Page::Responsavel: checkDeclarations(); break;
    case Page::Gravacao: writeFiles(); break;
    case Page::Fim: break;
  }
}

void TfmGravacao::back() {
  if (running_) return;
  switch (page()) {
    case Page::Estabelecimentos: showPage(Page::Introducao); break;
    case Page::Responsavel:
      // The edits of the responsible row are dropped.
      if (options_.rectification) {
        wentBack_ = true;
        QDialog::reject();
        return;
      }
      showPage(Page::Estabelecimentos);
      break;
    default: break;
  }
}

void TfmGravacao::chooseEstablishments() {
  auto lines = core::delivery::establishmentChoice(host_.session.db(), core::store::kBaseYear,
                                                   core::delivery::ChoiceLineForm::Write);
  if (lines.empty()) {
    core::validation::showMessage(host_.session.ui(), host_.session.reference(), kNoEstablishmentCode);
    return;
  }
  ticks_->fill(std::move(lines));
  ui_->cbTodas->blockSignals(true);
  ui_->cbTodas->setChecked(false);
  ui_->cbTodas->blockSignals(false);
  showPage(Page::Estabelecimentos);
}

void TfmGravacao::showFields() {
  guard_->setEnabled(false);
  responsible_.load();
  entry::showValues(this, responsible_.values());
  ui_->swResponsavel->setCurrentWidget(ui_->pnCampos);
  ui_->btVoltar->setEnabled(true);
  ui_->btAvancar->setEnabled(true);
  ui_->CoCgcCeiResponsavel->setFocus();
  guard_->setEnabled(true);
}

FieldOutcome TfmGravacao::leaveField(const QString& field) {
  if (field == QString::fromUtf8(kDateField)) return dateOutcome();
  entry::readValues(this, responsible_.values());
  const FieldOutcome outcome = responsible_.leave(field.toStdString());
  entry::showValues(this, responsible_.values());
  return outcome;
}

void TfmGravacao::chooseMunicipality() {
  const QString code = host_.session.lookup(core::entry::LookupKind::Municipality, this).choose();
  if (!code.isEmpty()) ui_->CoMunicipioRespArquivo->setText(code);
  entry::readValues(this, responsible_.values());
  const FieldOutcome outcome = responsible_.checkMunicipality();
  entry::showValues(this, responsible_.values());
  if (guard_->apply(outcome)) ui_->NuFoneDDD->setFocus();
}

void TfmGravacao::checkDeclarations() {
  entry::readValues(this, responsible_.values());
  const FieldOutcome saved = responsible_.save();
  entry::showValues(this, responsible_.values());
  if (!guard_->apply(saved)) return;
  if (options_.rectification && options_.copyForRectification && !options_.copyForRectification()) {
    QDialog::reject();
    return;
  }

  guard_->setEnabled(false);
  ui_->swResponsavel->setCurrentWidget(ui_->pnVerificando);
  ui_->pbVerificacao->setValue(0);
  ui_->btVoltar->setEnabled(false);
  ui_->btAvancar->setEnabled(false);
  ui_->btCancelar->setFocus();
  run_.setProgressBar(ui_->pbVerificacao);
  run_.clearStopRequest();
  running_ = true;
  try {
    core::jobs::JobHost job{host_.session.db(), host_.session.reference(), run_};
    prepared_ = core::jobs::prepareWrite(job, settings_);
  } catch (...) {
    running_ = false;
    showFields();
    throw;
  }
  running_ = false;
  outcome_ = prepared_;

  switch (prepared_.result) {
    case WriteJobResult::CheckInterrupted:
      host_.session.ui().message(DialogKind::Information, core::jobs::kCheckInterruptedText, Buttons::Ok);
      showFields();
      return;
    case WriteJobResult::NoEstablishments:
    case WriteJobResult::UnknownEstablishment:
      // The chosen establishments went away meanwhile (another program on the same folder).
      core::validation::showMessage(host_.session.ui(), host_.session.reference(), kNoEstablishmentCode);
      showFields();
      return;
    default: break;
  }
  showPage(Page::Gravacao);
  showOutcomePanel();
}

void TfmGravacao::showOutcomePanel() {
  const bool errors = prepared_.result == WriteJobResult::RefusedErrors;
  const bool warnings = !errors && prepared_.check.warnings;
  ui_->lbResultado->setText(errors ? kErrorsText : warnings ? kWarningsText : kCleanText);
  ui_->btVisualizar->setVisible(errors || warnings);
  ui_->btRelatorio->setVisible(errors || warnings);
  ui_->btRelatorio->setText(errors ? QStringLiteral("&Erros") : QStringLiteral("Avi&sos"));
  ui_->gbGeracao->setVisible(!errors);
  if (ui_->lsDrive->count() == 0)
    for (char drive : host_.media.drives()) {
      auto* item = new QListWidgetItem(QStringLiteral("Drive %1:").arg(QChar(drive)), ui_->lsDrive);
      item->setData(Qt::UserRole, QChar(drive));
    }
  showWritingPanel(false);
  ui_->btAvancar->setEnabled(!errors);
  guard_->setEnabled(true);
  if (errors)
    ui_->btVisualizar->setFocus();
  else
    ui_->edDataGeracao->setFocus();
}

void TfmGravacao::showWritingPanel(bool writing) {
  ui_->swGravacao->setCurrentWidget(writing ? ui_->pnGravando : ui_->pnResultado);
  ui_->btVoltar->setEnabled(false);
  ui_->btAvancar->setEnabled(!writing);
}

FieldOutcome TfmGravacao::dateOutcome() const {
  const std::string date = core::entry::digitsOf(ui_->edDataGeracao->text().toStdString());
  const std::string_view code = core::validation::checkGenerationDate(date, core::product::kBaseYearNumber);
  return code == core::validation::kValid ? FieldOutcome::accept() : FieldOutcome::refuse(code, kDateField);
}

bool TfmGravacao::acceptDate() { return guard_->apply(dateOutcome()); }

bool TfmGravacao::acceptDrive() {
  if (ui_->lsDrive->currentItem() && ui_->lsDrive->currentItem()->isSelected()) return true;
  core::validation::showMessage(host_.session.ui(), host_.session.reference(), kNoDriveCode);
  ui_->lsDrive->setFocus();
  return false;
}

void TfmGravacao::writeFiles() {
  if (!acceptDate() || !acceptDrive()) return;
  settings_.generationDate = core::entry::digitsOf(ui_->edDataGeracao->text().toStdString());
  settings_.drive = ui_->lsDrive->currentItem()->data(Qt::UserRole).toChar().toLatin1();

  guard_->setEnabled(false);
  showWritingPanel(true);
  ui_->pbGravacao->setValue(0);
  ui_->btCancelar->setFocus();
  run_.setProgressBar(ui_->pbGravacao);
  run_.clearStopRequest();
  running_ = true;
  try {
    core::jobs::JobHost job{host_.session.db(), host_.session.reference(), run_};
    outcome_ = core::jobs::writePrepared(job, host_.media, settings_, prepared_);
  } catch (...) {
    running_ = false;
    showWritingPanel(false);
    guard_->setEnabled(true);
    throw;
  }
  running_ = false;
  showWritingPanel(false);
  guard_->setEnabled(true);

  auto& dialogs = host_.session.ui();
  switch (outcome_.result) {
    case WriteJobResult::Written:
      if (outcome_.write.severalFiles)
        dialogs.message(DialogKind::Warning, core::jobs::severalFilesText(outcome_.write.filesWritten), Buttons::Ok);
      showPage(Page::Fim);
      return;
    case WriteJobResult::WriteInterrupted:
      dialogs.message(DialogKind::Information, core::jobs::writeInterruptedText(), Buttons::Ok);
      break;
    case WriteJobResult::InvalidDate:
      guard_->apply(FieldOutcome::refuse(outcome_.dateCode, kDateField));
      return;
    default:
      dialogs.message(DialogKind::Information, core::jobs::writeFailedText(outcome_.write.failureCause), Buttons::Ok);
      break;
  }
  // The user may change the disk or the drive and write again, from the first file.
  ui_->btAvancar->setFocus();
}

void TfmGravacao::showErrorReport(Destination destination) {
  reports::ReportHost report{host_.session.db(), host_.printers, host_.session.ui()};
  reports::showReport(this, report, "rptErros", destination);
}

void TfmGravacao::printProtocolReport(const char* name) {
  auto* button = std::string_view(name) == "rptProtocolo" ? ui_->btComprovante : ui_->btEtiqueta;
  auto& dialogs = host_.session.ui();
  if (!host_.printers.anyInstalled()) {
    dialogs.message(DialogKind::Error, core::reports::kCannotPrint, Buttons::Ok);
    return;
  }
  if (button == ui_->btComprovante &&
      dialogs.message(DialogKind::Confirmation, kReceiptQuestion, Buttons::YesNo) != core::platform::button::kYes)
    return;
  button->setEnabled(false);
  reports::ReportHost report{host_.session.db(), host_.printers, dialogs};
  reports::showReport(this, report, name, Destination::Printer);
  button->setEnabled(true);
}

void TfmGravacao::finish() {
  bool severalFiles = outcome_.write.severalFiles;
  if (host_.offerTransmission) host_.offerTransmission(outcome_.write.lastWrittenPath, severalFiles);
  accept();
}

void TfmGravacao::reject() {
  if (running_) {
    // Cancel during the check or the writing asks it to stop; it confirms with "Deseja interromper?".
    run_.requestStop();
    return;
  }
  guard_->setEnabled(false);
  QDialog::reject();
}

void TfmGravacao::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    reject();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace torvex::gui::delivery
