// The checks of every establishment, in their fixed order.
#include <array>
#include <string>

#include "core/consistency/fields.h"
#include "core/consistency/rule_support.h"
#include "core/consistency/rules.h"
#include "core/validation/establishment_validators.h"

namespace torvex::core::consistency {
namespace {

using namespace rules;
using namespace fields::establishment;
namespace v = validation;


constexpr auto kErr = Severity::Error;
constexpr auto kWar = Severity::Warning;
constexpr auto kEst = RecordType::Establishment;

const Record& est(const CheckContext& ctx) { return ctx.establishment(); }

// A simple check: one validator on one field, one row.
void field(CheckContext& ctx, Code code, std::string_view label, std::string_view content) {
  report(ctx, kErr, kEst, code, {{label, content}});
}

// Check 1: an operation on the establishment was left unfinished. The finding
// names the establishment's deletion as such, the employees' transfer or deletion
// (and "2", which no operation sets) as other operations, anything else as an update.
void openOperation(CheckContext& ctx) {
  namespace op = open_operation;
  const std::string& marker = est(ctx)[kOpenOperation];
  if (marker.empty()) return;
  const char* what = marker == op::kDeletion ? "Exclusão de estabelecimento"
                     : (marker == "2" || marker == op::kTransfer || marker == op::kEmployeeDeletion)
                         ? "Outras opções"
                         : "Atualização de estabelecimento";
  ctx.finding(kErr, kEst, "1677", {{"1666", what}});
}

// Check 2: the establishment belongs to another base year.
void baseYear(CheckContext& ctx) {
  const std::string& y = est(ctx)[kYear];
  if (y != kBaseYear) ctx.finding(kErr, kEst, "1911", {{"1658", y}});
}

void inscription(CheckContext& ctx) {
  const auto& n = est(ctx)[kInscription];
  const Code c = v::checkEstablishmentInscription(n);
  if (c != "0050" && c != "0051" && c != "0052") ctx.finding(kErr, kEst, c, {{"1600", n}});
}

void inscriptionKind(CheckContext& ctx) {
  const auto& k = est(ctx)[kKind];
  const std::string shown = kindShown(k);
  if (report(ctx, kErr, kEst, v::checkEstablishmentInscriptionKind(k), {{"1601", shown}})) return;
  const auto& n = est(ctx)[kInscription];
  report(ctx, kErr, kEst, v::checkKindMatchesNumber(n, k), {{"1601", shown}, {"1600", n}});
}

void prefix(CheckContext& ctx) { field(ctx, v::checkPrefix(est(ctx)[kPrefix]), "1602", est(ctx)[kPrefix]); }

void name(CheckContext& ctx) {
  const auto n = trimmed(est(ctx)[kName]);
  field(ctx, v::checkName(n, est(ctx)[kInscription]), "1604", n);
}

void street(CheckContext& ctx) {
  const auto s = trimmed(est(ctx)[kStreet]);
  field(ctx, v::checkStreet(s), "1605", s);
}

void number(CheckContext& ctx) { field(ctx, v::checkStreetNumber(est(ctx)[kNumber]), "1606", est(ctx)[kNumber]); }

void complement(CheckContext& ctx) {
  const auto c = trimmed(est(ctx)[kComplement]);
  if (report(ctx, kErr, kEst, v::checkComplement(c), {{"1607", c}})) return;
  const auto& n = est(ctx)[kNumber];
  report(ctx, kErr, kEst, v::checkNumberOrComplement(n, c), {{"1606", n}, {"1607", c}});
}

void district(CheckContext& ctx) {
  const auto d = trimmed(est(ctx)[kDistrict]);
  field(ctx, v::checkDistrict(d), "1608", d);
}

void cep(CheckContext& ctx) { field(ctx, v::checkCep(est(ctx)[kCep]), "1609", est(ctx)[kCep]); }

void municipality(CheckContext& ctx) {
  const auto& m = est(ctx)[kMunicipality];
  const auto& c = est(ctx)[kCep];
  if (report(ctx, kErr, kEst, v::checkMunicipality(ctx.reference(), m), {{"1610", m}})) return;
  if (!passed(v::checkCep(c))) return;
  report(ctx, kWar, kEst, v::checkCepInMunicipality(ctx.reference(), c, m, true), {{"1609", c}, {"1610", m}});
}

void municipalityName(CheckContext& ctx) {
  const auto n = trimmed(est(ctx)[kMunicipalityName]);
  report(ctx, kWar, kEst, v::checkMunicipalityName(ctx.reference(), est(ctx)[kMunicipality], n), {{"3667", n}});
}

std::string stateCode(const CheckContext& ctx) {
  return ctx.reference().stateCodeByAbbreviation(trimmed(est(ctx)[kState])).value_or("");
}

void state(CheckContext& ctx) {
  const auto uf = trimmed(est(ctx)[kState]);
  if (report(ctx, kErr, kEst, v::checkState(ctx.reference(), uf), {{"1612", uf}})) return;
  const auto& m = est(ctx)[kMunicipality];
  report(ctx, kErr, kEst, v::checkStateOfMunicipality(ctx.reference(), m, uf), {{"1610", m}, {"1612", uf}});
  const auto& c = est(ctx)[kCep];
  report(ctx, kErr, kEst, v::checkCepInState(ctx.reference(), c, stateCode(ctx)), {{"1609", c}, {"1612", uf}});
}

void areaCode(CheckContext& ctx) {
  const auto ddd = trimmed(est(ctx)[kDdd]);
  if (report(ctx, kErr, kEst, v::checkAreaCode(ddd), {{"1613", ddd}})) return;
  const auto uf = trimmed(est(ctx)[kState]);
  report(ctx, kWar, kEst, v::checkAreaCodeOfState(ddd, stateCode(ctx)), {{"1612", uf}, {"1613", ddd}});
}

void phone(CheckContext& ctx) {
  const auto p = trimmed(est(ctx)[kPhone]);
  if (report(ctx, kErr, kEst, v::checkPhone(p), {{"1614", p}})) return;
  const auto ddd = trimmed(est(ctx)[kDdd]);
  const Code c = v::checkPhonePairing(ddd, p);
  report(ctx, c == "3102" ? kWar : kErr, kEst, c, {{"1613", ddd}, {"1614", p}});
}

// The e-mail is not one of the trimmed text fields: its row shows it as stored.
void email(CheckContext& ctx) { field(ctx, v::checkEmail(est(ctx)[kEmail]), "1617", est(ctx)[kEmail]); }

void size(CheckContext& ctx) { field(ctx, v::checkSize(est(ctx)[kSize]), "3520", est(ctx)[kSize]); }

void simples(CheckContext& ctx) {
  const auto& o = est(ctx)[kSimples];
  const auto& s = est(ctx)[kSize];
  if (report(ctx, kErr, kEst, v::checkSimplesOption(o), {{"3123", o}})) return;
  report(ctx, kErr, kEst, v::checkSizeAndSimples(o, s), {{"3520", s}, {"3123", o}});
}

void activity(CheckContext& ctx) {
  const auto& a = est(ctx)[kActivity];
  if (report(ctx, kErr, kEst, v::checkEconomicActivity(ctx.reference(), a), {{"1618", a}})) return;
  const auto n = trimmed(est(ctx)[kName]);
  const Code c = v::checkActivityAndName(a, n);
  report(ctx, c == "0363" ? kWar : kErr, kEst, c, {{"1618", a}, {"1604", n}});
}

void legalNature(CheckContext& ctx) {
  const auto& l = est(ctx)[kLegalNature];
  if (report(ctx, kErr, kEst, v::checkLegalNature(ctx.reference(), l), {{"1619", l}})) return;
  const auto n = trimmed(est(ctx)[kName]);
  report(ctx, kWar, kEst, v::checkLegalNatureAndName(l, n), {{"1619", l}, {"1604", n}});
}

void owners(CheckContext& ctx) { field(ctx, v::checkOwnersCount(est(ctx)[kOwners]), "1621", est(ctx)[kOwners]); }

void baseMonth(CheckContext& ctx) {
  const auto& m = est(ctx)[kBaseMonth];
  if (report(ctx, kErr, kEst, v::checkBaseMonth(m), {{"1620", m}})) return;
  const auto& neg = est(ctx)[kNegative];
  report(ctx, kErr, kEst, v::checkBaseMonthAndNegative(m, neg), {{"1620", m}, {"1622", neg}});
}

void negative(CheckContext& ctx) {
  const auto& neg = est(ctx)[kNegative];
  if (report(ctx, kErr, kEst, v::checkNegativeDeclaration(neg), {{"1622", neg}})) return;
  const auto& k = est(ctx)[kKind];
  const auto cei = chars(est(ctx)[kLinkedCei], 3, 12);
  report(ctx, kErr, kEst, v::checkNegativeAndInscription(neg, k, cei), {{"1622", neg}, {"1601", k}, {"1603", cei}});
}

void linkedCei(CheckContext& ctx) {
  const auto& linked = est(ctx)[kLinkedCei];
  const auto head = trimmed(chars(linked, 1, 2));
  if (head != "00") ctx.finding(kErr, kEst, "0040", {{"1678", head}});
  const auto cei = chars(linked, 3, 12);
  const std::string full = "00" + std::string(cei);
  if (report(ctx, kErr, kEst, v::checkLinkedCei(full), {{"1603", cei}})) return;
  const auto& k = est(ctx)[kKind];
  report(ctx, kErr, kEst, v::checkLinkedCeiAndKind(k, full), {{"1601", kindShown(k, "2")}, {"1603", cei}});
}

void closure(CheckContext& ctx) {
  const auto& ind = est(ctx)[kClosing];
  const auto& date = est(ctx)[kClosureDate];
  const auto& year = est(ctx)[kYear];
  const Code c = v::checkClosure(ind, date, static_cast<int>(v::integerOrZero(year)), ctx.fileFlag());
  if (passed(c)) return;
  if (c == "3516")
    ctx.finding(kErr, kEst, c, {{"1669", date}, {"1658", year}});
  else
    ctx.finding(kErr, kEst, c,
                {{"1669", date},
                 {"1668", ind == "1" ? "Assinalado para encerramento das atividades" : "Não assinalado"}});
}

void patIndicator(CheckContext& ctx) { field(ctx, v::checkPatIndicator(est(ctx)[kPat]), "3122", est(ctx)[kPat]); }

void patCounts(CheckContext& ctx) {
  const auto& above = est(ctx)[kPatAbove];
  const auto& below = est(ctx)[kPatBelow];
  const bool aboveFailed = report(ctx, kErr, kEst, v::checkPatWorkerCount(above), {{"3610", above}});
  const bool belowFailed = report(ctx, kErr, kEst, v::checkPatWorkerCount(below), {{"3611", below}});
  if (aboveFailed || belowFailed) return;
  const auto& ind = est(ctx)[kPat];
  // Taking part in PAT without any beneficiary is an error of its own. A count
  // left empty is no beneficiary either: the file gets "000000" in its place.
  const Code c = (informed(above) || informed(below) || ind != "1") ? v::checkPatCounts(ind, below, above)
                                                                    : Code("3626");
  report(ctx, kErr, kEst, c, {{"3122", ind}, {"3610", above}, {"3611", below}});
}

struct Percentage {
  Field field;
  const char* label;
};
const std::array<Percentage, 6> kPercentages{
    Percentage{{RecordKind::Establishment, "PoServicoProprio"}, "3612"},
    Percentage{{RecordKind::Establishment, "PoAdmCozinha"}, "3613"},
    Percentage{{RecordKind::Establishment, "PoRefeicaoConvenio"}, "3614"},
    Percentage{{RecordKind::Establishment, "PoRefeicaoTransportadora"}, "3615"},
    Percentage{{RecordKind::Establishment, "PoCestaAlimento"}, "3616"},
    Percentage{{RecordKind::Establishment, "PoAlimentacaoConvenio"}, "3617"}};

void patPercentages(CheckContext& ctx) {
  const Record& e = est(ctx);
  bool hardFailure = false;
  for (const auto& p : kPercentages) {
    const Code c = v::checkPatPercentage(e[p.field]);
    if (passed(c)) continue;
    const bool outOfRange = c == "3521";
    hardFailure = hardFailure || !outOfRange;
    ctx.finding(outOfRange ? kWar : kErr, kEst, c, {{p.label, e[p.field]}});
  }
  if (hardFailure) return;
  const std::string_view values[6] = {e[kPercentages[0].field], e[kPercentages[1].field], e[kPercentages[2].field],
                                      e[kPercentages[3].field], e[kPercentages[4].field], e[kPercentages[5].field]};
  const Code c = v::checkPatPercentages(e[kPat], values);
  report(ctx, kWar, kEst, c,
         {{"3122", e[kPat]},
          {"3612", values[0]},
          {"3613", values[1]},
          {"3614", values[2]},
          {"3615", values[3]},
          {"3616", values[4]},
          {"3617", values[5]}});
}

// Union contributions of the establishment (checks 30 to 37).
enum class UnionShape {
  Required,  // union and associative: the CNPJ is checked only when informed
  Optional,  // assistance and confederative: the exclusion always, amounts only when informed
};
struct UnionContribution {
  Field cnpj;
  Field amount;
  const char* cnpjLabel;
  const char* amountLabel;
  const char* entityName;
  UnionShape shape;
  bool membership;  // associative: without a CNPJ, the membership indicator must not be "1"
};
const std::array<UnionContribution, 4> kUnions{
    UnionContribution{{RecordKind::Establishment, "CoCNPJSindical"},
                      {RecordKind::Establishment, "VaGlobalSindical"},
                      "3652", "3653", "sindicalestab", UnionShape::Required, false},
    UnionContribution{{RecordKind::Establishment, "CoCNPJAssociativa"},
                      {RecordKind::Establishment, "VaGlobalAssociativa"},
                      "3650", "3651", "associativa", UnionShape::Required, true},
    UnionContribution{{RecordKind::Establishment, "CoCNPJAssistencial"},
                      {RecordKind::Establishment, "VaGlobalAssistencial"},
                      "3654", "3655", "assistencial", UnionShape::Optional, false},
    UnionContribution{{RecordKind::Establishment, "CoCNPJConfederativa"},
                      {RecordKind::Establishment, "VaGlobalConfederativa"},
                      "3656", "3657", "confederativa", UnionShape::Optional, false}};

bool entityCnpjAccepted(Code c) { return c == "0000" || c == "0051" || c == "0050"; }

void unionCnpj(CheckContext& ctx, const UnionContribution& u) {
  const Record& e = est(ctx);
  const auto& cnpj = e[u.cnpj];
  const auto& own = e[kInscription];
  auto fail = [&](Code c) { return report(ctx, kErr, kEst, c, {{u.cnpjLabel, cnpj}}); };
  if (fail(v::checkRequiredWhenFlagged(cnpj, ctx.fileFlag()))) return;
  if (u.shape == UnionShape::Optional && fail(v::checkEntityCnpjExclusion(cnpj, own, false))) return;
  if (informed(cnpj)) {
    if (u.shape == UnionShape::Required && fail(v::checkEntityCnpjExclusion(cnpj, own, false))) return;
    const Code c = v::checkEntityCnpj(cnpj, false);
    if (!entityCnpjAccepted(c)) ctx.finding(kErr, kEst, c, {{u.cnpjLabel, cnpj}});
  } else if (u.membership) {
    const auto& member = e[kMembership];
    report(ctx, kErr, kEst, v::checkAssociativeMembership(cnpj, member, false),
           {{u.cnpjLabel, cnpj}, {"3703", member}});
  }
}

void unionAmount(CheckContext& ctx, const UnionContribution& u) {
  const Record& e = est(ctx);
  const auto& amount = e[u.amount];
  if (report(ctx, kErr, kEst, v::checkRequiredWhenFlagged(amount, ctx.fileFlag()), {{u.amountLabel, amount}})) return;
  if (u.shape == UnionShape::Optional && (amount.empty() || amount == "00000000")) return;
  if (report(ctx, kErr, kEst, v::checkContributionAmount(amount), {{u.amountLabel, amount}})) return;
  const auto& cnpj = e[u.cnpj];
  report(ctx, kErr, kEst, v::checkContributionPairing(cnpj, amount, u.entityName, false),
         {{u.cnpjLabel, cnpj}, {u.amountLabel, amount}});
}

void unions(CheckContext& ctx) {
  for (const auto& u : kUnions) {
    unionCnpj(ctx, u);
    unionAmount(ctx, u);
  }
}

void centralizing(CheckContext& ctx) {
  const Record& e = est(ctx);
  const auto& c = e[kCentralizing];
  const auto& s = e[kUnionCnpj];
  if (report(ctx, kErr, kEst, v::checkRequiredWhenFlagged(c, ctx.fileFlag()), {{"3705", c}})) return;
  if (informed(c)) {
    const Code first = v::checkCentralizingCnpj(c, e[kInscription]);
    if (!entityCnpjAccepted(first)) {
      ctx.finding(kErr, kEst, first, {{"3705", c}});
      return;
    }
    report(ctx, kErr, kEst, v::checkUnionAndCentralizer(s, c, ctx.fileFlag()), {{"3652", s}, {"3705", c}});
  } else {
    report(ctx, kWar, kEst, v::checkUnionOrCentralizer(s, c, e[kNegative], ctx.fileFlag()),
           {{"3652", s}, {"3705", c}});
  }
}

void membership(CheckContext& ctx) {
  field(ctx, v::checkMembershipIndicator(est(ctx)[kMembership]), "3703", est(ctx)[kMembership]);
}

void active(CheckContext& ctx) {
  field(ctx, v::checkActivityInBaseYear(est(ctx)[kActive]), "3669", est(ctx)[kActive]);
}

void companyUse(CheckContext& ctx) {
  field(ctx, v::checkCompanyUseText(est(ctx)[kCompanyUse]), "1623", est(ctx)[kCompanyUse]);
}

constexpr std::array kEstablishmentRules{
    &openOperation, &baseYear, &inscription, &inscriptionKind, &prefix,     &name,         &street,
    &number,        &complement, &district, &cep,             &municipality, &municipalityName, &state,
    &areaCode,      &phone,    &email,      &size,            &simples,    &activity,     &legalNature,
    &owners,        &baseMonth, &negative,  &linkedCei,       &closure,    &patIndicator, &patCounts,
    &patPercentages, &unions,  &centralizing, &membership,    &active,     &companyUse};

}  // namespace

std::span<const Rule> establishmentRules() { return kEstablishmentRules; }

}  // namespace torvex::core::consistency
