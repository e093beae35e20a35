#pragma once
// What the import shows of a loaded file before anything is imported: the
// wizard's settings text, the file's establishments as list lines, and the
// rules for ticking them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/database.h"

namespace torvex::core::importing {

// The wizard settings: "Atual - Ano 2006" or "Anterior - Ano 2005".
struct ImportKind {
  bool previousYear = false;
  std::string importYear;  // the base year of the file, "2006" or "2005"

  static ImportKind currentYear();
  static ImportKind previousYearFile();
  // Reads a settings text: previous year when it contains "Anterior", the
  // year from the four characters after "Atual - Ano " or "Anterior - Ano ".
  static ImportKind fromSettingsText(std::string_view text);
  std::string settingsText() const;
};

// An establishment of the loaded file (a row of Te8emp of the import year).
struct FileEstablishment {
  std::string inscription;  // CoCgcCeiEstabelecimento
  std::string prefix;       // NuPrefixoEstabelecimento, as in the file
  std::string name;         // NoRazaoEstabelecimento
  std::string kind;         // InInscrEstabelecimento
  std::string links;        // NuVinculosEstabelecimento
};

// The establishments of Te8emp whose AnBase is `importYear`, in table order.
std::vector<FileEstablishment> fileEstablishments(store::Database& db, std::string_view importYear);

// The list line: punctuated inscription fitted to 18, two blanks, the prefix
// (fitted to 2 so that the columns stay in line), two blanks, the name fitted to 30, two blanks, the declared link count.
std::string listLine(const FileEstablishment& e);

// A line can be ticked only when its prefix (characters 21-22, trimmed) has two characters.
bool canTick(std::string_view line);

// Texts of the tick rules.
inline constexpr const char* kCannotTickMessage = "Este estabelecimento não poderá ser importado. Verifique Prefixo.";
inline constexpr const char* kSelectAllStopMessage = "Prefixo Inválido. Estabelecimento não poderá ser importado.";
// Message shown when the import is concluded with no line ticked.
inline constexpr const char* kNothingTickedCode = "1301";

// "Selecionar Todos": ticks the lines from the top and stops at the first one
// that cannot be ticked, leaving it and the lines below as they were. Answers
// that line's index, if any.
std::optional<std::size_t> selectAll(const std::vector<std::string>& lines, std::vector<bool>& ticked);

}  // namespace torvex::core::importing
