// Every message code the program can show or record must have its row in the
// message table, with a dialog kind and a text. The codes are collected from
// the string literals of the sources, so a new code cannot be forgotten.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

namespace fs = std::filesystem;

// Four-digit literals that are not message codes. "0000" means valid; the
// years are the base year and its neighbours; "3112" and "1231" are
// 31 December written ddmm and mmdd. Legal-nature codes are recognised from
// tb8NATJU instead of being listed here.
const std::set<std::string> kNotMessages{"0000", "2005", "2006", "2007", "3112", "1231"};

// Code -> first place it is used, from every "dddd" literal outside // comments.
std::map<std::string, std::string> codesInSources(const fs::path& root) {
  static const std::regex literal("\"([0-9]{4})\"");
  std::map<std::string, std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const auto ext = entry.path().extension();
    if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      // Cut a trailing // comment (one not inside a string literal).
      bool quoted = false;
      for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) quoted = !quoted;
        if (!quoted && line[i] == '/' && line[i + 1] == '/') {
          line.resize(i);
          break;
        }
      }
      for (std::sregex_iterator it(line.begin(), line.end(), literal), end; it != end; ++it)
        found.emplace((*it)[1].str(), entry.path().lexically_relative(root).string() + ":" + std::to_string(number));
    }
  }
  return found;
}

std::set<std::string> keys(Database& db, const std::string& sql) {
  std::set<std::string> out;
  Statement st = db.prepare(sql);
  while (st.step()) out.insert(st.text(0));
  return out;
}

TEST(MessageCodes, EveryCodeInTheSourcesHasAMessage) {
  test::TempDataFolder folder;
  auto& db = folder.db();
  const auto messages = keys(db, "SELECT NuMensagem FROM tb8MSG");
  const auto legalNatures = keys(db, "SELECT CoNaturezaJuridica FROM tb8NATJU");
  const auto used = codesInSources(fs::path(TORVEX_TEST_SOURCE_DIR) / "src");
  ASSERT_FALSE(used.empty());
  for (const auto& [code, where] : used) {
    if (messages.count(code) || kNotMessages.count(code) || legalNatures.count(code)) continue;
    ADD_FAILURE() << "message " << code << " (used at " << where << ") has no row in tb8MSG";
  }
}

TEST(MessageCodes, EveryMessageHasAKindAndAText) {
  test::TempDataFolder folder;
  Statement st = folder.db().prepare("SELECT NuMensagem, TpMensagem, TxMensagem FROM tb8MSG");
  int rows = 0;
  while (st.step()) {
    ++rows;
    EXPECT_TRUE(std::regex_match(st.text(0), std::regex("[0-9]{4}"))) << st.text(0);
    const std::string kind = st.text(1);
    EXPECT_TRUE(kind == "CNF" || kind == "WAR" || kind == "INF" || kind == "ERR") << st.text(0) << " " << kind;
    EXPECT_FALSE(st.text(2).empty()) << st.text(0);
  }
  EXPECT_GT(rows, 300);
}

}  // namespace
}  // namespace torvex::core::store
