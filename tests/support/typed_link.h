#pragma once
// A stored link's values as the employee window shows them, for tests that
// key a link in through its rules: amounts as money, dates with their slashes,
// "not informed" as an empty field.
#include "core/entry/entry_form.h"
#include "support/declaration_samples.h"

namespace torvex::test {

// Puts into `fields` each field of the employee window that `link` has, as typed.
void typeLink(core::entry::FieldValues& fields, const Values& link);

}  // namespace torvex::test
