#include "core/validation/establishment_validators.h"

#include <array>
#include <utility>

#include "core/validation/check_digits.h"
#include "core/validation/field_support.h"

namespace torvex::core::validation {
namespace {

using detail::equalsUpper;
using detail::informed;
using detail::number;
using detail::oneOf;
using detail::startsWithUpper;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// CNPJ roots whose establishments must carry a company name beginning with a
// fixed text: protects the best-known inscriptions from being typed for another employer.
struct SpecialInscription {
  std::string_view root;
  std::string_view nameStart;
};
constexpr std::array<SpecialInscription, 7> kSpecialInscriptions{{
    {"00000000", "BANCO DO BRASIL"},
    {"00360305", "CAIXA ECONOMICA"},
    {"33000167", "PETROLEO BRASIL"},
    {"34028316", "EMPRESA BRASIL"},
    {"33592510", "COMPANHIA VALE"},
    {"33657248", "BANCO NACIONAL"},
    {"60746948", "BANCO BRADESCO"},
}};

bool breaksSpecialInscription(std::string_view name, std::string_view inscription) {
  if (inscription.size() < 8) return false;
  // The roots are CNPJ roots: a CEI stored with "00" in front may begin with the
  // same eight characters ("00360305...") without being that company.
  if (isCei(inscription) && !isCnpj(inscription)) return false;
  for (const auto& s : kSpecialInscriptions)
    if (inscription.substr(0, 8) == s.root && !startsWithUpper(name, s.nameStart)) return true;
  return false;
}

// "PREF" and "PREF." only match a name that is exactly that text (first 10 characters compared).
bool isCityHallName(std::string_view name) {
  const auto first10 = text::firstCharacters(name, 10);
  return equalsUpper(first10, "PREFEITURA") || equalsUpper(first10, "PREF") || equalsUpper(first10, "PREF.");
}

// Classification shared by the inscription and entity validators.
Code classify(std::string_view v, Code both, Code neither) {
  const bool cnpj = isCnpj(v);
  const bool cei = isCei(v);
  if (cnpj && cei) return both;
  if (cnpj) return "0051";
  if (cei) return "0052";
  return neither;
}

// Check dates as yyyymmdd against the year after the base year.
bool beforeFollowingYear(std::string_view date, int baseYear) {
  return detail::sortableDate(date) < static_cast<std::int64_t>(baseYear + 1) * 10000 + 101;
}
bool afterFollowingYear(std::string_view date, int baseYear) {
  return detail::sortableDate(date) > static_cast<std::int64_t>(baseYear + 1) * 10000 + 1231;
}

// CEP prefixes each state accepts when the CEP does not match the municipality's own data.
struct PrefixSpan {
  int first;
  int last;
};
struct StateCepFallback {
  int state;
  std::initializer_list<PrefixSpan> accepted;
};
const StateCepFallback kStateCepFallback[] = {
    {11, {{78939, 78939}}},
    {17, {{77714, 77714}, {77785, 77785}}},
    {21, {{65368, 65368}}},
    {22, {{64180, 64180}, {64764, 64764}}},
    {23, {{62230, 62230}, {62790, 62790}, {62980, 62980}, {63165, 63165}}},
    {24, {{59182, 59182}, {59245, 59245}, {59260, 59260}, {59270, 59270}, {59290, 59290}, {59440, 59440},
          {59680, 59680}, {59950, 59950}}},
    {25, {{58124, 58978}}},
    {26, {{53400, 56870}}},
    {27, {{57150, 57150}, {57180, 57180}, {57420, 57420}, {57490, 57490}, {57525, 57525}, {57630, 57630},
          {57700, 57700}}},
    {28, {{49130, 49130}, {49500, 49500}, {49580, 49580}, {49670, 49670}, {49700, 49700}, {49945, 49945},
          {49970, 49970}}},
    {29, {{44270, 48895}}},
    {31, {{33000, 39848}}},
    {32, {{29135, 29135}, {29350, 29350}, {29845, 29845}}},
    {33, {{25880, 25880}, {27600, 27600}, {28380, 28380}, {28500, 28500}, {28660, 28660}}},
    {35, {{11300, 19300}, {9000, 9000}}},
    {41, {{84950, 87840}}},
    {42, {{88180, 89998}}},
    {43, {{94800, 99950}}},
    {50, {{79000, 79980}}},
    {51, {{78110, 78795}}},
    {52, {{73860, 76530}}},
    {53, {{70640, 73499}}},
};

Code stateCepFallback(std::string_view cep, std::string_view municipality) {
  if (!isNumeric(cep) || !isNumeric(municipality)) return kValid;
  if (cep.size() < 5 || municipality.size() < 2) return "0082";
  const auto state = integerOrZero(municipality.substr(0, 2));
  const auto prefix = integerOrZero(cep.substr(0, 5));
  for (const auto& s : kStateCepFallback) {
    if (s.state != state) continue;
    for (const auto& span : s.accepted)
      if (prefix >= span.first && prefix <= span.last) return kValid;
    return "0082";
  }
  return "0082";
}

// Area codes (DDD) accepted for each state.
struct StateAreaCodes {
  int state;
  std::initializer_list<PrefixSpan> accepted;
};
const StateAreaCodes kStateAreaCodes[] = {
    {11, {{69, 69}}},
    {12, {{68, 68}}},
    {13, {{92, 92}, {97, 97}}},
    {14, {{95, 95}}},
    {15, {{91, 91}, {93, 94}}},
    {16, {{96, 96}}},
    {17, {{61, 61}, {63, 63}}},
    {21, {{98, 99}}},
    {22, {{86, 86}, {89, 89}}},
    {23, {{85, 85}, {88, 88}}},
    {24, {{84, 84}}},
    {25, {{83, 83}}},
    {26, {{81, 81}, {87, 87}}},
    {27, {{82, 82}}},
    {28, {{79, 79}}},
    {29, {{61, 61}, {71, 71}, {73, 75}, {77, 77}}},
    {31, {{27, 27}, {31, 35}, {37, 38}, {61, 61}}},
    {32, {{27, 28}}},
    {33, {{21, 22}, {24, 24}}},
    {35, {{11, 19}, {21, 21}}},
    {41, {{41, 46}}},
    {42, {{47, 49}}},
    {43, {{51, 51}, {53, 55}}},
    {50, {{67, 67}}},
    {51, {{65, 66}}},
    {52, {{61, 62}, {64, 64}}},
    {53, {{61, 61}}},
};

Code entityCode(bool employee) { return employee ? "3714" : "3649"; }

}  // namespace

// --- Identification ---

Code checkEstablishmentInscription(std::string_view inscription) {
  const auto v = trimBlanks(inscription);
  if (v.empty()) return "0055";
  if (auto c = checkFixedWidthNumeric(v, 14); c != kValid) return c;
  if (isAllZero(v)) return "0055";
  return classify(v, "0050", "0053");
}

Code checkResponsibleInscription(std::string_view inscription, int digitCount) {
  const auto v = trimBlanks(inscription);
  if (v.empty()) return "0055";
  if (!isNumeric(v)) return "0040";
  if (digitCount == 11) {
    if (v.substr(0, 3) != "000") return "0054";
    const auto cpf = v.size() > 3 ? v.substr(3, 11) : std::string_view{};
    if (isAllZero(cpf)) return "0055";
    return isCpf(cpf) ? "0056" : "0054";
  }
  if (isAllZero(v)) return "0055";
  return classify(v, "0049", "0054");
}

Code checkResponsibleInscriptionKind(std::string_view kind) {
  const auto v = trimBlanks(kind);
  if (v.empty()) return "0128";
  if (auto c = checkFixedWidthNumeric(v, 1); c != kValid) return c;
  return oneOf(v, {"1", "3", "4"}) ? kValid : "0129";
}

Code checkEstablishmentInscriptionKind(std::string_view kind) {
  const auto v = trimBlanks(kind);
  if (v.empty()) return "0132";
  if (auto c = checkFixedWidthNumeric(v, 1); c != kValid) return c;
  return oneOf(v, {"1", "3"}) ? kValid : "0130";
}

Code checkKindMatchesNumber(std::string_view inscription, std::string_view kind) {
  const auto v = trimBlanks(inscription);
  const auto k = trimBlanks(kind);
  if (!informed(v) || !informed(k)) return kValid;
  if (k == "1") return isCnpj(v) ? kValid : "0131";
  if (k == "3") return isCei(v) ? kValid : "0131";
  return kValid;
}

Code checkPrefix(std::string_view prefix) {
  const auto v = trimBlanks(prefix);
  if (v.empty()) return "0061";
  // Counted in characters: an accented one is one character, neither a digit nor a letter here.
  auto accepted = [](std::string_view c) { return c.size() == 1 && (isDigit(c[0]) || isUpperLetter(c[0])); };
  if (!accepted(text::characterSubstr(v, 0, 1))) return "0060";
  switch (text::characterCount(v)) {
    case 1: return "0062";
    case 2: return accepted(text::characterSubstr(v, 1, 1)) ? kValid : "0060";
    default: return kTooLong;
  }
}

Code checkName(std::string_view name, std::string_view inscription) {
  const auto v = trimBlanks(name);
  if (v.empty()) return "0110";
  if (auto c = checkText(v); c != kValid) return c;
  if (equalsUpper(v, "MATRIZ") || equalsUpper(v, "FILIAL")) return "0111";
  if (breaksSpecialInscription(v, trimBlanks(inscription))) return "0053";
  return kValid;
}

Code checkCompanyUseText(std::string_view text) { return isPrintable(text) ? kValid : "0020"; }

// --- Address ---

Code checkStreet(std::string_view street) {
  const auto v = trimBlanks(street);
  if (v.empty()) return "0120";
  if (!passesRepeatedCharacter(v)) return "3100";
  return checkText(v);
}

Code checkStreetNumber(std::string_view number) { return checkFixedWidthNumeric(number, 6); }

Code checkComplement(std::string_view complement) {
  const auto v = trimBlanks(complement);
  if (v.empty()) return kValid;
  if (!isPrintable(v)) return "0020";
  if (!passesRepeatedCharacter(v)) return "3100";
  return kValid;
}

Code checkNumberOrComplement(std::string_view number, std::string_view complement) {
  return !informed(number) && trimBlanks(complement).empty() ? "0120" : kValid;
}

Code checkDistrict(std::string_view district) {
  const auto v = trimBlanks(district);
  return v.empty() ? kValid : checkText(v);
}

Code checkCep(std::string_view cep) {
  const auto v = trimBlanks(cep);
  if (v.empty()) return "0081";
  if (auto c = checkFixedWidthNumeric(v, 8); c != kValid) return c;
  if (isAllZero(v)) return "0081";
  if (v.substr(0, 2) == "00") return "0080";
  return kValid;
}

Code checkMunicipality(const store::ReferenceLookup& ref, std::string_view municipality) {
  const auto v = trimBlanks(municipality);
  if (v.empty()) return "0092";
  if (auto c = checkFixedWidthNumeric(v, 7); c != kValid) return c;
  if (isAllZero(v)) return "0092";
  return ref.exists(store::CodeTable::Municipality, v) ? kValid : "0090";
}

Code checkMunicipalityName(const store::ReferenceLookup& ref, std::string_view municipality, std::string_view name) {
  const auto stored = ref.municipalityName(trimBlanks(municipality));
  const std::string_view expected = stored ? trimBlanks(*stored) : std::string_view{};
  return trimBlanks(name) == expected ? kValid : "3666";
}

Code checkCepInMunicipality(const store::ReferenceLookup& ref, std::string_view cep, std::string_view municipality,
                            bool lenient) {
  const auto c = trimBlanks(cep);
  const auto m = trimBlanks(municipality);
  if (!informed(c) || !informed(m)) return kValid;
  const auto data = ref.municipalityCepData(m);
  if (!data) return kValid;
  if (data->usesRanges) {
    if (!data->hasRangeRow) return "0082";
    if (ref.cepBelongsToMunicipality(c, m)) return kValid;
    return stateCepFallback(c, m);
  }
  if (c.substr(0, 5) == data->prefix) return kValid;
  if (data->prefix.empty() && lenient) return kValid;
  return stateCepFallback(c, m);
}

Code checkState(const store::ReferenceLookup& ref, std::string_view sgUf) {
  const auto v = trimBlanks(sgUf);
  if (!informed(v)) return "0101";
  return ref.stateCodeByAbbreviation(v) ? kValid : "0100";
}

Code checkStateOfMunicipality(const store::ReferenceLookup& ref, std::string_view municipality, std::string_view sgUf) {
  const auto m = trimBlanks(municipality);
  const auto s = trimBlanks(sgUf);
  if (!informed(m) || s.empty()) return kValid;
  const auto state = ref.stateOfMunicipality(m);
  return state && *state != s ? "0091" : kValid;
}

Code checkCepInState(const store::ReferenceLookup& ref, std::string_view cep, std::string_view coUf) {
  const auto c = trimBlanks(cep);
  const auto u = trimBlanks(coUf);
  if (!informed(c) || !informed(u) || !isNumeric(c)) return kValid;
  // The first five digits read as a number, whatever the CEP's width: a CEP of the
  // wrong width is reported by the CEP check, not again here as another state's.
  char full[8] = {'0', '0', '0', '0', '0', '0', '0', '0'};
  const auto head = c.substr(0, 5);
  head.copy(full + 5 - head.size(), head.size());
  return ref.cepBelongsToState(std::string_view(full, 8), u) ? kValid : "0083";
}

// --- Contact and dates ---

Code checkAreaCode(std::string_view ddd) {
  const auto v = trimBlanks(ddd);
  return !informed(v) || !isNumeric(v) ? "3674" : kValid;
}

Code checkPhone(std::string_view phone) { return checkAreaCode(phone); }

Code checkAreaCodeOfState(std::string_view ddd, std::string_view coUf) {
  const auto d = trimBlanks(ddd).substr(0, 2);
  const auto u = trimBlanks(coUf);
  // "0" in front as the stored three-character form: a one-digit DDD still reads as a number.
  if (isAllZero(d) || !isNumeric(d) || d.find(' ') != std::string_view::npos || !informed(u) || !isNumeric(u))
    return kValid;
  const auto state = integerOrZero(u);
  const auto code = integerOrZero(d);
  for (const auto& s : kStateAreaCodes) {
    if (s.state != state) continue;
    for (const auto& span : s.accepted)
      if (code >= span.first && code <= span.last) return kValid;
    return "0402";
  }
  return kValid;
}

Code checkPhonePairing(std::string_view ddd, std::string_view phone) {
  const bool hasDdd = informed(ddd);
  const bool hasPhone = informed(phone);
  if (hasDdd != hasPhone) return "3101";
  return hasDdd ? kValid : "3102";
}

Code checkEmail(std::string_view email) {
  const auto v = trimBlanks(email);
  if (v.empty()) return kValid;
  if (!isPrintable(v)) return "0020";
  return containsAtSign(v) ? kValid : "3627";
}

Code checkGenerationDate(std::string_view date, int baseYear) {
  const auto v = trimBlanks(date);
  if (!isValidDate(v)) return "0421";
  if (beforeFollowingYear(v, baseYear)) return "0420";
  if (afterFollowingYear(v, baseYear)) return "0423";
  return kValid;
}

Code checkRectificationDate(bool rectification, std::string_view date, int baseYear) {
  const auto v = trimBlanks(date);
  if (auto c = checkFixedWidthNumeric(v, 8); c != kValid) return c;
  if (!rectification) return isAllZero(v) ? kValid : "0411";
  if (isAllZero(v)) return "0410";
  if (!isValidDate(v)) return "0412";
  if (beforeFollowingYear(v, baseYear)) return "0410";
  if (afterFollowingYear(v, baseYear)) return "0413";
  return kValid;
}

// --- Establishment characteristics ---

Code checkSize(std::string_view inPorte) { return oneOf(inPorte, {"1", "2", "3"}) ? kValid : "3124"; }

Code checkSimplesOption(std::string_view inOptanteSimples) {
  return oneOf(trimBlanks(inOptanteSimples), {"1", "2"}) ? kValid : "3604";
}

Code checkSizeAndSimples(std::string_view inOptanteSimples, std::string_view inPorte) {
  return trimBlanks(inPorte) == "3" && trimBlanks(inOptanteSimples) != "2" ? "3125" : kValid;
}

Code checkActivityInBaseYear(std::string_view inAtividadeAnoBase) {
  return oneOf(trimBlanks(inAtividadeAnoBase), {"1", "2"}) ? kValid : "3668";
}

Code checkEconomicActivity(const store::ReferenceLookup& ref, std::string_view coCnae2) {
  const auto v = trimBlanks(coCnae2);
  if (v.empty()) return "0360";
  if (auto c = checkFixedWidthNumeric(v, 7); c != kValid) return c;
  if (isAllZero(v)) return "0360";
  return ref.exists(store::CodeTable::Activity, v) ? kValid : "0361";
}

Code checkActivityAndName(std::string_view coCnae2, std::string_view companyName) {
  const auto a = trimBlanks(coCnae2);
  const auto n = trimBlanks(companyName);
  const bool condominium = startsWithUpper(n, "CONDOMINIO") || startsWithUpper(n, "EDIFICIO");
  if (condominium && a != "8112500") return "0362";
  if (isCityHallName(n) && a.substr(0, 2) != "84") return "0363";
  return kValid;
}

Code checkLegalNature(const store::ReferenceLookup& ref, std::string_view coNaturezaJuridica) {
  const auto v = trimBlanks(coNaturezaJuridica);
  if (v.empty()) return "0370";
  if (auto c = checkFixedWidthNumeric(v, 4); c != kValid) return c;
  if (isAllZero(v)) return "0370";
  return ref.exists(store::CodeTable::LegalNature, v) ? kValid : "0371";
}

Code checkLegalNatureAndName(std::string_view coNaturezaJuridica, std::string_view companyName) {
  // 1031 (municipal executive power) as a number, not to be taken for a message code.
  const auto nature = trimBlanks(coNaturezaJuridica);
  const bool municipal = nature.size() == 4 && isNumeric(nature) && integerOrZero(nature) == 1031;
  return isCityHallName(trimBlanks(companyName)) && !municipal ? "0372" : kValid;
}

Code checkOwnersCount(std::string_view count) { return checkFixedWidthNumeric(count, 2); }

Code checkBaseMonth(std::string_view meDataBase) {
  const auto v = trimBlanks(meDataBase);
  if (v.empty()) return "0030";
  if (auto c = checkFixedWidthNumeric(v, 2); c != kValid) return c;
  return integerOrZero(v) > 12 ? "0071" : kValid;
}

Code checkBaseMonthAndNegative(std::string_view meDataBase, std::string_view inKevaNeg) {
  return trimBlanks(inKevaNeg) == "0" && isAllZero(trimBlanks(meDataBase)) ? "0070" : kValid;
}

Code checkNegativeDeclaration(std::string_view inKevaNeg) {
  const auto v = trimBlanks(inKevaNeg);
  if (v.empty()) return "0140";
  if (auto c = checkFixedWidthNumeric(v, 1); c != kValid) return c;
  return integerOrZero(v) > 1 ? "0140" : kValid;
}

Code checkNegativeAndInscription(std::string_view inKevaNeg, std::string_view kind, std::string_view linkedCei) {
  if (trimBlanks(inKevaNeg) != "1") return kValid;
  const auto k = trimBlanks(kind);
  if (k == "3") return "0133";
  if (k == "1" && informed(linkedCei)) return "0133";
  return kValid;
}

Code checkLinkedCei(std::string_view linkedCei) {
  const auto v = trimBlanks(linkedCei);
  if (v.empty()) return "0431";
  if (auto c = checkFixedWidthNumeric(v, 14); c != kValid) return c;
  return isAllZero(v) || isCei(v) ? kValid : "0430";
}

Code checkLinkedCeiAndKind(std::string_view kind, std::string_view linkedCei) {
  if (!informed(linkedCei)) return kValid;
  return trimBlanks(kind) == "3" ? "0350" : kValid;
}

Code checkClosure(std::string_view indicator, std::string_view date, int establishmentBaseYear, bool fileFlag) {
  const auto d = trimBlanks(date);
  if (trimBlanks(indicator) != "1") {
    if (d.empty()) return fileFlag ? "3514" : kValid;
    return d.size() == 4 || isAllZero(d) ? kValid : "3515";
  }
  if (!informed(d)) return "3513";
  if (auto c = checkFixedWidthNumeric(d, 8); c != kValid) return c;
  if (!isValidDate(d)) return "3514";
  const auto sortable = detail::sortableDate(d);
  const std::int64_t base = establishmentBaseYear;
  return sortable < base * 10000 + 101 || sortable > base * 10000 + 11231 ? "3516" : kValid;
}

// --- PAT ---

Code checkPatIndicator(std::string_view indicator) {
  const auto v = trimBlanks(indicator);
  if (v.empty()) return "3608";
  return oneOf(v, {"1", "2"}) ? kValid : "3602";
}

Code checkPatWorkerCount(std::string_view count) {
  const auto v = trimBlanks(count);
  return v.empty() ? kValid : checkFixedWidthNumeric(v, 6);
}

Code checkPatCounts(std::string_view indicator, std::string_view below5, std::string_view above5) {
  const auto sum = integerOrZero(fitRight(trimBlanks(below5), 6)) + integerOrZero(fitRight(trimBlanks(above5), 6));
  return trimBlanks(indicator) == "2" && sum != 0 ? "3525" : kValid;
}

Code checkPatPercentage(std::string_view percentage) {
  const auto v = trimBlanks(percentage);
  if (v.empty()) return kValid;
  if (auto c = checkFixedWidthNumeric(v, 3); c != kValid) return c;
  const auto p = integerOrZero(v);
  return p < 0 || p > 100 ? "3521" : kValid;
}

Code checkPatPercentages(std::string_view indicator, const std::string_view (&percentages)[6]) {
  std::int64_t sum = 0;
  for (auto p : percentages) sum += integerOrZero(fitRight(trimBlanks(p), 3));
  const bool participates = trimBlanks(indicator) == "1";
  if (!participates && sum != 0) return "3526";
  if (participates && sum > 100) return "3601";
  return kValid;
}

// --- Union contributions ---

Code checkRequiredWhenFlagged(std::string_view value, bool flag) { return flag && value.empty() ? "0030" : kValid; }

Code checkEntityCnpj(std::string_view cnpj, bool employee) {
  return checkEntityCnpjByKind(cnpj, EntityKind::Sindical, employee);
}

Code checkEntityCnpjByKind(std::string_view cnpj, EntityKind kind, bool employee) {
  const auto v = trimBlanks(cnpj);
  if (auto c = checkFixedWidthNumeric(v, 14); c != kValid) return c;
  if (!isHeadOffice(v) || isAllZero(v)) {
    switch (kind) {
      case EntityKind::Associativa: return "3684";
      case EntityKind::Assistencial: return "3690";
      case EntityKind::Confederativa: return "3692";
      case EntityKind::Sindical: break;
    }
    return entityCode(employee);
  }
  return classify(v, "0050", entityCode(employee));
}

Code checkEntityCnpjExclusion(std::string_view cnpj, std::string_view ownInscription, bool employee) {
  const auto v = trimBlanks(cnpj);
  if (v.empty()) return kValid;
  if (v == trimBlanks(ownInscription) || v == "00000000000191" || v == "00360305000104") return entityCode(employee);
  return kValid;
}

Code checkCentralizingCnpj(std::string_view cnpj, std::string_view ownInscription) {
  const auto v = trimBlanks(cnpj);
  if (auto c = checkFixedWidthNumeric(v, 14); c != kValid) return c;
  if (v == trimBlanks(ownInscription)) return "3709";
  return classify(v, "0050", "0053");
}

Code checkContributionAmount(std::string_view amount) {
  const auto v = trimBlanks(amount);
  return v.empty() ? Code{"3648"} : checkFixedWidthNumeric(v, 8);
}

Code checkContributionPairing(std::string_view cnpj, std::string_view amount, std::string_view entityName,
                              bool employee) {
  const auto a = trimBlanks(amount);
  const bool amountGiven = informed(a) && a != "0,00";
  const bool cnpjGiven = informed(cnpj);
  if (amountGiven && !cnpjGiven) return entityCode(employee);
  if (!cnpjGiven && entityName == "sindical") return "3687";
  return kValid;
}

// Empty and all-zero CNPJs both count as not informed here, whether the values
// come from a file or from the tables.
Code checkUnionOrCentralizer(std::string_view unionCnpj, std::string_view centralizingCnpj, std::string_view inKevaNeg,
                             bool /*fileFlag*/) {
  return !informed(unionCnpj) && !informed(centralizingCnpj) && trimBlanks(inKevaNeg) != "1" ? "3687" : kValid;
}

Code checkUnionAndCentralizer(std::string_view unionCnpj, std::string_view centralizingCnpj, bool /*fileFlag*/) {
  return informed(unionCnpj) && informed(centralizingCnpj) ? "3706" : kValid;
}

Code checkMembershipIndicator(std::string_view indicator) {
  return oneOf(trimBlanks(indicator), {"1", "2"}) ? kValid : "3704";
}

Code checkAssociativeMembership(std::string_view associativeCnpj, std::string_view indicator, bool employee) {
  if (trimBlanks(indicator) == "1" && !informed(associativeCnpj)) return employee ? "3702" : "3713";
  return kValid;
}

}  // namespace torvex::core::validation
