#pragma once
// "Assistente para Verificar Inconsistências das Declarações": introduction,
// the establishments to check (the check runs there, with progress and
// Cancel), and what was found, with the findings report on screen or printed.
// It changes no declaration; the run rewrites the error table.
#include <QDialog>
#include <memory>

#include "core/consistency/check_engine.h"
#include "core/platform/printers.h"
#include "core/reports/printing_rules.h"
#include "gui/importing/page_interaction.h"

namespace Ui {
class TfmVerificar;
}

namespace torvex::gui::delivery {
class EstablishmentTicks;
}

namespace torvex::gui::consistency {

struct VerifyWizardHost {
  core::store::Database& db;
  const core::store::ReferenceLookup& reference;
  core::platform::Interaction& ui;
  core::platform::Printers& printers;
};

class TfmVerificar : public QDialog {
  Q_OBJECT
 public:
  enum class Page { Introducao, Selecao, Resultado };

  explicit TfmVerificar(VerifyWizardHost& host, QWidget* parent = nullptr);
  ~TfmVerificar() override;

  Page page() const;
  // The outcome of the last finished check.
  const core::consistency::CheckOutcome& outcome() const { return outcome_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void showPage(Page page);
  bool fillList();
  void verify();
  void showSelection();
  void showResult();
  void showReport(core::reports::Destination destination);

  VerifyWizardHost& host_;
  std::unique_ptr<Ui::TfmVerificar> ui_;
  delivery::EstablishmentTicks* ticks_;
  importing::PageInteraction run_;
  core::consistency::CheckOutcome outcome_;
  bool filled_ = false;
  bool running_ = false;
};

}  // namespace torvex::gui::consistency
