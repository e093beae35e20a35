#pragma once
// Field validators of the responsible party (record 0, BD8Resp) and of the
// establishment (record 1, BD8Emp). Each takes the field values as text and
// answers a message code ("0000" valid); values are trimmed unless noted.
// Shared by the entry windows and the consistency check.
#include <string_view>

#include "core/store/reference_lookup.h"
#include "core/validation/value_tests.h"

namespace torvex::core::validation {

using Code = std::string_view;

// --- Identification ---
// "0050" both CNPJ and CEI, "0051" CNPJ, "0052" CEI; errors "0055", "0040"/"X", "0053".
Code checkEstablishmentInscription(std::string_view inscription);
// digitCount 11 checks a CPF stored as "000" + 11 digits ("0056" when valid);
// otherwise "0049" both, "0051" CNPJ, "0052" CEI; errors "0055", "0040", "0054".
Code checkResponsibleInscription(std::string_view inscription, int digitCount);
Code checkResponsibleInscriptionKind(std::string_view kind);     // 1, 3 or 4
Code checkEstablishmentInscriptionKind(std::string_view kind);   // 1 or 3
Code checkKindMatchesNumber(std::string_view inscription, std::string_view kind);  // "0131"
Code checkPrefix(std::string_view prefix);
// Name or company name; the responsible party passes an empty inscription.
Code checkName(std::string_view name, std::string_view inscription);
Code checkCompanyUseText(std::string_view text);  // not trimmed

// --- Address ---
Code checkStreet(std::string_view street);
Code checkStreetNumber(std::string_view number);
Code checkComplement(std::string_view complement);
Code checkNumberOrComplement(std::string_view number, std::string_view complement);
Code checkDistrict(std::string_view district);
Code checkCep(std::string_view cep);
Code checkMunicipality(const store::ReferenceLookup& ref, std::string_view municipality);
// The typed name against NoMunicipio of the municipality ("3666").
Code checkMunicipalityName(const store::ReferenceLookup& ref, std::string_view municipality, std::string_view name);
// "0082" when the CEP is neither in the municipality's prefix or ranges nor
// accepted by the per-state fallback table. `lenient`: a single-prefix
// municipality without a prefix accepts any CEP (the consistency check).
Code checkCepInMunicipality(const store::ReferenceLookup& ref, std::string_view cep, std::string_view municipality,
                            bool lenient);
Code checkState(const store::ReferenceLookup& ref, std::string_view sgUf);
Code checkStateOfMunicipality(const store::ReferenceLookup& ref, std::string_view municipality, std::string_view sgUf);
Code checkCepInState(const store::ReferenceLookup& ref, std::string_view cep, std::string_view coUf);

// --- Contact and dates of the responsible party ---
Code checkAreaCode(std::string_view ddd);  // "3674"
Code checkPhone(std::string_view phone);   // "3674"
Code checkAreaCodeOfState(std::string_view ddd, std::string_view coUf);  // "0402"
Code checkPhonePairing(std::string_view ddd, std::string_view phone);
Code checkEmail(std::string_view email);
// The generation date of a declaration, ddmmyyyy: "0421" unless a real date (so an empty or
// all-zero date too), "0420" before 1 January and "0423" after 31 December of the year after
// the base year. The responsible row's check and the write job both use this one rule.
Code checkGenerationDate(std::string_view date, int baseYear);
Code checkRectificationDate(bool rectification, std::string_view date, int baseYear);

// --- Establishment characteristics ---
Code checkSize(std::string_view inPorte);  // not trimmed
Code checkSimplesOption(std::string_view inOptanteSimples);
Code checkSizeAndSimples(std::string_view inOptanteSimples, std::string_view inPorte);
Code checkActivityInBaseYear(std::string_view inAtividadeAnoBase);
Code checkEconomicActivity(const store::ReferenceLookup& ref, std::string_view coCnae2);
Code checkActivityAndName(std::string_view coCnae2, std::string_view companyName);
Code checkLegalNature(const store::ReferenceLookup& ref, std::string_view coNaturezaJuridica);
Code checkLegalNatureAndName(std::string_view coNaturezaJuridica, std::string_view companyName);
Code checkOwnersCount(std::string_view count);
Code checkBaseMonth(std::string_view meDataBase);
Code checkBaseMonthAndNegative(std::string_view meDataBase, std::string_view inKevaNeg);
Code checkNegativeDeclaration(std::string_view inKevaNeg);
Code checkNegativeAndInscription(std::string_view inKevaNeg, std::string_view kind, std::string_view linkedCei);
// "00" followed by the 12 digits of CoCgcVinculado.
Code checkLinkedCei(std::string_view linkedCei);
Code checkLinkedCeiAndKind(std::string_view kind, std::string_view linkedCei);
// `fileFlag`: set when a declaration file is being analysed.
Code checkClosure(std::string_view indicator, std::string_view date, int establishmentBaseYear, bool fileFlag);

// --- Workers' meal programme (PAT) ---
Code checkPatIndicator(std::string_view indicator);
Code checkPatWorkerCount(std::string_view count);
Code checkPatCounts(std::string_view indicator, std::string_view below5, std::string_view above5);
Code checkPatPercentage(std::string_view percentage);
Code checkPatPercentages(std::string_view indicator, const std::string_view (&percentages)[6]);

// --- Union contributions (establishment side; employees pass employee = true) ---
enum class EntityKind { Associativa, Sindical, Assistencial, Confederativa };

Code checkRequiredWhenFlagged(std::string_view value, bool flag);  // not trimmed
Code checkEntityCnpj(std::string_view cnpj, bool employee);
Code checkEntityCnpjByKind(std::string_view cnpj, EntityKind kind, bool employee);
Code checkEntityCnpjExclusion(std::string_view cnpj, std::string_view ownInscription, bool employee);
Code checkCentralizingCnpj(std::string_view cnpj, std::string_view ownInscription);
Code checkContributionAmount(std::string_view amount);
// `entityName` is "sindical" for the employee's union contribution ("3687" then possible).
Code checkContributionPairing(std::string_view cnpj, std::string_view amount, std::string_view entityName,
                              bool employee);
Code checkUnionOrCentralizer(std::string_view unionCnpj, std::string_view centralizingCnpj, std::string_view inKevaNeg,
                             bool fileFlag);
Code checkUnionAndCentralizer(std::string_view unionCnpj, std::string_view centralizingCnpj, bool fileFlag);
Code checkMembershipIndicator(std::string_view indicator);
Code checkAssociativeMembership(std::string_view associativeCnpj, std::string_view indicator, bool employee);

}  // namespace torvex::core::validation
