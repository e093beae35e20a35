#include "core/store/declaration_state.h"

namespace torvex::core::store {

bool hasCurrentDeclarations(Database& db) {
  auto& st = db.cached("SELECT CoCgcCeiEstabelecimento FROM BD8Emp WHERE AnBase = :ano1 OR AnBase = :ano2 LIMIT 1");
  st.bind(":ano1", kBaseYear).bind(":ano2", kFollowingYear);
  const bool any = st.step();
  st.reset();
  return any;
}

std::vector<EstablishmentKey> establishmentsOfYear(Database& db, std::string_view year) {
  auto st = db.prepare("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp "
                       "WHERE AnBase = :a ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
  st.bind(":a", year);
  std::vector<EstablishmentKey> out;
  while (st.step()) out.push_back({st.text(0), st.text(1), st.text(2)});
  return out;
}

}  // namespace torvex::core::store
