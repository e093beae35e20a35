#pragma once
// The selection rules of the print-declaration wizard, without its window:
// marked establishments, Total or Parcial, marked employees, and what is
// refused before printing. The window shows these lists and messages.
#include <string>
#include <vector>

#include "core/reports/declaration_selection.h"

namespace torvex::core::reports {

inline constexpr const char* kOnePartialAtATime = "Não pode imprimir mais de um estabelecimento parcial por vez.";
inline constexpr const char* kSelectEstablishment = "É necessário selecionar uma empresa antes de imprimir";
inline constexpr const char* kSelectEmployee = "É necessário selecionar um empregado antes de imprimir";

class PrintWizardSelection {
 public:
  void setEstablishments(std::vector<EstablishmentLine> lines);
  const std::vector<EstablishmentLine>& establishments() const { return establishments_; }
  bool establishmentMarked(std::size_t i) const { return marked_.at(i); }

  bool partial() const { return partial_; }
  // Parcial: refused (with the message) while two or more establishments are
  // marked; otherwise the first marked establishment stays the only one and
  // its index is answered (-1 when none), for the caller to list its employees.
  std::string choosePartial(int& establishment);
  void chooseTotal();

  // Total: toggles the mark. Parcial: marks this one alone (or unmarks it) and
  // answers whether it is now marked, so the caller lists its employees.
  bool toggleEstablishment(std::size_t i);

  // The employees of the establishment chosen in Parcial, all unmarked.
  void setEmployees(std::vector<EmployeeLine> lines);
  const std::vector<EmployeeLine>& employees() const { return employees_; }
  bool employeeMarked(std::size_t i) const { return employeeMarked_.at(i); }
  void toggleEmployee(std::size_t i);
  void clearEmployees();     // "Limpar"
  void markAllEmployees();   // "Marcar todos empregados/servidores"

  // "" when printing may go on, else the message that refuses it.
  std::string checkBeforePrint() const;
  // What the declaration reports read.
  DeclarationSelection selection(Classification c, bool descending, bool workTables, std::string baseYear) const;

 private:
  std::vector<EstablishmentLine> establishments_;
  std::vector<bool> marked_;
  std::vector<EmployeeLine> employees_;
  std::vector<bool> employeeMarked_;
  bool partial_ = false;
};

}  // namespace torvex::core::reports
