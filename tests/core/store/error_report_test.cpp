#include "core/store/error_report.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace torvex::core::store
