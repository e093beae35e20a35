#pragma once
// The link counts an establishment row carries (NuVinculosEstabelecimento and
// NuEstrangeirosEstabelec), recomputed from its rows in BD8Vinc.
#include <string_view>

#include "core/store/database.h"

namespace torvex::core::store {

// Stores in the BD8Emp row of the key the number of its links (six digits)
// and of those whose CoNacionalidade is not "10" (five digits).
void storeLinkCounts(Database& db, std::string_view anBase, std::string_view inscription, std::string_view prefix);

}  // namespace torvex::core::store
