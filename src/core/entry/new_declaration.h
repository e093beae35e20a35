#pragma once
// The rules of the new-declaration window: classifying the typed inscription,
// the prefix and duplicate checks (with the offer to copy an establishment of
// the same inscription under another prefix), the linked-CEI and
// type-of-declaration checks, and "Ok", which stores the new row with its
// defaults. Whether the user hid the tips for declarations without employees.
#include <string>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/entry/establishment_entry.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::entry {

class NewDeclaration {
 public:
  static constexpr const char* kKindText = "TipoInscricao";

  NewDeclaration(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui);

  static const std::vector<std::string>& fieldOrder();

  // Clears the fields: with employees, active in the base year, empty inscription.
  void reset();
  FieldValues& values() { return values_; }
  bool linkedCeiEnabled() const { return kind_ == "1"; }
  bool activityEnabled() const;

  FieldOutcome leave(std::string_view field);
  // "Ok": every check in order, then the new row with its defaults.
  FieldOutcome ok();
  // Set once a row was stored (by "Ok" or by copying another prefix): the
  // establishment window opens in new mode with this key.
  bool stored() const { return stored_; }
  const EstablishmentKey& key() const { return key_; }

  FieldOutcome classify();
  FieldOutcome checkPrefixAndDuplicates();
  FieldOutcome checkLinkedCei();
  FieldOutcome checkDeclarationType();

 private:
  std::string& v(std::string_view field) { return values_[std::string(field)]; }
  std::string storedInscription();
  std::string prefixValue();
  void resetKind();
  FieldOutcome checkName();
  FieldOutcome checkCompanyUse();
  FieldOutcome checkInscriptionDigits();
  FieldOutcome checksOfOk();
  FieldOutcome copyFrom(const std::string& prefix);
  void storeNewRow();

  store::Database& db_;
  const store::ReferenceLookup& ref_;
  platform::Interaction& ui_;
  FieldValues values_;
  std::string classification_;  // "0050", "0051", "0052" once classified
  std::string kind_;            // "1" CNPJ, "3" CEI
  bool stored_ = false;
  EstablishmentKey key_;
};

// Whether the tips for declarations without employees were turned off (BD8Resp.InDicasSemEmpregados).
bool negativeTipsHidden(store::Database& db);
void setNegativeTipsHidden(store::Database& db, bool hidden);

}  // namespace torvex::core::entry
