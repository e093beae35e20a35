#pragma once
// An establishment row whose InOpcaoAberta was left filled by an operation that
// did not finish: tell the user which operation it was, then clear the marker.
#include <string>

#include "core/consistency/fields.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::entry {

// Values of BD8Emp.InOpcaoAberta: the operation that set it.
namespace open_operation = consistency::fields::establishment::open_operation;

// The message code for a marker value ("0500".."0504"); empty when none applies.
std::string interruptedOperationMessage(const std::string& marker);

// Looks the establishment up; when its marker is filled, shows the message with
// the establishment's inscription, prefix and name, and empties the marker.
// Answers whether a marker was found.
bool reportAndClearInterrupted(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui,
                               const std::string& baseYear, const std::string& inscription, const std::string& prefix);

}  // namespace torvex::core::entry
