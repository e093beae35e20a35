#include "core/reports/declaration_selection.h"

#include "core/reports/display_rules.h"
#include "core/validation/text_ops.h"

namespace torvex::core::reports {
namespace {

using validation::fitLeft;

std::string tables(bool workTables, bool links) {
  if (workTables) return links ? "Te8vinc" : "Te8emp";
  return links ? "BD8Vinc" : "BD8Emp";
}

std::string digitsOf(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c >= '0' && c <= '9') out += c;
  return out;
}

}  // namespace

std::string_view classificationText(Classification c) {
  switch (c) {
    case Classification::Pis: return "código PIS/PASEP";
    case Classification::Nome: return "Nome do empregado";
    case Classification::Uso: return "Para uso da empresa";
  }
  return {};
}

std::string_view classificationColumn(Classification c) {
  switch (c) {
    case Classification::Pis: return "CoPisPasepEmpregado";
    case Classification::Nome: return "NoEmpregado";
    case Classification::Uso: return "TxUsoEmpregado";
  }
  return {};
}

std::vector<EstablishmentLine> establishmentLines(store::Database& db, bool workTables, std::string_view baseYear) {
  std::vector<EstablishmentLine> out;
  const std::string table = tables(workTables, false);
  if (!db.tableExists(table)) return out;
  auto s = db.prepare("SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, "
                      "InInscrEstabelecimento FROM " + table +
                      " WHERE AnBase = :a ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
  s.bind(":a", baseYear);
  while (s.step()) {
    EstablishmentLine l;
    l.key = {s.text(0), s.text(1)};
    l.name = s.text(2);
    l.kind = s.text(3);
    l.text = fitLeft(displayInscription(l.key.inscription, l.kind), 18) + "    " + fitLeft(l.key.prefix, 2) + "    " +
             l.name;
    out.push_back(std::move(l));
  }
  return out;
}

std::string employeeLineText(const EmployeeKey& k, std::string_view uso, Classification c) {
  const std::string pis = displayPis(k.pis), date = displayDate8(k.admission);
  switch (c) {
    case Classification::Pis: return pis + "  " + date + "  " + fitLeft(k.name, 30) + "  " + std::string(uso);
    case Classification::Nome: return fitLeft(k.name, 30) + "  " + pis + "  " + date + "  " + std::string(uso);
    case Classification::Uso: return fitLeft(uso, 13) + "  " + pis + "  " + date + "  " + k.name;
  }
  return {};
}

std::vector<EmployeeLine> employeeLines(store::Database& db, bool workTables, std::string_view baseYear,
                                        const EstablishmentKey& e, Classification c, bool descending) {
  std::vector<EmployeeLine> out;
  const std::string table = tables(workTables, true);
  if (!db.tableExists(table)) return out;
  const std::string dir = descending ? " DESC" : "";
  auto s = db.prepare("SELECT CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, TxUsoEmpregado FROM " + table +
                      " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p "
                      "ORDER BY " + std::string(classificationColumn(c)) + dir + ", rowid" + dir);
  s.bind(":a", baseYear).bind(":i", e.inscription).bind(":p", e.prefix);
  while (s.step()) {
    EmployeeLine l;
    l.key = {s.text(0), s.text(1), s.text(2)};
    l.usoEmpresa = s.text(3);
    l.text = employeeLineText(l.key, l.usoEmpresa, c);
    out.push_back(std::move(l));
  }
  return out;
}

bool isMarked(const std::vector<EmployeeKey>& marked, const EmployeeKey& link) {
  const bool noPis = link.pis == "00000000000";
  for (const auto& m : marked)
    if (m.pis == link.pis && m.admission == link.admission && (!noPis || m.name == link.name)) return true;
  return false;
}

bool parseEstablishmentArgument(std::string_view text, EstablishmentKey& key) {
  text = validation::trimBlanks(text);
  std::string_view inscription = text, prefix;
  const auto slash = text.rfind('/');
  if (slash != std::string_view::npos && text.size() - slash - 1 <= 2 && slash + 1 < text.size()) {
    inscription = text.substr(0, slash);
    prefix = text.substr(slash + 1);
  }
  for (char c : inscription)
    if (!(c >= '0' && c <= '9') && c != '.' && c != '/' && c != '-') return false;
  const std::string digits = digitsOf(inscription);
  if (digits.size() < 11 || digits.size() > 14) return false;
  if (!prefix.empty() && digitsOf(prefix).size() != prefix.size()) return false;
  key.inscription = std::string(14 - digits.size(), '0') + digits;
  key.prefix = prefix.empty() ? std::string() : std::string(2 - prefix.size(), '0') + std::string(prefix);
  return true;
}

}  // namespace torvex::core::reports
