#pragma once
// The fields of a transmission protocol, one "label: value" line each, as
// `transmitir` and `protocolo` print them.
#include <ostream>

#include "core/reports/catalogue.h"

namespace torvex::cli {

void printProtocolFields(const core::reports::Parameters& protocol, std::ostream& out);

}  // namespace torvex::cli
