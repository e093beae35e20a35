#pragma once
// The transmission window: lists the declaration files of a drive with their
// state ("Gravada", "Transmitida", "Retificadora"), hands the selected ones to
// the transmission program (transmit mode) or checks their receipts and
// previews the transmission protocol (print mode).
#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "core/delivery/transmission.h"
#include "core/jobs/transmit_job.h"
#include "core/platform/media.h"
#include "core/platform/processes.h"
#include "core/reports/catalogue.h"
#include "gui/delivery/transmission_commands.h"
#include "gui/reports/report_runner.h"

class QTreeWidget;
class QPushButton;

namespace Ui {
class TfmTransmissao;
}

namespace torvex::gui::delivery {

// What the window works with; the program passes the real ones, tests fakes.
struct TransmissionHost {
  std::filesystem::path transmitFolder;  // `Transmite`: drive C and the hand-off file
  std::filesystem::path program;         // the transmission program
  core::platform::Processes& processes;
  const core::platform::Media& media;
  reports::ReportHost& reports;          // also the dialogs (reports.ui)
};

// The offer made after a write (see offerTransmissionAfterWrite), with the host's parts.
void offerTransmission(TransmissionHost& host, const std::filesystem::path& lastWritten, bool& severalFiles);
// What the user reads when the transmission program left no receipt: its own words follow.
std::string noReceiptText(const std::string& programOutput);
// What the user reads when the chosen file cannot be handed off (`detail` says why).
std::string notADeclarationText(const std::string& detail);
// The hand-off of `declaration` with the host's parts; while another hand-off
// from the same folder is under way the status line says that this one waits.
core::jobs::TransmitSettings handOff(TransmissionHost& host, const std::filesystem::path& declaration);

class TfmTransmissao : public QDialog {
  Q_OBJECT
 public:
  TfmTransmissao(TransmissionHost& host, TransmissionMode mode, QWidget* parent = nullptr);
  ~TfmTransmissao() override;

  // "C:" (the `Transmite` folder), "A:" (the removable disk), or any folder.
  void listDriveC();
  void listDriveA();
  void listFolder(const std::filesystem::path& folder);
  // "&Transmitir" and "&Imprime" on the selected lines.
  void transmitSelected();
  void printSelected();

  QTreeWidget* list() const;
  const std::vector<core::delivery::ListedDeclaration>& lines() const { return lines_; }
  // Shows the protocol of a valid receipt of `declaration`; by default the
  // Transmissao report in the preview (its PDF never saved over the declaration or its receipt).
  std::function<void(const core::reports::Parameters&, const std::filesystem::path& declaration)> showProtocol;

 private:
  void clearList();
  std::vector<int> selectedLines() const;
  void updateButtons();
  void tell(core::platform::DialogKind kind, const std::string& text);

  TransmissionHost& host_;
  TransmissionMode mode_;
  std::unique_ptr<Ui::TfmTransmissao> ui_;
  std::vector<core::delivery::ListedDeclaration> lines_;
  std::filesystem::path listed_;  // the folder the lines come from
};

}  // namespace torvex::gui::delivery
