// The rectification's selection and its copy into the work tables: exactly the
// chosen rows are copied and written with suffix R, links without PIS are told
// apart by name, a negative establishment goes without links, and a vanished
// or repeated row fails without touching what the work tables held.
#include <gtest/gtest.h>

#include <fstream>

#include "core/delivery/rectification_selection.h"
#include "core/jobs/rectification_job.h"
#include "core/jobs/write_declaration_job.h"
#include "core/delivery/folder_media.h"
#include "core/store/work_tables_state.h"
#include "support/declaration_samples.h"

using namespace torvex;
using namespace torvex::core;
using delivery::RectificationSelection;
using test::Values;

namespace {

const std::string kZeroPis = "00000000000";

struct Bench {
  test::TempDataFolder folder;
  store::Database& db = folder.db();
  store::ReferenceLookup reference{db};
  test::ScriptedInteraction ui;
  std::filesystem::path transmite = folder.path() / "Transmite";
  delivery::FolderMedia media{transmite};
  RectificationSelection selection{db};

  Bench() {
    std::filesystem::create_directories(transmite);
    test::insertRow(db, "BD8Resp", test::validResponsible());
  }

  Values establishment(const std::string& root, const Values& changes = {}) {
    Values e = test::validEstablishment();
    e["CoCgcCeiEstabelecimento"] = test::cnpj(root);
    for (const auto& [k, v] : changes) e[k] = v;
    test::insertRow(db, "BD8Emp", e);
    return e;
  }
  void link(const Values& e, const std::string& pis, const std::string& admission, const std::string& name,
            const std::string& sequence = "000001") {
    Values l = test::validLink(e);
    l["CoPisPasepEmpregado"] = pis;
    l["DaAdmissaoEmpregado"] = admission;
    l["NoEmpregado"] = name;
    l["NuSequencialRegistro"] = sequence;
    test::insertRow(db, "BD8Vinc", l);
  }
  // "PIS name" of every row of Te8vinc, in key order.
  std::vector<std::string> copiedLinks() {
    std::vector<std::string> out;
    auto st = db.prepare("SELECT CoPisPasepEmpregado, NoEmpregado FROM Te8vinc ORDER BY rowid");
    while (st.step()) out.push_back(st.text(0) + " " + st.text(1));
    return out;
  }
  std::int64_t rows(const char* table) { return db.rowCount(table); }
};

// The PIS (positions 24-34) of the link records (type in position 23) of a written file.
std::vector<std::string> writtenLinkPis(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> out;
  std::string line;
  while (std::getline(in, line))
    if (line.size() > 34 && line[22] == '2') out.push_back(line.substr(23, 11));
  return out;
}

}  // namespace

TEST(Rectification, CopiesExactlyTheChosenRowsAndWritesThemWithSuffixR) {
  Bench b;
  ASSERT_TRUE(jobs::startRectification(b.db));
  const auto with = b.establishment("11222333");
  const std::string p1 = test::pis("1011234567"), p2 = test::pis("1200000001"), p3 = test::pis("1300000002");
  b.link(with, p1, "01032005", "ANA SOUZA");
  b.link(with, p2, "01032005", "BRUNO LIMA");
  b.link(with, p3, "01032005", "CARLA DIAS");
  b.establishment("55666777", {{"InKevaNegEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000000"}});
  b.establishment("99888777");  // not marked
  // Dates of an earlier file the responsible row was imported from: not those of this rectification.
  b.db.exec("UPDATE BD8Resp SET DaRetificacao = '00000000', DaGeracao = '20012006'");

  ASSERT_TRUE(b.selection.load("2006"));
  ASSERT_EQ(b.selection.entries().size(), 3u);
  EXPECT_TRUE(b.selection.entries()[0].hasEmployees);
  EXPECT_FALSE(b.selection.entries()[1].hasEmployees);
  b.selection.mark(0);
  ASSERT_EQ(b.selection.links().size(), 3u);
  EXPECT_EQ(b.selection.links()[0].text, "101.12345.67.8  01/03/2005  ANA SOUZA");
  b.selection.tickLink(2, true);
  b.selection.tickLink(0, true);
  EXPECT_EQ(b.selection.mark(1).code, "");  // the negative one needs no link
  EXPECT_EQ(b.selection.checkBeforeAdvance(), "");

  auto copied = jobs::copyForRectification(b.db, b.selection);
  ASSERT_EQ(copied.result, jobs::RectificationCopyResult::Copied);
  // Copied again (the check was stopped and the page confirmed anew): still one of each.
  copied = jobs::copyForRectification(b.db, b.selection);
  ASSERT_EQ(copied.result, jobs::RectificationCopyResult::Copied);
  EXPECT_EQ(b.rows("Te8resp"), 1);
  EXPECT_EQ(b.rows("Te8emp"), 2);
  EXPECT_EQ(b.copiedLinks(), (std::vector<std::string>{p3 + " CARLA DIAS", p1 + " ANA SOUZA"}));
  {
    auto every = b.db.prepare("SELECT COUNT(*) FROM Te8vinc v JOIN BD8Vinc d USING (CoPisPasepEmpregado, "
                              "DaAdmissaoEmpregado, NoEmpregado, DaNascimentoEmpregado, VaSalContratualEmpregado)");
    ASSERT_TRUE(every.step());
    EXPECT_EQ(every.integer(0), 2);  // whole rows, not only their keys
  }

  jobs::JobHost host{b.db, b.reference, b.ui};
  jobs::WriteSettings settings;
  settings.rectification = true;
  settings.generationDate = "15022007";
  const auto out = jobs::writeDeclaration(host, b.media, settings);
  ASSERT_EQ(out.result, jobs::WriteJobResult::Written) << testing::PrintToString(test::findingLines(b.db));
  ASSERT_EQ(out.write.files.size(), 1u);
  EXPECT_EQ(out.write.files[0].path.stem().string().back(), 'R');
  std::ifstream file(out.write.files[0].path, std::ios::binary);
  std::string header;
  std::getline(file, header);
  EXPECT_EQ(header.substr(222, 17), "1" "15022007" "15022007");  // indicator, rectification and generation dates
  auto written = writtenLinkPis(out.write.files[0].path);
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{p1, p3}));
}

TEST(Rectification, LinksWithoutPisAreToldApartByName) {
  Bench b;
  ASSERT_TRUE(jobs::startRectification(b.db));
  const auto e = b.establishment("11222333");
  b.link(e, kZeroPis, "01032005", "PRIMEIRO");
  b.link(e, kZeroPis, "01032005", "SEGUNDO");
  b.link(e, test::pis("1011234567"), "01032005", "TERCEIRO");
  ASSERT_TRUE(b.selection.load("2006"));
  b.selection.mark(0);
  ASSERT_EQ(b.selection.links().size(), 3u);
  EXPECT_EQ(b.selection.links()[1].link.name, "SEGUNDO");
  EXPECT_EQ(b.selection.links()[2].link.name, "");  // a real PIS needs no name
  b.selection.tickLink(1, true);
  ASSERT_EQ(jobs::copyForRectification(b.db, b.selection).result, jobs::RectificationCopyResult::Copied);
  EXPECT_EQ(b.copiedLinks(), std::vector<std::string>{kZeroPis + " SEGUNDO"});
}

TEST(Rectification, MarkingRules) {
  Bench b;
  EXPECT_FALSE(b.selection.load("2006"));  // nothing stored
  const auto first = b.establishment("11222333");
  const auto second = b.establishment("99888777");
  b.link(first, test::pis("1011234567"), "01032005", "ANA SOUZA");
  b.link(first, test::pis("1200000001"), "01032005", "BRUNO LIMA");
  b.link(second, test::pis("1300000002"), "01032005", "CARLA DIAS");
  ASSERT_TRUE(b.selection.load("2006"));
  EXPECT_EQ(b.selection.checkBeforeAdvance(), "1301");

  // Marking another establishment while the current one has no link unmarks it.
  b.selection.mark(0);
  auto marked = b.selection.mark(1);
  EXPECT_EQ(marked.code, "1304");
  EXPECT_EQ(marked.unmarked, std::optional<std::size_t>(0));
  EXPECT_FALSE(b.selection.entries()[0].chosen);
  EXPECT_EQ(b.selection.current(), std::optional<std::size_t>(1));
  ASSERT_EQ(b.selection.links().size(), 1u);

  // Avançar with the current one still without links: "1304", unmarked, list cleared.
  EXPECT_EQ(b.selection.checkBeforeAdvance(), "1304");
  EXPECT_FALSE(b.selection.entries()[1].chosen);
  EXPECT_TRUE(b.selection.links().empty());

  // Select all in list order, then none; ticks follow; unmarking drops the links.
  b.selection.mark(0);
  b.selection.tickLink(1, true);
  b.selection.tickAllLinks(true);
  ASSERT_EQ(b.selection.entries()[0].links.size(), 2u);
  EXPECT_EQ(b.selection.entries()[0].links[0].name + b.selection.entries()[0].links[0].pis,
            test::pis("1011234567"));
  b.selection.tickLink(0, false);
  EXPECT_FALSE(b.selection.linkTicked(0));
  ASSERT_EQ(b.selection.entries()[0].links.size(), 1u);
  EXPECT_EQ(b.selection.entries()[0].links[0].line, 1u);
  b.selection.tickAllLinks(false);
  EXPECT_TRUE(b.selection.entries()[0].links.empty());
  b.selection.tickLink(0, true);
  EXPECT_EQ(b.selection.mark(1).code, "");  // the first has a link: it stays marked
  EXPECT_TRUE(b.selection.entries()[0].chosen);
  b.selection.unmark(1);
  EXPECT_FALSE(b.selection.current());
  EXPECT_EQ(b.selection.checkBeforeAdvance(), "");
}

TEST(Rectification, VanishedOrRepeatedRowsFailAndKeepTheWorkTables) {
  Bench b;
  ASSERT_TRUE(jobs::startRectification(b.db));
  const auto e = b.establishment("11222333");
  const std::string p = test::pis("1011234567");
  b.link(e, p, "01032005", "ANA", "000001");
  b.link(e, p, "01032005", "ANA MARIA", "000002");  // same PIS and date: found as the first
  ASSERT_TRUE(b.selection.load("2006"));
  b.selection.mark(0);
  b.selection.tickLink(0, true);
  ASSERT_EQ(jobs::copyForRectification(b.db, b.selection).result, jobs::RectificationCopyResult::Copied);

  b.selection.tickLink(1, true);
  auto out = jobs::copyForRectification(b.db, b.selection);
  EXPECT_EQ(out.result, jobs::RectificationCopyResult::Duplicate);
  EXPECT_EQ(out.code, "1926");
  EXPECT_EQ(b.copiedLinks(), std::vector<std::string>{p + " ANA"});

  b.db.exec("DELETE FROM BD8Vinc");
  out = jobs::copyForRectification(b.db, b.selection);
  EXPECT_EQ(out.result, jobs::RectificationCopyResult::Missing);
  EXPECT_EQ(out.code, "1925");
  b.db.exec("DELETE FROM BD8Emp");
  EXPECT_EQ(jobs::copyForRectification(b.db, b.selection).code, "1925");
  EXPECT_EQ(b.rows("Te8resp"), 1);
  EXPECT_EQ(b.copiedLinks(), std::vector<std::string>{p + " ANA"});
}

TEST(Rectification, StartMakesEmptyWorkTablesThatNoLongerPassForAnAnalysedFile) {
  Bench b;
  ASSERT_TRUE(jobs::startRectification(b.db));
  test::insertRow(b.db, "Te8resp", test::validResponsible());
  store::markWorkTablesComplete(b.db);
  ASSERT_TRUE(jobs::startRectification(b.db));
  for (const char* t : {"Te8resp", "Te8emp", "Te8vinc"}) EXPECT_EQ(b.rows(t), 0) << t;
  EXPECT_FALSE(store::workTablesComplete(b.db));
}
