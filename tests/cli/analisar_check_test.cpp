// torvex-cli analisar on a sound declaration file written by torvex-cli gravar
// from a stored declaration, with faults injected into chosen fields: the check
// that follows the structure analysis reports exactly the rows those faults cause.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/declfile/record_layout.h"
#include "support/cli_runner.h"
#include "support/declaration_samples.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
namespace df = core::declfile;

// The value of a key in one JSON line of the report (values hold no quotes here).
std::string value(const std::string& line, const std::string& key) {
  const std::string k = "\"" + key + "\":\"";
  const auto at = line.find(k);
  if (at == std::string::npos) return "?";
  const auto start = at + k.size();
  return line.substr(start, line.find('"', start) - start);
}

// A stored declaration sound also under the file flag (which requires the
// work municipality), written into a file by gravar.
fs::path writtenDeclaration(TempDataFolder& folder) {
  insertRow(folder.db(), "BD8Resp", validResponsible());
  const Values e = validEstablishment();
  insertRow(folder.db(), "BD8Emp", e);
  for (int i = 0; i < 3; ++i) {
    Values l = validLink(e);
    l["CoPisPasepEmpregado"] = pis("101123456" + std::to_string(i));
    l["NoEmpregado"] = std::string("EMPREGADO NUMERO ") + static_cast<char>('A' + i);
    l["CoMunicipioTrabalho"] = "3550308";
    insertRow(folder.db(), "BD8Vinc", l);
  }
  folder.db().exec("UPDATE BD8Emp SET NuVinculosEstabelecimento = '000003'");
  folder.close();
  const fs::path out = folder.path() / "saida";
  fs::create_directories(out);
  const auto r = runTorvexCli("gravar --dados " + folder.path().string() + " --destino " + out.string() + " --data 15022007");
  EXPECT_EQ(r.status, 0);
  for (const auto& entry : fs::directory_iterator(out)) return entry.path();
  return {};
}

// Replaces one field of the n-th record (0-based) of a type, left-aligned.
void inject(const fs::path& file, char type, int nth, const df::TArquivo& field, const std::string& text) {
  df::RecordLayout layout;
  df::MontaLayoutAnoAtual(layout);
  const df::TArquivo& typeField = layout.tipoUm[df::slot1::kTipo];
  std::string content;
  {
    std::ifstream in(file, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), {});
  }
  int seen = -1;
  for (std::size_t pos = 0; pos < content.size();) {
    std::size_t end = content.find('\n', pos);
    if (end == std::string::npos) end = content.size();
    const std::string_view record(content.data() + pos, end - pos);
    if (df::cutField(record, typeField) == std::string_view(&type, 1) && ++seen == nth) {
      std::string v = text;
      v.resize(static_cast<std::size_t>(field.length), ' ');
      content.replace(pos + static_cast<std::size_t>(field.start) - 1, v.size(), v);
      std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
      return;
    }
    pos = end + 1;
  }
  ADD_FAILURE() << "record " << type << " #" << nth << " not found";
}

TEST(CliAnalisarCheck, ASoundWrittenFileFindsNothing) {
  TempDataFolder folder;
  const fs::path file = writtenDeclaration(folder);
  ASSERT_FALSE(file.empty());
  const auto r = runTorvexCli("analisar " + file.string() + " --json --dados " + folder.path().string());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.lines.size(), 1u) << testing::PrintToString(r.lines);
}

TEST(CliAnalisarCheck, InjectedFaultsGiveExactlyTheirRows) {
  TempDataFolder folder;
  const fs::path file = writtenDeclaration(folder);
  ASSERT_FALSE(file.empty());
  df::RecordLayout layout;
  df::MontaLayoutAnoAtual(layout);
  // The second link: sex 3 (error); the third: a 13th salary of twelve months (warning).
  inject(file, '2', 1, layout.tipoDois[df::slot2::kSexo], "3");
  inject(file, '2', 2, layout.tipoDois[df::slot2::kFinal13], "001800000");
  // The establishment e-mail without an at-sign (error).
  inject(file, '1', 0, layout.tipoUm[df::slot1::kEmail], "rh.exemplo.com.br");
  const auto r = runTorvexCli("analisar " + file.string() + " --json --dados " + folder.path().string());
  EXPECT_EQ(r.status, 2);
  std::vector<std::string> rows;
  for (std::size_t i = 1; i < r.lines.size(); ++i)
    rows.push_back(value(r.lines[i], "errwar") + " " + value(r.lines[i], "tiporegistro") + " " +
                   value(r.lines[i], "retorno") + " " + value(r.lines[i], "lbl") + " " +
                   value(r.lines[i], "Conteudo") + " " + value(r.lines[i], "noempregado"));
  EXPECT_EQ(rows, (std::vector<std::string>{"err 1 3627 1617 rh.exemplo.com.br ",
                                            "err 2 3524 3523 3 EMPREGADO NUMERO B",
                                            "war 2 3508 1664 18.000,00 EMPREGADO NUMERO C",
                                            "war 2 3508 1665 18.750,00 EMPREGADO NUMERO C"}));
}

// A NUL inside a link's company-use text is a non-printable character: the
// check reports it, and the file is not rewritten (with or without its bytes).
TEST(CliAnalisarCheck, ANulInsideALinkFieldIsReportedAndNotRewritten) {
  TempDataFolder folder;
  const fs::path file = writtenDeclaration(folder);
  ASSERT_FALSE(file.empty());
  df::RecordLayout layout;
  df::MontaLayoutAnoAtual(layout);
  inject(file, '2', 0, layout.tipoDois[df::slot2::kUsoEmpresa], std::string("AB\0CD", 5));
  const auto r = runTorvexCli("analisar " + file.string() + " --json --dados " + folder.path().string());
  EXPECT_EQ(r.status, 2);
  ASSERT_EQ(r.lines.size(), 2u) << testing::PrintToString(r.lines);
  EXPECT_EQ(value(r.lines[1], "retorno") + " " + value(r.lines[1], "lbl") + " " + value(r.lines[1], "Conteudo"),
            "0020 1623 AB\\u0000CD");
  EXPECT_EQ(value(r.lines[1], "usoempresa"), "AB\\u0000CD");

  const fs::path again = folder.path() / "de-novo";
  fs::create_directories(again);
  const auto refused = runTorvexCli("analisar " + file.string() + " --dados " + folder.path().string() +
                                    " --gravar " + again.string());
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(fs::is_empty(again));
}

}  // namespace
}  // namespace torvex::test
