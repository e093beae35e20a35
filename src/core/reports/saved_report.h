#pragma once
// Where a report may be saved as a file: never over a file of the data folder
// (its databases, their journals and its locks) nor over a file the report is
// made from, whether named directly or reached through a symbolic link.
#include <filesystem>
#include <string>

#include "core/reports/document.h"

namespace torvex::core::reports {

// Why `document` must not be saved as `target` (Portuguese, for the user);
// empty when it may.
std::string savedReportProblem(const std::filesystem::path& target, const Document& document,
                               const std::filesystem::path& dataFolder);

}  // namespace torvex::core::reports
