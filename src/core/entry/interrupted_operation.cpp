#include "core/entry/interrupted_operation.h"

#include "core/validation/message_dialog.h"

namespace torvex::core::entry {

std::string interruptedOperationMessage(const std::string& marker) {
  static const std::pair<const char*, const char*> kMessages[] = {
      {open_operation::kEntry, "0500"},     {open_operation::kDeletion, "0501"},
      {open_operation::kTransfer, "0502"},  {open_operation::kEmployeeDeletion, "0503"},
      {open_operation::kLinkCodeChange, "0504"},
  };
  for (const auto& [value, code] : kMessages)
    if (marker == value) return code;
  return {};
}

bool reportAndClearInterrupted(store::Database& db, const store::ReferenceLookup& ref, platform::Interaction& ui,
                               const std::string& baseYear, const std::string& inscription,
                               const std::string& prefix) {
  auto st = db.prepare(
      "SELECT InOpcaoAberta, NoRazaoEstabelecimento, InInscrEstabelecimento FROM BD8Emp "
      "WHERE AnBase = :ano AND CoCgcCeiEstabelecimento = :insc AND NuPrefixoEstabelecimento = :pref");
  st.bind(":ano", baseYear).bind(":insc", inscription).bind(":pref", prefix);
  if (!st.step()) return false;
  const std::string marker = st.text(0);
  const std::string name = st.text(1);
  const std::string kind = st.text(2);
  st.reset();
  if (marker.empty()) return false;
  if (const std::string code = interruptedOperationMessage(marker); !code.empty())
    validation::showMessageWithInscription(ui, ref, code, inscription, name, prefix, kind);
  db.prepare("UPDATE BD8Emp SET InOpcaoAberta = '' WHERE AnBase = :ano AND CoCgcCeiEstabelecimento = :insc "
             "AND NuPrefixoEstabelecimento = :pref")
      .bind(":ano", baseYear)
      .bind(":insc", inscription)
      .bind(":pref", prefix)
      .run();
  return true;
}

}  // namespace torvex::core::entry
