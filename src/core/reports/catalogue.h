#pragma once
// The catalogue of reports: one definition per report, which reads named
// parameters and named data sets and lays the report out as a Document.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/document.h"
#include "core/reports/row.h"

namespace torvex::core::reports {

using Parameters = std::map<std::string, std::string, std::less<>>;

// Which data the report reads, so that callers know what to prepare.
enum class ReportSource { Errors, Structure, Import, Protocol, Declaration, Layout, Receipt };

struct ReportDefinition {
  std::string_view name;         // "rptErros"
  std::string_view description;  // one line for lists ("relatorio --lista")
  ReportSource source;
  std::function<Document(const Parameters&, DataSets&)> build;
};

const std::vector<ReportDefinition>& reportCatalogue();
// nullptr when there is no report of that name (names compare without case).
const ReportDefinition* findReport(std::string_view name);

// The parameters every command passes to a report: base year, version and the
// names each report reads them under (AnoBase, AnoBase1, Versao, VersaoEditada,
// TipoRelatorio, Classificacao). Values already in `given` are kept.
Parameters standardParameters(std::string_view reportName, Parameters given = {});

// Builds the report; a report with no rows says so in Document::nothingToReport.
Document buildReport(const ReportDefinition& report, const Parameters& parameters, DataSets& data);

// The parameter text of a value, "" when absent.
const std::string& parameter(const Parameters& p, std::string_view name);

// The builders, one per file of the catalogue.
Document buildErrorReport(const Parameters& p, DataSets& data);
Document buildStructureReport(const Parameters& p, DataSets& data);
Document buildImportReport(const Parameters& p, DataSets& data);
Document buildProtocolReport(const Parameters& p, DataSets& data);
Document buildLabelReport(const Parameters& p, DataSets& data);
Document buildCompleteReport(const Parameters& p, DataSets& data);
Document buildSummaryReport(const Parameters& p, DataSets& data);
Document buildLayoutReport(const Parameters& p, DataSets& data);
Document buildTransmissionReport(const Parameters& p, DataSets& data);

}  // namespace torvex::core::reports
