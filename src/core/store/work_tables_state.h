#pragma once
// Whether the work tables hold a whole analysed file. The analyser writes the
// completion mark last, in the transaction that ends its load; anything else
// that fills or empties the work tables removes it first. Every reader of the
// work tables asks for it before reading them.
#include <stdexcept>

#include "core/store/database.h"

namespace torvex::core::store {

inline constexpr const char* kIncompleteWorkTablesMessage =
    "A análise do arquivo não chegou ao fim: analise o arquivo novamente.";

class IncompleteWorkTables : public std::runtime_error {
 public:
  IncompleteWorkTables() : std::runtime_error(kIncompleteWorkTablesMessage) {}
};

// Writes the mark (call inside the transaction that ends the load).
void markWorkTablesComplete(Database& db);
// Removes the mark (call before the work tables are filled or dropped).
void clearWorkTablesComplete(Database& db);
bool workTablesComplete(Database& db);
// Throws IncompleteWorkTables unless the mark is there.
void requireCompleteWorkTables(Database& db);

}  // namespace torvex::core::store
