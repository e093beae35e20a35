// A declaration read from a sound file, stored, and written again: the written
// file passes the structure analyser, loads back the same rows, and repeats the
// establishment and link records of the original file byte for byte (in key order).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "generator/declaration_generator.h"
#include "core/declfile/analise_estrutura.h"
#include "core/store/table_def.h"
#include "writer_fixture.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using core::delivery::WriteResult;

std::string readAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

core::declfile::AnalysisOutcome analyse(WriterBench& b, const fs::path& file) {
  core::declfile::TAnaliseEstrutura analyser;
  return analyser.AnalisaArquivo(file, {}, b.db, b.ui);
}

// Every column of a table but the record's sequence number, which follows the file's order.
std::string columnsButSequence(const std::string& table) {
  std::string out;
  for (const auto& f : core::store::findTableDef(table)->fields)
    if (f.name != "NuSequencialRegistro") out += (out.empty() ? "" : ", ") + f.name;
  return out;
}

// The records of a file between record 0 and record 9, without sequence numbers, sorted.
std::vector<std::string> bodyRecords(const std::string& bytes) {
  std::vector<std::string> out;
  for (std::size_t at = 529; at + 2 * 529 <= bytes.size(); at += 529) out.push_back(bytes.substr(at + 6, 523));
  std::sort(out.begin(), out.end());
  return out;
}

long long differingRows(core::store::Database& db, const std::string& a, const std::string& b,
                        const std::string& columns = "*") {
  auto st = db.prepare("SELECT count(*) FROM (SELECT " + columns + " FROM " + a + " EXCEPT SELECT " + columns +
                       " FROM " + b + ")");
  return st.step() ? st.integer(0) : -1;
}

TEST(RoundTrip, WrittenFileLoadsBackWhatWasStored) {
  WriterBench b;
  generator::GeneratorOptions o;
  o.establishments = 6;
  o.withoutLinksEvery = 3;
  o.links = 40;
  const fs::path original = b.scratch / "original.dec";
  {
    std::ofstream out(original, std::ios::binary);
    generator::DeclarationGenerator(o).write(out);
  }
  ASSERT_EQ(analyse(b, original).result, core::declfile::AnalysisResult::Loaded);
  // Store what was loaded as the declaration.
  for (const auto& [decl, work] : {std::pair{"BD8Resp", "Te8resp"}, {"BD8Emp", "Te8emp"}, {"BD8Vinc", "Te8vinc"}})
    b.db.exec(std::string("INSERT INTO ") + decl + " SELECT * FROM " + work);

  ASSERT_EQ(b.write(), WriteResult::Success);
  const fs::path written = b.last.lastWrittenPath;
  const auto reread = analyse(b, written);
  ASSERT_EQ(reread.result, core::declfile::AnalysisResult::Loaded);
  EXPECT_EQ(reread.establishments, 6);
  EXPECT_EQ(reread.links, 40);
  EXPECT_EQ(differingRows(b.db, "BD8Emp", "Te8emp", columnsButSequence("BD8Emp")), 0);
  EXPECT_EQ(differingRows(b.db, "BD8Vinc", "Te8vinc", columnsButSequence("BD8Vinc")), 0);
  EXPECT_EQ(differingRows(b.db, "BD8Resp", "Te8resp",
                          "CoCgcCeiResponsavel, InInscrResponsavel, NoResponsavelArquivo, EdLogradouroRespArquivo, "
                          "NuLogradouroRespArquivo, CoCepRespArquivo, CoMunicipioRespArquivo, TxEMailRespArquivo, "
                          "InReciboParaRespArquivo, InRetificacao, DaRetificacao, NuRespostaPesquisa"),
            0);

  const std::string before = readAll(original);
  const std::string after = readAll(written);
  ASSERT_EQ(after.size(), before.size());
  // The same establishment and link records, in key order rather than the generator's.
  EXPECT_EQ(bodyRecords(after), bodyRecords(before));
}

}  // namespace
}  // namespace torvex::test
