#pragma once
// "Assistente para Gravação ": the five pages that write the declaration —
// introduction, the establishments to write, the responsible row and the
// check, the check's outcome with the generation date and the drive, and the
// receipt, label and transmission offers once written. The rectification
// enters at the responsible page and writes the work tables.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/entry/responsible_entry.h"
#include "core/jobs/write_declaration_job.h"
#include "core/platform/media.h"
#include "core/platform/printers.h"
#include "core/reports/printing_rules.h"
#include "gui/delivery/write_wizard_commands.h"
#include "gui/importing/page_interaction.h"

namespace Ui {
class TfmGravacao;
}

namespace torvex::gui::entry {
class EntrySession;
class FieldGuard;
}  // namespace torvex::gui::entry

namespace torvex::gui::delivery {

class EstablishmentTicks;

struct WriteWizardHost {
  entry::EntrySession& session;  // data folder, reference look-ups, dialogs, code lists
  const core::platform::Media& media;
  core::platform::Printers& printers;
  // The hand-off offered when the wizard closes after writing: the last file
  // written and the several-files indicator (which it may clear). Empty: none.
  std::function<void(const std::filesystem::path& lastWritten, bool& severalFiles)> offerTransmission;
};

class TfmGravacao : public QDialog {
  Q_OBJECT
 public:
  enum class Page { Introducao, Estabelecimentos, Responsavel, Gravacao, Fim };

  TfmGravacao(WriteWizardHost& host, WriteWizardOptions options, QWidget* parent = nullptr);
  ~TfmGravacao() override;

  Page page() const;
  // Closed by "< Voltar" on the first page shown (the rectification's own pages come back).
  bool wentBack() const;
  // The outcome of the last check or write run.
  const core::jobs::WriteJobOutcome& outcome() const { return outcome_; }

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void showPage(Page page);
  void advance();
  void back();
  void chooseEstablishments();
  void checkDeclarations();
  void showFields();
  void showOutcomePanel();
  void writeFiles();
  void showWritingPanel(bool writing);
  void finish();

  // Generation date and drive: true when accepted; a refusal shows its message
  // and puts the focus back on the field.
  core::entry::FieldOutcome dateOutcome() const;
  bool acceptDate();
  bool acceptDrive();

  void showErrorReport(core::reports::Destination destination);
  void printProtocolReport(const char* report);

  core::entry::FieldOutcome leaveField(const QString& field);
  void chooseMunicipality();

  WriteWizardHost& host_;
  WriteWizardOptions options_;
  std::unique_ptr<Ui::TfmGravacao> ui_;
  EstablishmentTicks* ticks_;
  core::entry::ResponsibleEntry responsible_;
  entry::FieldGuard* guard_;
  importing::PageInteraction run_;
  core::jobs::WriteSettings settings_;
  core::jobs::WriteJobOutcome prepared_;  // the finished check, kept for every write attempt
  core::jobs::WriteJobOutcome outcome_;
  bool running_ = false;
  bool wentBack_ = false;
};

}  // namespace torvex::gui::delivery
