#include "core/importing/establishment_list.h"

#include "core/store/declaration_state.h"
#include "core/store/work_tables_state.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::importing {
namespace {

constexpr std::string_view kCurrentText = "Atual - Ano ";
constexpr std::string_view kPreviousText = "Anterior - Ano ";
constexpr std::size_t kInscriptionWidth = 18;
constexpr std::size_t kPrefixStart = 20;  // characters 21-22
constexpr std::size_t kNameWidth = 30;

}  // namespace

ImportKind ImportKind::currentYear() { return {false, store::kBaseYear}; }
ImportKind ImportKind::previousYearFile() { return {true, store::kPreviousYear}; }

ImportKind ImportKind::fromSettingsText(std::string_view text) {
  ImportKind k;
  k.previousYear = text.find("Anterior") != std::string_view::npos;
  const auto lead = k.previousYear ? kPreviousText : kCurrentText;
  const auto at = text.find(lead);
  if (at != std::string_view::npos) k.importYear = std::string(text.substr(at + lead.size(), 4));
  return k;
}

std::string ImportKind::settingsText() const {
  return std::string(previousYear ? kPreviousText : kCurrentText) + importYear;
}

std::vector<FileEstablishment> fileEstablishments(store::Database& db, std::string_view importYear) {
  std::vector<FileEstablishment> out;
  if (!db.tableExists(store::table::kWorkEstablishments)) return out;
  store::requireCompleteWorkTables(db);
  auto st = db.prepare(
      "SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, InInscrEstabelecimento, "
      "NuVinculosEstabelecimento FROM Te8emp WHERE AnBase = :ano ORDER BY rowid");
  st.bind(":ano", importYear);
  while (st.step()) out.push_back({st.text(0), st.text(1), st.text(2), st.text(3), st.text(4)});
  return out;
}

std::string listLine(const FileEstablishment& e) {
  using validation::fitLeft;
  return fitLeft(validation::formatInscription(e.inscription, e.kind), kInscriptionWidth) + "  " + fitLeft(e.prefix, 2) +
         "  " + fitLeft(e.name, kNameWidth) + "  " + e.links;
}

bool canTick(std::string_view line) {
  const auto prefix = line.size() > kPrefixStart ? line.substr(kPrefixStart, 2) : std::string_view{};
  return validation::trimBlanks(prefix).size() >= 2;
}

std::optional<std::size_t> selectAll(const std::vector<std::string>& lines, std::vector<bool>& ticked) {
  ticked.resize(lines.size(), false);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!canTick(lines[i])) return i;
    ticked[i] = true;
  }
  return std::nullopt;
}

}  // namespace torvex::core::importing
