#pragma once
// What the print-declaration wizard (and `torvex-cli relatorio`) chooses for the
// declaration reports: the establishments, Total or Parcial with the marked
// employees, the classification and its order; and the list lines the wizard shows.
#include <string>
#include <string_view>
#include <vector>

#include "core/store/database.h"

namespace torvex::core::reports {

enum class Classification { Pis, Nome, Uso };

// The `Classificacao` parameter text of a classification.
std::string_view classificationText(Classification c);
// The employee column a classification orders by.
std::string_view classificationColumn(Classification c);

struct EstablishmentKey {
  std::string inscription;  // 14 characters as stored
  std::string prefix;       // 2 characters; empty: every prefix of the inscription
  bool operator==(const EstablishmentKey&) const = default;
};

// An employee link marked in "Parcial": PIS and admission date, and the name
// too when the PIS is "00000000000" (links without PIS differ only by name).
struct EmployeeKey {
  std::string pis, admission, name;
  bool operator==(const EmployeeKey&) const = default;
};

struct DeclarationSelection {
  bool workTables = false;       // Te8emp/Te8vinc (a consulted file) instead of BD8Emp/BD8Vinc
  std::string baseYear = "2006";
  std::vector<EstablishmentKey> establishments;  // empty: every establishment of the base year
  bool partial = false;          // only `employees`, of one establishment
  std::vector<EmployeeKey> employees;
  Classification classification = Classification::Pis;
  bool descending = false;
};

// One line of the wizard's establishment list, with what it stands for.
struct EstablishmentLine {
  EstablishmentKey key;
  std::string kind, name;
  std::string text;  // inscription display (18) + 4 blanks + prefix + 4 blanks + name
};

struct EmployeeLine {
  EmployeeKey key;
  std::string usoEmpresa;
  std::string text;  // by classification, see employeeLineText
};

// Every establishment of the base year in the source table, in key order.
std::vector<EstablishmentLine> establishmentLines(store::Database& db, bool workTables, std::string_view baseYear);
// The links of one establishment of the base year, ordered by the classification column.
std::vector<EmployeeLine> employeeLines(store::Database& db, bool workTables, std::string_view baseYear,
                                        const EstablishmentKey& establishment, Classification c, bool descending);
// The line text of a link: PIS, date, name (30), use text; or name, PIS, date,
// use; or use text (13), PIS, date, name; parts joined by two blanks.
std::string employeeLineText(const EmployeeKey& key, std::string_view usoEmpresa, Classification c);

// Whether a link is one of the marked employees.
bool isMarked(const std::vector<EmployeeKey>& marked, const EmployeeKey& link);

// "11222333000181/00", "11.222.333/0001-81/00", "11222333000181" (every prefix):
// the key of an establishment given on the command line; false when it is not one.
bool parseEstablishmentArgument(std::string_view text, EstablishmentKey& key);

}  // namespace torvex::core::reports
