#include "gui/delivery/transmission_commands.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

#include "core/jobs/transmit_job.h"
#include "core/validation/message_dialog.h"
#include "gui/delivery/fm_transmissao.h"
#include "gui/platform/qt_interaction.h"
#include "gui/platform/qt_media.h"
#include "gui/platform/qt_printers.h"
#include "gui/shell/app_context.h"

namespace torvex::gui::delivery {

using core::platform::Buttons;
using core::platform::DialogKind;

void openTransmissionWindow(shell::AppContext& app, QWidget* parent, TransmissionMode mode, const QString& destination) {
  core::platform::SystemProcesses processes;
  platform::QtMedia media(app.transmitFolder);
  platform::QtPrinters printers;
  platform::QtInteraction ui(parent);
  reports::ReportHost reportHost{*app.db, printers, ui};
  TransmissionHost host{app.transmitFolder, core::delivery::transmissionProgram(app.executableFolder), processes, media,
                        reportHost};
  TfmTransmissao w(host, mode, parent);
  if (!destination.isEmpty()) w.listFolder(destination.toStdString());
  w.exec();
}

void offerTransmission(TransmissionHost& host, const std::filesystem::path& lastWritten, bool& severalFiles) {
  auto& ui = host.reports.ui;
  if (!core::delivery::transmissionProgramExists(host.program)) {
    ui.titledMessage(DialogKind::Information, core::delivery::kProgramMissingTitle,
                     core::delivery::programMissingText(), Buttons::Ok);
    return;
  }
  if (severalFiles) {
    severalFiles = false;
    return;
  }
  if (ui.message(DialogKind::Confirmation, core::delivery::kAskTransmitText, Buttons::YesNo) !=
      core::platform::button::kYes)
    return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto out = core::jobs::transmitDeclaration(host.processes, handOff(host, lastWritten));
  QApplication::restoreOverrideCursor();
  using core::jobs::TransmitResult;
  switch (out.result) {
    case TransmitResult::Transmitted:
    case TransmitResult::ProgramMissing:  // tested above
      break;
    case TransmitResult::NoReceipt:
      ui.message(DialogKind::Warning, noReceiptText(out.run.output), Buttons::Ok);
      break;
    case TransmitResult::InvalidReceipt:
      ui.message(DialogKind::Error, core::delivery::kInvalidReceiptText, Buttons::Ok);
      break;
    case TransmitResult::AlreadyTransmitted:
      ui.message(DialogKind::Warning, core::delivery::kAlreadyTransmittedText, Buttons::Ok);
      break;
    case TransmitResult::NotADeclaration:
      ui.message(DialogKind::Error, notADeclarationText(out.detail), Buttons::Ok);
      break;
    case TransmitResult::HandOffFailed:
    case TransmitResult::ProgramNotStarted:
      ui.message(DialogKind::Error, out.detail, Buttons::Ok);
      break;
  }
  // Bring the program's main window back to the front.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
      main->raise();
      main->activateWindow();
    }
}

void offerTransmissionAfterWrite(shell::AppContext& app, QWidget* parent, const std::filesystem::path& lastWritten,
                                 bool& severalFiles) {
  core::platform::SystemProcesses processes;
  platform::QtMedia media(app.transmitFolder);
  platform::QtPrinters printers;
  platform::QtInteraction ui(parent);
  reports::ReportHost reportHost{*app.db, printers, ui};
  TransmissionHost host{app.transmitFolder, core::delivery::transmissionProgram(app.executableFolder), processes, media,
                        reportHost};
  offerTransmission(host, lastWritten, severalFiles);
}

core::jobs::TransmitSettings handOff(TransmissionHost& host, const std::filesystem::path& declaration) {
  core::jobs::TransmitSettings settings{declaration, host.transmitFolder, host.program};
  settings.waiting = [&host] { host.reports.ui.status("Aguardando o fim de outra entrega ao programa de transmissão ..."); };
  return settings;
}

std::string notADeclarationText(const std::string& detail) {
  return "Não foi possível transmitir a declaração: " + detail + ".";
}

std::string noReceiptText(const std::string& programOutput) {
  std::string text = "A declaração não foi transmitida: o programa de transmissão terminou sem deixar o recibo.";
  if (!programOutput.empty()) text += "\n\n" + programOutput;
  return text;
}

}  // namespace torvex::gui::delivery
