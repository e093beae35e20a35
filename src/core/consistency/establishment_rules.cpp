// The checks of every establishment, in their fixed order.
#include <array>
#include <string>

#include "core/consistency/rules.h"

namespace torvex::core::consistency {
namespace {

const Field kOpenOperation{RecordKind::Establishment, "InOpcaoAberta"};
const Field kYear{RecordKind::Establishment, "AnBase"};

constexpr auto kErr = Severity::Error;
constexpr auto kEst = RecordType::Establishment;

// Check 1: an operation on the establishment was left unfinished.
void openOperation(CheckContext& ctx) {
  const std::string& v = ctx.establishment()[kOpenOperation];
  if (v.empty()) return;
  const char* what = (v == "1" || v == "2" || v == "3") ? "Outras opções"
                     : v == "4"                         ? "Exclusão de estabelecimento"
                                                        : "Atualização de estabelecimento";
  ctx.finding(kErr, kEst, "1677", {{"1666", what}});
}

// Check 2: the establishment belongs to another base year.
void baseYear(CheckContext& ctx) {
  const std::string& y = ctx.establishment()[kYear];
  if (y != kBaseYear) ctx.finding(kErr, kEst, "1911", {{"1658", y}});
}

constexpr std::array kEstablishmentRules{&openOperation, &baseYear};

}  // namespace

std::span<const Rule> establishmentRules() { return kEstablishmentRules; }

}  // namespace torvex::core::consistency
