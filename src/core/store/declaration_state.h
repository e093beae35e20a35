#pragma once
// Questions about the stored declarations that the main window asks.
#include <string_view>
#include <vector>

#include "core/product.h"
#include "core/store/database.h"
#include "core/store/establishment_key.h"

namespace torvex::core::store {

// The program's base year, its previous year, and the year of early declarations
// of establishments that closed their activities.
// (Plain C strings: they are bound and listed where a string literal was.)
inline constexpr const char* kBaseYear = product::kBaseYear.data();
inline constexpr const char* kPreviousYear = product::kPreviousYear.data();
inline constexpr const char* kFollowingYear = product::kNextYear.data();

// True while BD8Emp holds an establishment of base year 2006 or 2007: the
// commands that work on existing declarations are enabled only then.
bool hasCurrentDeclarations(Database& db);

// The establishments of BD8Emp of `year`, in inscription and prefix order.
std::vector<EstablishmentKey> establishmentsOfYear(Database& db, std::string_view year);

}  // namespace torvex::core::store
