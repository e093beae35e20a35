#include "gui/reports/report_runner.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "core/reports/database_data_sets.h"
#include "gui/platform/qt_interaction.h"
#include "gui/platform/qt_printers.h"
#include "gui/reports/report_preview.h"
#include "reports/report_renderer.h"

namespace torvex::gui::reports {

namespace rep = core::reports;

bool showDocument(QWidget* parent, ReportHost& host, rep::Document document, Destination destination) {
  const rep::PrintPlan plan = rep::planPrint(destination, host.printers, host.ui);
  if (!plan.run) return false;
  if (document.nothingToReport) {
    host.ui.message(core::platform::DialogKind::Information, document.nothingMessage, core::platform::Buttons::Ok);
    return false;
  }
  if (destination == Destination::Preview) {
    ReportPreview preview(std::move(document), plan.printingAllowed, parent, host.db.folder());
    preview.exec();
    return true;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QString::fromStdString(host.printers.defaultPrinter()));
  printer.setDocName(QString::fromStdString(document.title));
  host.ui.status("Imprimindo ...");
  torvex::reports::ReportRenderer renderer(document, torvex::reports::emissionNow());
  return renderer.paintAll(printer);
}

bool showReport(QWidget* parent, ReportHost& host, std::string_view report, Destination destination,
                rep::Parameters parameters, rep::DeclarationSelection selection) {
  const rep::ReportDefinition* def = rep::findReport(report);
  if (!def) return false;
  rep::DatabaseDataSets data(host.db, std::move(selection));
  rep::Document doc = rep::buildReport(*def, rep::standardParameters(def->name, std::move(parameters)), data);
  return showDocument(parent, host, std::move(doc), destination);
}

bool showReport(QWidget* parent, core::store::Database& db, std::string_view report, Destination destination,
                rep::Parameters parameters, rep::DeclarationSelection selection) {
  platform::QtPrinters printers;
  platform::QtInteraction ui(parent);
  ReportHost host{db, printers, ui};
  return showReport(parent, host, report, destination, std::move(parameters), std::move(selection));
}

}  // namespace torvex::gui::reports
