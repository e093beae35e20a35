#pragma once
// The version of the declaration database's layout, kept in the file itself
// (PRAGMA user_version). A folder written by an older program is brought up to
// date step by step when it is opened; one written by a newer program, or of a
// version this program does not know, is refused and left untouched.
#include <sqlite3.h>

#include <string>

namespace torvex::core::store {

inline constexpr int kDeclarationSchemaVersion = 1;

// The text shown when a declaration database of version `found` is refused.
std::string newerSchemaMessage(int found);

// Reads the version of the declaration database (schema "main" of `db`),
// applies the steps from it to the current version in one transaction, and
// throws EngineError (kCannotOpen) when the version is not one this program knows.
void bringDeclarationSchemaUpToDate(sqlite3* db);

}  // namespace torvex::core::store
