#pragma once
// The list of a base year's establishments from which the verify and write
// wizards (and the rectification) let the user tick the ones to work on: one
// line per BD8Emp row in inscription and prefix order, each carrying its key.
#include <string>
#include <string_view>
#include <vector>

#include "core/store/database.h"
#include "core/store/establishment_key.h"

namespace torvex::core::delivery {

enum class ChoiceLineForm {
  Verify,  // inscription (18), prefix, name
  Write,   // inscription (18), prefix, name (30), declared link count
};

struct ChoiceLine {
  store::EstablishmentKey key;
  std::string text;
};

// The establishments of `year` in BD8Emp, in inscription and prefix order.
std::vector<ChoiceLine> establishmentChoice(store::Database& db, std::string_view year, ChoiceLineForm form);

// The keys of the ticked lines, in list order (`ticked` runs parallel to `lines`).
std::vector<store::EstablishmentKey> tickedKeys(const std::vector<ChoiceLine>& lines, const std::vector<bool>& ticked);

}  // namespace torvex::core::delivery
