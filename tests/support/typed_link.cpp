#include "support/typed_link.h"

#include "core/entry/employee_entry.h"
#include "core/validation/formatters.h"
#include "core/validation/value_tests.h"

namespace torvex::test {

void typeLink(core::entry::FieldValues& fields, const Values& link) {
  namespace v = core::validation;
  for (const auto& f : core::entry::EmployeeEntry::fieldOrder()) {
    const auto it = link.find(f);
    if (it == link.end()) continue;
    const std::string& s = it->second;
    if (f.starts_with("Va")) fields[f] = v::formatCents(s, v::AmountPadding::None);
    else if (f.starts_with("Da") && s.size() == 8) fields[f] = core::entry::shownDate(s);
    else if (f.starts_with("Da") && s.size() == 4) fields[f] = s == "0000" ? "" : s.substr(0, 2) + "/" + s.substr(2);
    else if (f.starts_with("In") || f.starts_with("Ho")) fields[f] = s;
    else fields[f] = v::isNotInformed(s) ? "" : s;
  }
}

}  // namespace torvex::test
