#include "core/store/error_report.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/store/engine_error.h"

namespace torvex::core::store {
namespace {

const std::string kClosing = "\n\r\n\rErro não previsto.\n\rContatar a VALNOR comunicando todos os itens da mensagem.";

TEST(ErrorReport, EngineErrorShowsCodeCategoryAndBothTextsEarlierOneLast) {
  EngineError e({{engine_code::kIoError, "primeiro"}, {9729, "segundo"}});
  const auto r = buildErrorReport(e);
  EXPECT_EQ(r.kind, ErrorReport::Kind::Engine);
  EXPECT_TRUE(r.beep);
  EXPECT_EQ(r.text, "Erro BDE   9729 : $2601\r\n" + engineCategoryMessage(0x26) + "\r\nsegundo\r\nprimeiro" + kClosing);
}

TEST(ErrorReport, EngineErrorWithEqualCodesShowsTheTextOnce) {
  EngineError e({{9729, "igual"}, {9729, "igual"}});
  const auto r = buildErrorReport(e);
  EXPECT_EQ(r.text.find("igual"), r.text.rfind("igual"));
}

TEST(ErrorReport, LookupListCodeIsSilentOnlyWithABoundLookupFocused) {
  EngineError e(10756, "lookup");
  EXPECT_TRUE(buildErrorReport(e, true).silent);
  EXPECT_FALSE(buildErrorReport(e, false).silent);
}

TEST(ErrorReport, DatabaseAndOtherErrors) {
  const auto db = buildErrorReport(DataAccessError("sem conexão"));
  EXPECT_EQ(db.kind, ErrorReport::Kind::Database);
  EXPECT_TRUE(db.beep);
  EXPECT_EQ(db.text, "Erro DataBase.\n\r\n\rsem conexão" + kClosing);
  const auto other = buildErrorReport(std::runtime_error("falhou"));
  EXPECT_EQ(other.kind, ErrorReport::Kind::Other);
  EXPECT_FALSE(other.beep);
  EXPECT_EQ(other.text, "Erro fatal.\n\r\n\rfalhou" + kClosing);
}

// SQLite speaks English: what it adds reaches the user in Portuguese, or not at all.
TEST(EngineErrorText, SqliteMessagesAreToldInPortuguese) {
  const struct {
    int code;
    const char* sqlite;
    const char* shown;
  } cases[] = {
      {SQLITE_BUSY, "database is locked", "Arquivo de dados bloqueado por outro programa."},
      {SQLITE_FULL, "database or disk is full", "Disco cheio."},
      {SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed: BD8Emp.AnBase",
       "Violação de chave: já existe um registro com esta chave. (chave BD8Emp.AnBase)"},
      {SQLITE_ERROR, "no such column: NoRazaoEstabelecimento",
       "Erro na consulta. (coluna inexistente: NoRazaoEstabelecimento)"},
      {SQLITE_ERROR, "table Te8emp has no column named NoRazao", "Erro na consulta. (a tabela Te8emp não tem a coluna NoRazao)"},
      {SQLITE_ERROR, "near \"SELEC\": syntax error", "Erro na consulta. (código SQLite 1)"},
  };
  for (const auto& c : cases) EXPECT_STREQ(engineErrorFromSqlite(c.code, c.sqlite).what(), c.shown) << c.sqlite;
}

}  // namespace
}  // namespace torvex::core::store
