#pragma once
// The code lists offered beside coded fields: which reference table, how its
// rows nest (headings by code length), which level may be chosen and how many
// characters of the chosen entry are the code.
#include <string>
#include <string_view>
#include <vector>

#include "core/store/database.h"

namespace torvex::core::entry {

enum class LookupKind {
  Municipality, Activity, LegalNature, Occupation, Schooling, AdmissionType, SalaryType, LinkType,
  TerminationCause, Nationality, Race, Disability, LeaveReason, Month,
};

struct LookupDef {
  LookupKind kind;
  const char* title;
  const char* table;       // empty for the fixed list of months
  const char* codeColumn;
  const char* nameColumn;
  std::vector<std::size_t> headingLengths;  // code lengths of the heading levels, outermost first
  std::size_t codeTaken;                    // characters of the entry text taken as the code
};

struct LookupEntry {
  std::string text;   // code + "  - " + description
  int level = 0;      // 0 outermost
  bool selectable = false;
};

const LookupDef& lookupDef(LookupKind kind);
// Every entry in key order, each with its level.
std::vector<LookupEntry> lookupEntries(store::Database& db, LookupKind kind);
// The code an entry gives: its first characters, trimmed.
std::string lookupCode(LookupKind kind, std::string_view entryText);

}  // namespace torvex::core::entry
