#include "core/store/link_counts.h"

namespace torvex::core::store {

void storeLinkCounts(Database& db, std::string_view anBase, std::string_view inscription, std::string_view prefix) {
  auto& st = db.cached(
      "UPDATE BD8Emp SET "
      "NuVinculosEstabelecimento = printf('%06d', (SELECT count(*) FROM BD8Vinc v WHERE v.AnBase = :ano "
      "AND v.CoCgcCeiEstabelecimento = :insc AND v.NuPrefixoEstabelecimento = :pref)), "
      "NuEstrangeirosEstabelec = printf('%05d', (SELECT count(*) FROM BD8Vinc v WHERE v.AnBase = :ano "
      "AND v.CoCgcCeiEstabelecimento = :insc AND v.NuPrefixoEstabelecimento = :pref AND v.CoNacionalidade <> '10')) "
      "WHERE AnBase = :ano AND CoCgcCeiEstabelecimento = :insc AND NuPrefixoEstabelecimento = :pref");
  st.bind(":ano", anBase).bind(":insc", inscription).bind(":pref", prefix);
  st.run();
}

}  // namespace torvex::core::store
