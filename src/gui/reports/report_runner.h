#pragma once
// Running a report of the catalogue from a window, under the printing rules.
//
// A window shows a report with one call:
//   gui::reports::showReport(this, db, "rptErrosEstrutura", Destination::Preview, {{"anobase", text}});
// Destination::Preview opens "Visualização do Relatório" (warning first when no
// printer is installed); Destination::Printer prints on the default printer, or
// says that none is installed. Base year and version are filled in.
#include <QWidget>
#include <string_view>

#include "core/platform/interaction.h"
#include "core/platform/printers.h"
#include "core/reports/catalogue.h"
#include "core/reports/declaration_selection.h"
#include "core/reports/printing_rules.h"
#include "core/store/database.h"

namespace torvex::gui::reports {

using core::reports::Destination;

// What a report run needs from its host; the one-call form uses the Qt ones.
struct ReportHost {
  core::store::Database& db;
  core::platform::Printers& printers;
  core::platform::Interaction& ui;
};

// Answers whether the report ran (false: no printer for a print, nothing to
// report, or an unknown name; the user was told).
bool showReport(QWidget* parent, core::store::Database& db, std::string_view report, Destination destination,
                core::reports::Parameters parameters = {}, core::reports::DeclarationSelection selection = {});
bool showReport(QWidget* parent, ReportHost& host, std::string_view report, Destination destination,
                core::reports::Parameters parameters = {}, core::reports::DeclarationSelection selection = {});
// The same for a report already laid out (the transmission protocol, built from a receipt).
bool showDocument(QWidget* parent, ReportHost& host, core::reports::Document document, Destination destination);

}  // namespace torvex::gui::reports
