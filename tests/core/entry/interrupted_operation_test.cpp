#include "core/entry/interrupted_operation.h"

#include <gtest/gtest.h>

#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::entry {
namespace {

TEST(InterruptedOperation, EachMarkerShowsItsMessageWithTheEstablishmentAndIsCleared) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "0500"}, {"1", "0501"}, {"3", "0502"}, {"4", "0503"}, {"5", "0504"}, {"2", ""}, {"", ""}};
  for (const auto& [marker, code] : cases) {
    test::TempDataFolder folder;
    auto& db = folder.db();
    db.prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InInscrEstabelecimento,"
               " NoRazaoEstabelecimento, InOpcaoAberta) VALUES ('2006','11222333000181','00','1','PADARIA BOM PAO',:m)")
        .bind(":m", marker)
        .run();
    store::ReferenceLookup ref(db);
    test::ScriptedInteraction ui;
    const bool found = reportAndClearInterrupted(db, ref, ui, "2006", "11222333000181", "00");
    EXPECT_EQ(found, std::string(marker) != "") << marker;
    if (*code) {
      ASSERT_EQ(ui.shown.size(), 1u) << marker;
      EXPECT_EQ(ui.shown[0].kind, platform::DialogKind::Information);
      EXPECT_EQ(ui.shown[0].text.rfind("11.222.333/0001-81  - 00  - PADARIA BOM PAO", 0), 0u) << ui.shown[0].text;
      EXPECT_NE(ui.shown[0].text.find(ref.message(code)->text), std::string::npos);
    } else {
      EXPECT_TRUE(ui.shown.empty()) << marker;
    }
    auto st = db.prepare("SELECT InOpcaoAberta FROM BD8Emp");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.text(0), "");
  }
}

}  // namespace
}  // namespace torvex::core::entry
