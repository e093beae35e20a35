#include "core/reports/print_wizard_selection.h"

#include <algorithm>

namespace torvex::core::reports {

void PrintWizardSelection::setEstablishments(std::vector<EstablishmentLine> lines) {
  establishments_ = std::move(lines);
  marked_.assign(establishments_.size(), false);
  setEmployees({});
}

std::string PrintWizardSelection::choosePartial(int& establishment) {
  establishment = -1;
  if (std::count(marked_.begin(), marked_.end(), true) >= 2) {
    partial_ = false;
    return kOnePartialAtATime;
  }
  partial_ = true;
  const auto it = std::find(marked_.begin(), marked_.end(), true);
  if (it != marked_.end()) establishment = static_cast<int>(it - marked_.begin());
  setEmployees({});
  return {};
}

void PrintWizardSelection::chooseTotal() {
  partial_ = false;
  setEmployees({});
}

bool PrintWizardSelection::toggleEstablishment(std::size_t i) {
  const bool now = !marked_.at(i);
  if (partial_) {
    std::fill(marked_.begin(), marked_.end(), false);
    setEmployees({});
  }
  marked_[i] = now;
  return now;
}

void PrintWizardSelection::setEmployees(std::vector<EmployeeLine> lines) {
  employees_ = std::move(lines);
  employeeMarked_.assign(employees_.size(), false);
}

void PrintWizardSelection::toggleEmployee(std::size_t i) { employeeMarked_.at(i) = !employeeMarked_.at(i); }
void PrintWizardSelection::clearEmployees() { std::fill(employeeMarked_.begin(), employeeMarked_.end(), false); }
void PrintWizardSelection::markAllEmployees() { std::fill(employeeMarked_.begin(), employeeMarked_.end(), true); }

std::string PrintWizardSelection::checkBeforePrint() const {
  if (std::find(marked_.begin(), marked_.end(), true) == marked_.end()) return kSelectEstablishment;
  if (partial_ && std::find(employeeMarked_.begin(), employeeMarked_.end(), true) == employeeMarked_.end())
    return kSelectEmployee;
  return {};
}

DeclarationSelection PrintWizardSelection::selection(Classification c, bool descending, bool workTables,
                                                     std::string baseYear) const {
  DeclarationSelection s;
  s.workTables = workTables;
  s.baseYear = std::move(baseYear);
  s.classification = c;
  s.descending = descending;
  s.partial = partial_;
  for (std::size_t i = 0; i < establishments_.size(); ++i)
    if (marked_[i]) s.establishments.push_back(establishments_[i].key);
  if (partial_)
    for (std::size_t i = 0; i < employees_.size(); ++i)
      if (employeeMarked_[i]) s.employees.push_back(employees_[i].key);
  return s;
}

}  // namespace torvex::core::reports
