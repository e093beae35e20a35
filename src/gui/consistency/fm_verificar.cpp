#include "gui/consistency/fm_verificar.h"

#include <QCloseEvent>
#include <QPushButton>

#include "core/delivery/establishment_choice.h"
#include "core/jobs/verify_declarations_job.h"
#include "core/store/declaration_state.h"
#include "core/validation/message_dialog.h"
#include "gui/delivery/establishment_ticks.h"
#include "gui/reports/report_runner.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_verificar.h"

namespace torvex::gui::consistency {
namespace {

using core::jobs::VerifyFindings;
using core::platform::Buttons;
using core::platform::DialogKind;
using core::reports::Destination;

constexpr const char* kNoEstablishmentCode = "1700";
constexpr const char* kNothingTickedCode = "1301";

QString resultText(VerifyFindings findings) {
  switch (findings) {
    case VerifyFindings::Errors:
      return QStringLiteral(
          "<p><b>Houveram erros nas declarações selecionadas.</b></p>"
          "<p>Utilize o botão &lt;Visualizar&gt; para ver o relatório na tela e o botão &lt;Erros&gt; para "
          "imprimi-lo.</p>"
          "<p>Corrija as informações erradas através da opção Declaração ... Abrir</p>");
    case VerifyFindings::Warnings:
      return QStringLiteral(
          "<p><b>Não foram encontrados erros nas declarações selecionadas, foram gerados apenas AVISOS.</b></p>"
          "<p>Os avisos não impedem a gravação da declaração. Eles apontam valores além dos limites usuais, "
          "que convém conferir, e estão descritos na ajuda.</p>"
          "<p>Utilize o botão &lt;Avisos&gt; para imprimi-los ou o botão &lt;Visualizar&gt; para vê-los na "
          "tela.</p>");
    case VerifyFindings::Nothing: break;
  }
  return QStringLiteral("<p><b>As declarações selecionadas não apresentaram erros ou avisos.</b></p>");
}

}  // namespace

TfmVerificar::TfmVerificar(VerifyWizardHost& host, QWidget* parent)
    : QDialog(parent), host_(host), ui_(std::make_unique<Ui::TfmVerificar>()), run_(host.ui) {
  ui_->setupUi(this);
  ui_->lbAnoBase->setText(QStringLiteral("Declaração Ano-Base ") + QString::fromUtf8(core::store::kBaseYear));
  ticks_ = new delivery::EstablishmentTicks(ui_->lbEstabelecimentos);
  run_.setProgressBar(ui_->pbProgresso);
  for (auto* b : {ui_->btVoltar, ui_->btAvancar, ui_->btCancelar, ui_->btFechar}) b->setFocusPolicy(Qt::TabFocus);

  connect(ui_->btAvancar, &QPushButton::clicked, this, [this] {
    if (page() == Page::Introducao)
      showSelection();
    else if (page() == Page::Selecao)
      verify();
  });
  connect(ui_->btVoltar, &QPushButton::clicked, this, [this] {
    if (!running_ && page() == Page::Selecao) showPage(Page::Introducao);
  });
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmVerificar::reject);
  connect(ui_->btFechar, &QPushButton::clicked, this, &TfmVerificar::accept);
  connect(ui_->cbTodas, &QCheckBox::toggled, this, [this](bool on) { ticks_->setAll(on); });
  connect(ui_->btVisualizar, &QPushButton::clicked, this, [this] { showReport(Destination::Preview); });
  connect(ui_->btRelatorio, &QPushButton::clicked, this, [this] { showReport(Destination::Printer); });

  shell::applyDesignSize(this);
  showPage(Page::Introducao);
}

TfmVerificar::~TfmVerificar() = default;

TfmVerificar::Page TfmVerificar::page() const { return static_cast<Page>(ui_->swPaginas->currentIndex()); }

void TfmVerificar::showPage(Page page) {
  ui_->swPaginas->setCurrentIndex(static_cast<int>(page));
  const bool last = page == Page::Resultado;
  ui_->btVoltar->setVisible(!last);
  ui_->btAvancar->setVisible(!last);
  ui_->btCancelar->setVisible(!last);
  ui_->btFechar->setVisible(last);
  ui_->btVoltar->setEnabled(page == Page::Selecao);
  ui_->btAvancar->setEnabled(page != Page::Introducao || !ticks_->empty());
  if (page == Page::Selecao) ui_->lbEstabelecimentos->setFocus();
  if (last) ui_->btFechar->setFocus();
}

void TfmVerificar::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (filled_) return;
  filled_ = true;
  // Filled when the wizard first shows; a second try before giving up.
  if (!fillList() && !fillList()) {
    core::validation::showMessage(host_.ui, host_.reference, kNoEstablishmentCode);
    ui_->btAvancar->setEnabled(false);
  } else {
    ui_->btAvancar->setEnabled(true);
  }
}

bool TfmVerificar::fillList() {
  ticks_->fill(core::delivery::establishmentChoice(host_.db, core::store::kBaseYear,
                                                   core::delivery::ChoiceLineForm::Verify));
  return !ticks_->empty();
}

void TfmVerificar::showSelection() {
  ui_->swSelecao->setCurrentWidget(ui_->pnLista);
  ticks_->setEnabled(true);
  ui_->cbTodas->setEnabled(true);
  showPage(Page::Selecao);
}

void TfmVerificar::verify() {
  if (running_) return;
  auto chosen = ticks_->ticked();
  if (chosen.empty()) {
    core::validation::showMessage(host_.ui, host_.reference, kNothingTickedCode);
    return;
  }
  ui_->swSelecao->setCurrentWidget(ui_->pnVerificando);
  ui_->pbProgresso->setValue(0);
  ticks_->setEnabled(false);
  ui_->cbTodas->setEnabled(false);
  ui_->btVoltar->setEnabled(false);
  ui_->btAvancar->setEnabled(false);
  ui_->btCancelar->setFocus();
  run_.clearStopRequest();
  running_ = true;
  core::jobs::VerifyOutcome outcome;
  try {
    core::jobs::JobHost job{host_.db, host_.reference, run_};
    outcome = core::jobs::verifyDeclarations(job, std::move(chosen));
  } catch (...) {
    running_ = false;
    showSelection();
    throw;
  }
  running_ = false;
  if (outcome.result != core::jobs::VerifyResult::Checked) {
    if (outcome.result == core::jobs::VerifyResult::Interrupted)
      host_.ui.message(DialogKind::Information, core::jobs::kCheckInterruptedText, Buttons::Ok);
    else
      core::validation::showMessage(host_.ui, host_.reference, kNoEstablishmentCode);
    // Back to the list, every tick kept.
    showSelection();
    return;
  }
  outcome_ = outcome.check;
  showResult();
}

void TfmVerificar::showResult() {
  const VerifyFindings findings = core::jobs::findingsOf(outcome_);
  ui_->lbResultado->setText(resultText(findings));
  const bool report = findings != VerifyFindings::Nothing;
  ui_->btVisualizar->setVisible(report);
  ui_->btRelatorio->setVisible(report);
  ui_->btRelatorio->setText(findings == VerifyFindings::Errors ? QStringLiteral("&Erros") : QStringLiteral("&Avisos"));
  showPage(Page::Resultado);
}

void TfmVerificar::showReport(Destination destination) {
  reports::ReportHost report{host_.db, host_.printers, host_.ui};
  reports::showReport(this, report, "rptErros", destination);
}

void TfmVerificar::reject() {
  if (running_) {
    // Cancel during the check asks it to stop; it confirms with "Deseja interromper?".
    run_.requestStop();
    return;
  }
  QDialog::reject();
}

void TfmVerificar::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    reject();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace torvex::gui::consistency
