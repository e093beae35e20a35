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

void offerTransmissionAfterWrite(shell::AppContext& app, QWidget* parent, const std::filesystem::path& lastWritten,
                                 bool& severalFiles) {
  platform::QtInteraction ui(parent);
  const auto program = core::delivery::transmissionProgram(app.executableFolder);
  if (!core::delivery::transmissionProgramExists(program)) {
    ui.message(DialogKind::Information, core::delivery::programMissingText(), Buttons::Ok);
    return;
  }
  if (severalFiles) {
    severalFiles = false;
    return;
  }
  if (ui.message(DialogKind::Confirmation, core::delivery::kAskTransmitText, Buttons::YesNo) !=
      core::platform::button::kYes)
    return;
  core::platform::SystemProcesses processes;
  const auto out = core::jobs::transmitDeclaration(processes, {lastWritten, app.transmitFolder, program});
  using core::jobs::TransmitResult;
  if (out.result == TransmitResult::NoReceipt)
    ui.message(DialogKind::Warning,
               "A declaração não foi transmitida: o programa de transmissão terminou sem deixar o recibo.\n\n" +
                   out.run.output,
               Buttons::Ok);
  else if (out.result == TransmitResult::InvalidReceipt)
    ui.message(DialogKind::Error, core::delivery::kInvalidReceiptText, Buttons::Ok);
  else if (out.result == TransmitResult::AlreadyTransmitted)
    ui.message(DialogKind::Warning, core::delivery::kAlreadyTransmittedText, Buttons::Ok);
  else if (out.result == TransmitResult::HandOffFailed || out.result == TransmitResult::ProgramNotStarted)
    ui.message(DialogKind::Error, out.detail, Buttons::Ok);
  // Bring the program's main window back to the front.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
      main->raise();
      main->activateWindow();
    }
}

}  // namespace torvex::gui::delivery
