#include "core/validation/message_dialog.h"

#include <gtest/gtest.h>

#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::validation {
namespace {

using platform::Buttons;
using platform::DialogKind;

TEST(MessageDialog, KindGivesDialogAndButtons) {
  const std::tuple<const char*, DialogKind, Buttons> cases[] = {
      {"CNF", DialogKind::Confirmation, Buttons::YesNo},
      {"WAR", DialogKind::Warning, Buttons::Ok},
      {"INF", DialogKind::Information, Buttons::Ok},
      {"ERR", DialogKind::Error, Buttons::Ok},
  };
  for (const auto& [tp, kind, buttons] : cases) {
    test::ScriptedInteraction ui;
    ui.answers = {"mrNo"};
    EXPECT_EQ(showMessageText(ui, tp, "texto"), "mrNo");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].kind, kind) << tp;
    EXPECT_EQ(ui.shown[0].buttons, buttons) << tp;
    EXPECT_EQ(ui.shown[0].text, "texto");
  }
}

TEST(MessageDialog, UnknownKindShowsNothingAndOddAnswerIsMemoryError) {
  test::ScriptedInteraction ui;
  EXPECT_EQ(showMessageText(ui, "XYZ", "texto"), "");
  EXPECT_TRUE(ui.shown.empty());
  ui.answers = {""};
  EXPECT_EQ(showMessageText(ui, "INF", "texto"), "Erro de Memoria");
}

TEST(MessageDialog, ByCodeFromTheMessageTable) {
  test::TempDataFolder folder;
  auto& db = folder.db();
  db.prepare("DELETE FROM tb8MSG WHERE NuMensagem IN ('9901', '9902')").run();
  db.prepare("INSERT INTO tb8MSG (NuMensagem, TpMensagem, TxMensagem) VALUES ('9901', 'CNF', 'Confirma?')").run();
  db.prepare("INSERT INTO tb8MSG (NuMensagem, TpMensagem, TxMensagem) VALUES ('9902', 'ERR', 'Falhou.')").run();
  store::ReferenceLookup ref(db);
  test::ScriptedInteraction ui;
  ui.answers = {"mrYes", "mrOk", "mrOk", "mrOk"};
  EXPECT_EQ(showMessage(ui, ref, "9901"), "mrYes");
  EXPECT_EQ(ui.shown.back().text, "Confirma?");
  EXPECT_EQ(ui.shown.back().buttons, Buttons::YesNo);
  showMessageWithInscription(ui, ref, "9902", "11222333000181", "EMPRESA", "01", "1");
  EXPECT_EQ(ui.shown.back().kind, DialogKind::Information);
  EXPECT_EQ(ui.shown.back().text, "11.222.333/0001-81  - 01  - EMPRESA   \nFalhou.");
  // A code missing from the table is still reported, naming the code.
  EXPECT_EQ(showMessage(ui, ref, "9999"), "mrOk");
  EXPECT_EQ(ui.shown.back().kind, DialogKind::Error);
  EXPECT_NE(ui.shown.back().text.find("9999"), std::string::npos);
}

TEST(MessageDialog, InterruptionPrompt) {
  test::ScriptedInteraction ui;
  ui.answers = {"mrYes", "mrNo"};
  EXPECT_TRUE(confirmInterruption(ui));
  EXPECT_FALSE(confirmInterruption(ui));
  EXPECT_EQ(ui.shown[0].text, "Deseja interromper?");
  EXPECT_EQ(ui.shown[0].kind, DialogKind::Information);
  EXPECT_EQ(ui.shown[0].buttons, Buttons::YesNo);
}

}  // namespace
}  // namespace torvex::core::validation
