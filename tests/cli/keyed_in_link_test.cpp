// End to end: a link keyed in through the employee window's rules is checked
// by torvex-cli verificar and written by torvex-cli gravar.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/entry/employee_entry.h"
#include "support/cli_runner.h"
#include "support/declaration_samples.h"
#include "support/typed_link.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using core::entry::EmployeeEntry;

TEST(CliKeyedInLink, PassesTheCheckAndIsWritten) {
  TempDataFolder folder;
  const Values establishment = validEstablishment();
  insertRow(folder.db(), "BD8Resp", validResponsible());
  insertRow(folder.db(), "BD8Emp", establishment);
  {
    core::store::ReferenceLookup ref(folder.db());
    ScriptedInteraction ui;
    core::entry::LinkWarningCounters counters;
    EmployeeEntry entry(folder.db(), ref, ui, counters);
    ASSERT_TRUE(entry.load({"2006", establishment.at("CoCgcCeiEstabelecimento"), "00"}, std::nullopt).accepted());
    auto& v = entry.values();
    typeLink(v, validLink(establishment));
    v["CoMunicipioTrabalho"] = "3550308";
    ASSERT_TRUE(entry.leave("CoMunicipioTrabalho").accepted());
    const auto saved = entry.save();
    ASSERT_TRUE(saved.accepted()) << saved.code << " " << saved.focus;
  }
  folder.close();

  const auto verified = runTorvexCli("verificar --dados " + quoted(folder.path().string()));
  EXPECT_EQ(verified.status, 0) << verified.out;

  const fs::path destination = makeTempDirectory("torvex-transmite");
  const auto written = runTorvexCli("gravar --dados " + quoted(folder.path().string()) + " --destino " +
                                    quoted(destination.string()) + " --data 15022007");
  EXPECT_EQ(written.status, 0) << written.out << written.err;
  // Records 0, 1, 2 and 9, each of 527 characters and a line break.
  std::error_code ec;
  std::uintmax_t size = 0;
  for (const auto& file : fs::directory_iterator(destination)) size += fs::file_size(file.path(), ec);
  EXPECT_EQ(size, 4u * 529);
  fs::remove_all(destination);
}

}  // namespace
}  // namespace torvex::test
