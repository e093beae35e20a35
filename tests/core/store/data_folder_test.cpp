#include "core/store/data_folder.h"

#include <gtest/gtest.h>

#include "core/store/declaration_state.h"
#include "core/store/engine_error.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

using test::ScriptedInteraction;
using test::TempDataFolder;

TEST(StartupCheck, EveryRequiredTableOfTheBuiltFolderIsPresent) {
  TempDataFolder folder;
  ScriptedInteraction ui;
  EXPECT_TRUE(startupCheck(folder.path(), ui));
  EXPECT_TRUE(ui.shown.empty());
  for (const auto& file : requiredTableFiles()) EXPECT_NE(tableForFile(file), nullptr) << file;
}

TEST(StartupCheck, AMissingTableRefusesToStart) {
  for (const char* table : {"tbDefi", "BD8Emp", "tb8MSG"}) {
    TempDataFolder folder;
    folder.db().dropTable(table);
    folder.close();
    ScriptedInteraction ui;
    EXPECT_FALSE(startupCheck(folder.path(), ui)) << table;
  }
}

TEST(StartupCheck, AMissingDatabaseFileRefusesToStart) {
  TempDataFolder folder;
  std::filesystem::remove(folder.path() / Database::kDeclarationFile);
  ScriptedInteraction ui;
  EXPECT_FALSE(startupCheck(folder.path(), ui));
}

TEST(StartupCheck, AMissingIndexIsRebuiltSilently) {
  TempDataFolder folder;
  folder.db().dropIndex("tb8MSG", "Main");
  folder.db().dropIndex("TbUf", "ISgUf");
  folder.db().dropIndex("BD8Vinc", "Main");
  ASSERT_FALSE(folder.db().indexExists("tb8MSG", "Main"));
  folder.close();
  ScriptedInteraction ui;
  EXPECT_TRUE(startupCheck(folder.path(), ui));
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_TRUE(folder.db().indexExists("tb8MSG", "Main"));
  EXPECT_TRUE(folder.db().indexExists("TbUf", "ISgUf"));
  EXPECT_TRUE(folder.db().indexExists("BD8Vinc", "Main"));
}

TEST(Reindex, RebuildsEveryIndexWithProgressAndSuccessMessage) {
  TempDataFolder folder;
  folder.db().dropIndex("BD8Emp", "Main");
  ScriptedInteraction ui;
  EXPECT_TRUE(reindexAll(folder.db(), ui));
  EXPECT_TRUE(folder.db().indexExists("BD8Emp", "Main"));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, "Arquivos indexados com sucesso.");
  // The bar runs to 17 of 17, then is hidden before the closing message.
  ASSERT_GE(ui.progressSteps.size(), 2u);
  EXPECT_EQ(ui.progressSteps[ui.progressSteps.size() - 2], (std::pair<std::int64_t, std::int64_t>{17, 17}));
  EXPECT_EQ(ui.progressSteps.back(), (std::pair<std::int64_t, std::int64_t>{0, 0}));
}

TEST(Reindex, AnotherProgramOnTheFolderStopsItWithTheEngineText) {
  TempDataFolder folder;
  Database other(folder.path());
  ScriptedInteraction ui;
  EXPECT_FALSE(reindexAll(folder.db(), ui));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[0].text.rfind("Nenhum usuário pode estar usando o sistema: \"Tabela ", 0), 0u)
      << ui.shown[0].text;
  EXPECT_EQ(ui.shown[1].text, "Arquivos com problemas. Reinstale novamente o sistema TORVEX2006.");
  EXPECT_TRUE(folder.db().indexExists("tb8MSG", "Main"));  // nothing touched
}

TEST(Reindex, IndexFileNameWithoutExtensionIsRefused) {
  TempDataFolder folder;
  ScriptedInteraction ui;
  EXPECT_FALSE(rebuildIndex(folder.db(), ui, "TB8MSG", "Main", "NuMensagem", false));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, "Parâmetro TabelaIndice deve conter nome da Tabela.indice");
}

TEST(DeclarationState, OnlyYears2006And2007CountAsDeclarations) {
  TempDataFolder folder;
  auto& db = folder.db();
  auto add = [&](const char* year) {
    db.prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES (:a,'1','00')")
        .bind(":a", year)
        .run();
  };
  EXPECT_FALSE(hasCurrentDeclarations(db));
  add("2005");
  EXPECT_FALSE(hasCurrentDeclarations(db));
  add("2007");
  EXPECT_TRUE(hasCurrentDeclarations(db));
  db.exec("DELETE FROM BD8Emp WHERE AnBase = '2007'");
  EXPECT_FALSE(hasCurrentDeclarations(db));
  add("2006");
  EXPECT_TRUE(hasCurrentDeclarations(db));
}

}  // namespace
}  // namespace torvex::core::store
