#pragma once
// "Assistente para Imprimir Declaração": choice of what to print, report type,
// classification and order, then the establishments (and in "Parcial" the
// employees) to print. The lists show every row of the source tables; the
// employee list is read only when an establishment is chosen in "Parcial".
#include <QDialog>
#include <memory>

#include "core/reports/print_wizard_selection.h"
#include "gui/reports/report_runner.h"

namespace Ui {
class PrintWizard;
}

namespace torvex::gui::reports {

class PrintWizard : public QDialog {
  Q_OBJECT
 public:
  enum class Start { Choice, ReportType };
  // The tables are BD8Emp/BD8Vinc, or the work tables of a consulted file.
  PrintWizard(ReportHost& host, Start start, bool workTables = false, QWidget* parent = nullptr);
  ~PrintWizard() override;

  // Set when the user chose "Imprimir o Protocolo de Transmissão" on the first page.
  bool protocolChosen() const { return protocolChosen_; }
  const core::reports::PrintWizardSelection& selection() const { return selection_; }
  std::string reportName() const;
  core::reports::Classification classification() const;
  bool descending() const;
  void goToPage(int index);
  int currentPage() const;
  // Runs the chosen report after the refusals of the last page (Vi&sualizar / &Imprimir).
  bool runReport(Destination destination);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void next();
  void back();
  void fillEstablishments();
  void fillEmployees(int establishment);
  void establishmentClicked(int row);
  void employeeClicked(int row);
  void partialToggled(bool partial);
  void syncChecks();
  void updateButtons();

  std::unique_ptr<Ui::PrintWizard> ui_;
  ReportHost& host_;
  bool workTables_;
  int firstPage_;
  bool protocolChosen_ = false;
  bool syncing_ = false;
  core::reports::PrintWizardSelection selection_;
};

}  // namespace torvex::gui::reports
