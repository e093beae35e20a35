#pragma once
// The fields of a transmission protocol, one "label: value" line each, as
// `transmitir` and `protocolo` print them, and what the transmission program
// said. Text that comes from the receipt or the program is printed with its
// control characters escaped, never raw to the terminal.
#include <ostream>
#include <string>

#include "core/reports/catalogue.h"

namespace torvex::cli {

void printProtocolFields(const core::reports::Parameters& protocol, std::ostream& out);
// The program's output line by line (nothing when it said nothing).
void printProgramOutput(const std::string& output, std::ostream& out);

}  // namespace torvex::cli
