#pragma once
// Look-ups on the reference tables (municipalities, states, CEP ranges,
// activities, legal natures, employee codes, occupations) and on the message
// table. The tables are small and read-only, so they are read once into memory;
// every look-up is a hash search, cheap enough for checking a million links.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/store/database.h"

namespace torvex::core::store {

// The code tables whose rows are a code and a name.
enum class CodeTable {
  Nationality,      // tb8NACIO
  Schooling,        // tb8INSTR
  AdmissionType,    // tb8TPADM
  Race,             // Tb8raca
  Occupation,       // tb8cbo
  LinkType,         // tb8vinc
  TerminationCause, // tb8DESL
  SalaryType,       // tb8TPSAL
  LeaveReason,      // tb8Afast
  Disability,       // tbDefi
  Activity,         // tb8Cnae (CNAE 2.0 subclass)
  LegalNature,      // tb8NATJU
  Municipality,     // tb8MUNIC
  BaseMonth,        // TB8BASE (no name)
  EmployersEntity,  // tbEmpreg (no name)
  WorkersEntity,    // tbTrab (no name)
  UnionCentral,     // tbSindic (no name)
};

struct OccupationRules {
  bool requiresHigherSchooling = false;  // InCriticaCbo: schooling must be "09", "10" or "11"
  bool refusedForIlliterate = false;     // InCriticaAna: refused with schooling "01"
};

struct EarlierActivity {
  std::string cnae1;          // CoCnae1, 5 digits
  std::string preferential;   // InPreferencial
};

// How a municipality's CEP is checked (tb8MUNIC with its tb8FXCEP row).
struct MunicipalityCepData {
  bool usesRanges = false;     // InFaixa other than "0"
  std::string prefix;          // CoCep, five digits or empty
  bool hasRangeRow = false;    // a tb8FXCEP row exists for the municipality
};

struct MessageRow {
  std::string kind;  // TpMensagem: "CNF", "WAR", "INF" or "ERR"
  std::string text;  // TxMensagem
};

class ReferenceLookup {
 public:
  // Reads the reference tables of the folder's database.
  explicit ReferenceLookup(Database& db);
  ~ReferenceLookup();
  ReferenceLookup(const ReferenceLookup&) = delete;
  ReferenceLookup& operator=(const ReferenceLookup&) = delete;

  // Any code table, by its code exactly as stored (digits only). The headings of
  // the look-up lists (state rows of tb8MUNIC, CNAE divisions, upper CBO levels)
  // are not codes: they are neither found nor named here.
  bool exists(CodeTable table, std::string_view code) const;
  std::optional<std::string> name(CodeTable table, std::string_view code) const;

  // Municipalities and states.
  std::optional<std::string> municipalityName(std::string_view municipality) const;
  // SgUf of the state whose CoUf is the first two digits of the municipality code.
  std::optional<std::string> stateOfMunicipality(std::string_view municipality) const;
  // CoUf of a state abbreviation, ignoring letter case.
  std::optional<std::string> stateCodeByAbbreviation(std::string_view abbreviation) const;
  std::optional<std::string> stateAbbreviation(std::string_view stateCode) const;
  // The eight-digit CEP lies in the municipality's prefix or ranges (tb8MUNIC/tb8FXCEP).
  bool cepBelongsToMunicipality(std::string_view cep, std::string_view municipality) const;
  // Whether the municipality has CEP data at all (a prefix or ranges).
  bool municipalityHasCepData(std::string_view municipality) const;
  // The municipality's CEP data; nullopt when the municipality is unknown.
  std::optional<MunicipalityCepData> municipalityCepData(std::string_view municipality) const;
  // The CEP's first five digits fall in one of the state's tbUfCep ranges.
  bool cepBelongsToState(std::string_view cep, std::string_view stateCode) const;

  // Activities and occupations.
  std::optional<EarlierActivity> earlierActivity(std::string_view cnae2) const;
  std::optional<OccupationRules> occupationRules(std::string_view cbo) const;

  // The message table.
  std::optional<MessageRow> message(std::string_view code) const;

 private:
  struct Data;
  std::unique_ptr<Data> data_;
};

}  // namespace torvex::core::store
