#include "core/store/declaration_state.h"

namespace torvex::core::store {

bool hasCurrentDeclarations(Database& db) {
  auto& st = db.cached("SELECT CoCgcCeiEstabelecimento FROM BD8Emp WHERE AnBase = :ano1 OR AnBase = :ano2 LIMIT 1");
  st.bind(":ano1", kBaseYear).bind(":ano2", kFollowingYear);
  const bool any = st.step();
  st.reset();
  return any;
}

}  // namespace torvex::core::store
