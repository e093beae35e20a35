// The checks of the responsible party, in their fixed order.
#include <array>
#include <string>

#include "core/consistency/fields.h"
#include "core/consistency/rule_support.h"
#include "core/consistency/rules.h"
#include "core/validation/establishment_validators.h"

namespace torvex::core::consistency {
namespace {

using namespace rules;
using namespace fields::responsible;
namespace v = validation;


constexpr auto kErr = Severity::Error;
constexpr auto kWar = Severity::Warning;
constexpr auto kResp = RecordType::Responsible;
constexpr int kBase = product::kBaseYearNumber;

bool acceptedNumber(Code c) { return c == "0050" || c == "0051" || c == "0052" || c == "0056"; }

std::string kindShownResponsible(std::string_view k) {
  if (k == "1") return "1 (CNPJ)";
  if (k == "3") return "3 (CEI)";
  if (k == "4") return "4 (CPF)";
  return std::string(k);
}

// Check 1: the number is tried as the declared kind first, then as the other.
void inscription(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const std::string& n = r[kInscription];
  const std::string& k = r[kKind];
  Code first, second = v::kValid;
  if (k == "4") {
    first = v::checkResponsibleInscription(n, 11);
    if (first != "0000" && first != "0056") second = v::checkEstablishmentInscription(n);
  } else {
    first = v::checkEstablishmentInscription(n);
    if (first != "0000" && first != "0051" && first != "0052" && first != "0050")
      second = v::checkResponsibleInscription(n, 11);
  }
  if (!acceptedNumber(second) && !(passed(first) || acceptedNumber(first))) {
    ctx.finding(kErr, kResp, first, {{"1599", n}});
    return;
  }
  const Code kindCode = v::checkResponsibleInscriptionKind(k);
  if (!passed(kindCode)) {
    ctx.finding(kErr, kResp, kindCode, {{"1601", kindShownResponsible(k)}});
    return;
  }
  report(ctx, kErr, kResp, v::checkKindMatchesNumber(n, k), {{"1601", kindShownResponsible(k)}, {"1599", n}});
}

void name(CheckContext& ctx) {
  const auto n = trimmed(ctx.responsible()[kName]);
  report(ctx, kErr, kResp, v::checkName(n, ""), {{"1604", n}});
}

void street(CheckContext& ctx) {
  const auto s = trimmed(ctx.responsible()[kStreet]);
  report(ctx, kErr, kResp, v::checkStreet(s), {{"1605", s}});
}

void number(CheckContext& ctx) {
  const auto& n = ctx.responsible()[kNumber];
  report(ctx, kErr, kResp, v::checkStreetNumber(n), {{"1606", n}});
}

void complement(CheckContext& ctx) {
  const auto c = trimmed(ctx.responsible()[kComplement]);
  if (report(ctx, kErr, kResp, v::checkComplement(c), {{"1607", c}})) return;
  const auto& n = ctx.responsible()[kNumber];
  report(ctx, kErr, kResp, v::checkNumberOrComplement(n, c), {{"1606", n}, {"1607", c}});
}

void district(CheckContext& ctx) {
  const auto d = trimmed(ctx.responsible()[kDistrict]);
  report(ctx, kErr, kResp, v::checkDistrict(d), {{"1608", d}});
}

void cep(CheckContext& ctx) {
  const auto& c = ctx.responsible()[kCep];
  report(ctx, kErr, kResp, v::checkCep(c), {{"1609", c}});
}

void municipality(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const auto& m = r[kMunicipality];
  if (report(ctx, kErr, kResp, v::checkMunicipality(ctx.reference(), m), {{"1610", m}})) return;
  report(ctx, kWar, kResp, v::checkCepInMunicipality(ctx.reference(), r[kCep], m, true),
         {{"1609", r[kCep]}, {"1610", m}});
}

void municipalityName(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const auto n = trimmed(r[kMunicipalityName]);
  report(ctx, kWar, kResp, v::checkMunicipalityName(ctx.reference(), r[kMunicipality], n), {{"3667", n}});
}

std::string stateCode(const CheckContext& ctx, std::string_view sgUf) {
  return ctx.reference().stateCodeByAbbreviation(sgUf).value_or("");
}

void state(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const auto uf = trimmed(r[kState]);
  if (report(ctx, kErr, kResp, v::checkState(ctx.reference(), uf), {{"1612", uf}})) return;
  report(ctx, kErr, kResp, v::checkStateOfMunicipality(ctx.reference(), r[kMunicipality], uf),
         {{"1610", r[kMunicipality]}, {"1612", uf}});
  report(ctx, kErr, kResp, v::checkCepInState(ctx.reference(), r[kCep], stateCode(ctx, uf)),
         {{"1609", r[kCep]}, {"1612", uf}});
}

void areaCode(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const auto ddd = trimmed(r[kDdd]);
  if (report(ctx, kErr, kResp, v::checkAreaCode(ddd), {{"1613", ddd}})) return;
  const auto uf = trimmed(r[kState]);
  report(ctx, kWar, kResp, v::checkAreaCodeOfState(ddd, stateCode(ctx, uf)), {{"1612", uf}, {"1613", ddd}});
}

void phone(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const auto p = trimmed(r[kPhone]);
  if (report(ctx, kErr, kResp, v::checkPhone(p), {{"1614", p}})) return;
  const auto ddd = trimmed(r[kDdd]);
  report(ctx, kErr, kResp, v::checkPhonePairing(ddd, p), {{"1613", ddd}, {"1614", p}});
}

void rectificationDate(CheckContext& ctx) {
  const Record& r = ctx.responsible();
  const bool flagged = r[kRectification] == "1";
  const auto& d = r[kRectificationDate];
  report(ctx, kErr, kResp, v::checkRectificationDate(flagged, d, kBase),
         {{"1615", d}, {"1660", flagged ? "Assinalado para retificação" : "Não assinalado"}});
}

void generationDate(CheckContext& ctx) {
  const auto& d = ctx.responsible()[kGenerationDate];
  report(ctx, kErr, kResp, v::checkGenerationDate(d, kBase), {{"1616", d}});
}

// The e-mail is not one of the trimmed text fields: its row shows it as stored.
void email(CheckContext& ctx) {
  const auto& e = ctx.responsible()[kEmail];
  report(ctx, kErr, kResp, v::checkEmail(e), {{"1617", e}});
}

constexpr std::array kResponsibleRules{&inscription, &name,  &street,   &number,    &complement,
                                       &district,    &cep,   &municipality, &municipalityName,
                                       &state,       &areaCode, &phone,  &rectificationDate,
                                       &generationDate, &email};

}  // namespace

std::span<const Rule> responsibleRules() { return kResponsibleRules; }

bool isFileOnlyResponsibleRule(Rule rule) { return rule == &rectificationDate || rule == &generationDate; }

}  // namespace torvex::core::consistency
