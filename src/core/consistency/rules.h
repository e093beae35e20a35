#pragma once
// The rule sets the engine applies, each an ordered table of small functions.
#include <cstdint>
#include <span>

#include "core/consistency/check_context.h"

namespace torvex::core::consistency {

using Rule = void (*)(CheckContext&);

// Responsible-party checks, on the first row of the responsible table.
std::span<const Rule> responsibleRules();
// Whether a responsible check is about a field that only a loaded declaration
// file fills (rectification date, generation date): a keyed-in row leaves them empty.
bool isFileOnlyResponsibleRule(Rule rule);
// Checks of every establishment visited.
std::span<const Rule> establishmentRules();
// Checks of every link visited.
std::span<const Rule> linkRules();
// The rules on an establishment's set of links, given how many links it has.
void applyEstablishmentLinkRules(CheckContext& ctx, std::int64_t linkCount);

}  // namespace torvex::core::consistency
