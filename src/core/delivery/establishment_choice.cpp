#include "core/delivery/establishment_choice.h"

#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::delivery {
namespace {

constexpr std::size_t kInscriptionWidth = 18;
constexpr std::size_t kNameWidth = 30;
constexpr const char* kGap = "  ";

}  // namespace

std::vector<ChoiceLine> establishmentChoice(store::Database& db, std::string_view year, ChoiceLineForm form) {
  auto st = db.prepare(
      "SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InInscrEstabelecimento, "
      "NoRazaoEstabelecimento, NuVinculosEstabelecimento FROM BD8Emp WHERE AnBase = :a "
      "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
  st.bind(":a", year);
  std::vector<ChoiceLine> out;
  while (st.step()) {
    ChoiceLine line{{st.text(0), st.text(1), st.text(2)}, {}};
    line.text = validation::fitLeft(validation::formatInscription(st.text(1), st.text(3)), kInscriptionWidth) + kGap +
                st.text(2) + kGap;
    if (form == ChoiceLineForm::Write)
      line.text += validation::fitLeft(st.text(4), kNameWidth) + kGap + st.text(5);
    else
      line.text += st.text(4);
    out.push_back(std::move(line));
  }
  return out;
}

std::vector<store::EstablishmentKey> tickedKeys(const std::vector<ChoiceLine>& lines, const std::vector<bool>& ticked) {
  std::vector<store::EstablishmentKey> out;
  for (std::size_t i = 0; i < lines.size() && i < ticked.size(); ++i)
    if (ticked[i]) out.push_back(lines[i].key);
  return out;
}

}  // namespace torvex::core::delivery
