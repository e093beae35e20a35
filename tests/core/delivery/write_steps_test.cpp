// The establishment list the wizards tick from, and the write job as the
// wizard runs it: the check first, the date and drive afterwards, a refused
// date that can be corrected, and the rectification written from the work tables.
#include <gtest/gtest.h>

#include "core/delivery/establishment_choice.h"
#include "core/jobs/verify_declarations_job.h"
#include "core/jobs/write_declaration_job.h"
#include "core/delivery/folder_media.h"
#include "core/store/reference_lookup.h"
#include "core/store/table_def.h"
#include "support/declaration_samples.h"

using namespace torvex;
using namespace torvex::core;
using test::Values;

namespace {

struct Bench {
  test::TempDataFolder folder;
  store::Database& db = folder.db();
  store::ReferenceLookup reference{db};
  test::ScriptedInteraction ui;
  jobs::JobHost host{db, reference, ui};
  std::filesystem::path transmite = folder.path() / "Transmite";
  delivery::FolderMedia media{transmite};

  Bench() { std::filesystem::create_directories(transmite); }

  // An establishment with one link; `changes` over the valid values.
  Values add(const std::string& table, const std::string& inscription, const std::string& prefix,
             const Values& changes = {}) {
    Values e = test::validEstablishment();
    e["CoCgcCeiEstabelecimento"] = inscription;
    e["NuPrefixoEstabelecimento"] = prefix;
    for (const auto& [k, v] : changes) e[k] = v;
    test::insertRow(db, table, e);
    test::insertRow(db, table == "BD8Emp" ? "BD8Vinc" : "Te8vinc", test::validLink(e));
    return e;
  }
};

}  // namespace

TEST(EstablishmentChoice, LinesInKeyOrderWithTheirKeysAndBothForms) {
  Bench b;
  const std::string late = test::cnpj("99888777"), early = test::cnpj("11222333");
  b.add("BD8Emp", late, "00");
  b.add("BD8Emp", early, "01", {{"NoRazaoEstabelecimento", "UMA RAZAO SOCIAL BEM MAIS LONGA QUE TRINTA"}});
  b.add("BD8Emp", early, "00", {{"AnBase", "2005"}});  // another year: not listed

  const auto write = delivery::establishmentChoice(b.db, "2006", delivery::ChoiceLineForm::Write);
  ASSERT_EQ(write.size(), 2u);
  EXPECT_EQ(write[0].key, (store::EstablishmentKey{"2006", early, "01"}));
  EXPECT_EQ(write[1].key, (store::EstablishmentKey{"2006", late, "00"}));
  EXPECT_EQ(write[0].text, "11.222.333/0001-81  01  UMA RAZAO SOCIAL BEM MAIS LONG  000001");

  const auto verify = delivery::establishmentChoice(b.db, "2006", delivery::ChoiceLineForm::Verify);
  EXPECT_EQ(verify[1].text, "99.888.777/0001-" + late.substr(12) + "  00  COMERCIO EXEMPLO LTDA");
  EXPECT_EQ(delivery::tickedKeys(write, {false, true}), std::vector<store::EstablishmentKey>{write[1].key});
}

TEST(VerifyDeclarations, ChecksOnlyTheChosenEstablishments) {
  Bench b;
  test::insertRow(b.db, "BD8Resp", test::validResponsible());
  const auto bad = b.add("BD8Emp", test::cnpj("99888777"), "00", {{"NuDDD", "31"}});  // a warning
  const auto good = b.add("BD8Emp", test::cnpj("11222333"), "00");

  auto outcome = jobs::verifyDeclarations(b.host, {{"2006", good.at("CoCgcCeiEstabelecimento"), "00"}});
  EXPECT_EQ(outcome.result, jobs::VerifyResult::Checked);
  EXPECT_EQ(outcome.check.establishments, 1);
  EXPECT_EQ(jobs::findingsOf(outcome.check), jobs::VerifyFindings::Nothing);

  outcome = jobs::verifyDeclarations(b.host, {{"2006", bad.at("CoCgcCeiEstabelecimento"), "00"}});
  EXPECT_EQ(jobs::findingsOf(outcome.check), jobs::VerifyFindings::Warnings);
}

TEST(WriteSteps, DateAskedAfterTheCheckIsRefusedThenCorrected) {
  Bench b;
  test::insertRow(b.db, "BD8Resp", test::validResponsible());
  b.add("BD8Emp", test::cnpj("11222333"), "00");

  jobs::WriteSettings settings;
  settings.dateAfterCheck = true;
  settings.generationDate = "not a date";  // not looked at by the first step
  const auto prepared = jobs::prepareWrite(b.host, settings);
  ASSERT_EQ(prepared.result, jobs::WriteJobResult::ReadyToWrite);

  settings.generationDate = "31122006";
  auto out = jobs::writePrepared(b.host, b.media, settings, prepared);
  EXPECT_EQ(out.result, jobs::WriteJobResult::InvalidDate);
  EXPECT_EQ(out.dateCode, "0420");
  EXPECT_TRUE(std::filesystem::is_empty(b.transmite));

  settings.generationDate = "01012007";
  out = jobs::writePrepared(b.host, b.media, settings, prepared);
  ASSERT_EQ(out.result, jobs::WriteJobResult::Written);
  ASSERT_EQ(out.write.files.size(), 1u);
  EXPECT_EQ(out.generationDate, "01012007");
}

TEST(WriteSteps, RectificationChecksAndWritesTheWorkTables) {
  Bench b;
  test::insertRow(b.db, "BD8Resp", test::validResponsible());
  b.add("BD8Emp", test::cnpj("11222333"), "00");
  for (const char* t : {store::table::kWorkResponsible, store::table::kWorkEstablishments, store::table::kWorkLinks})
    if (!b.db.tableExists(t)) b.db.createTable(*store::findTableDef(t));
  test::insertRow(b.db, "Te8resp", test::validResponsible());
  b.add("Te8emp", test::cnpj("99888777"), "00", {{"NoRazaoEstabelecimento", ""}});  // an error, in the work tables only

  jobs::WriteSettings settings;
  settings.rectification = true;
  settings.dateAfterCheck = true;
  EXPECT_EQ(jobs::prepareWrite(b.host, settings).result, jobs::WriteJobResult::RefusedErrors);

  b.db.exec("UPDATE Te8emp SET NoRazaoEstabelecimento = 'COMERCIO EXEMPLO LTDA'");
  const auto prepared = jobs::prepareWrite(b.host, settings);
  ASSERT_EQ(prepared.result, jobs::WriteJobResult::ReadyToWrite);
  settings.generationDate = "15022007";
  const auto out = jobs::writePrepared(b.host, b.media, settings, prepared);
  ASSERT_EQ(out.result, jobs::WriteJobResult::Written);
  ASSERT_EQ(out.write.files.size(), 1u);
  EXPECT_EQ(out.write.files[0].path.stem().string().back(), 'R');
}
