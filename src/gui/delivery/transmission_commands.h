#pragma once
// What other windows call to hand a declaration to the transmission program:
// the transmission window (transmit or print-protocol mode), and the offer
// made after a declaration file has been written.
//
//   delivery::openTransmissionWindow(app, this, delivery::TransmissionMode::Transmit);
//   delivery::offerTransmissionAfterWrite(app, this, lastWrittenPath, severalFiles);
#include <QString>
#include <filesystem>

class QWidget;

namespace torvex::gui::shell {
struct AppContext;
}

namespace torvex::gui::delivery {

enum class TransmissionMode {
  Transmit,  // "Transmitir Declaração"
  Print,     // "Imprimir Protocolo de Transmissão"
};

// Opens the transmission window modally. `destination`, when given, is the
// folder listed at once (for example the folder a file was just written to);
// otherwise the list starts empty until the user picks a drive.
void openTransmissionWindow(shell::AppContext& app, QWidget* parent, TransmissionMode mode,
                            const QString& destination = {});

// The hand-off offered when the write wizard closes after writing. With the
// transmission program installed: a run that wrote several files offers
// nothing (each file is sent from "Transmitir Declaração"; the indicator is
// cleared), otherwise "Deseja Transmitir a Declaração?" and on Yes the last
// written file is handed off and awaited. Without the program: the message
// that it is missing.
void offerTransmissionAfterWrite(shell::AppContext& app, QWidget* parent, const std::filesystem::path& lastWritten,
                                 bool& severalFiles);

}  // namespace torvex::gui::delivery
