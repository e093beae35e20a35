// The import merge on generated files: new and existing establishments,
// duplicates, ended links of last year, new prefixes, refusals, interruption.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "generator/declaration_generator.h"
#include "support/record_text.h"
#include "core/importing/establishment_list.h"
#include "core/importing/import_merge.h"
#include "core/importing/prefix.h"
#include "core/jobs/import_job.h"
#include "support/declaration_samples.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace declfile = core::declfile;
namespace importing = core::importing;
namespace jobs = core::jobs;

// A generated file split into records, to be changed field by field.
class FileRecords {
 public:
  explicit FileRecords(generator::GeneratorOptions o) {
    generator::DeclarationGenerator g(o);
    layout_ = g.layout();
    records_ = splitRecords(g.text(), layout_.recordLength);
  }

  // Index of the record of establishment `e` (0-based, file order).
  std::size_t establishment(int e) const { return ofType('1').at(static_cast<std::size_t>(e)); }
  // Index of link `n` of establishment `e`.
  std::size_t link(int e, int n) const { return establishment(e) + 1 + static_cast<std::size_t>(n); }
  std::string field(std::size_t record, const declfile::TArquivo& f) const {
    return std::string(declfile::cutField(records_.at(record), f));
  }

  void put(std::size_t record, const declfile::TArquivo& f, const std::string& value) {
    std::string v = value;
    v.resize(static_cast<std::size_t>(f.length), ' ');
    records_.at(record).replace(static_cast<std::size_t>(f.start - 1), v.size(), v);
  }
  void putLink(int e, int n, int slot, const std::string& value) { put(link(e, n), layout_.tipoDois[slot], value); }
  void putEstablishment(int e, int slot, const std::string& value) {
    put(establishment(e), layout_.tipoUm[slot], value);
  }
  // The linked CEI, 14 characters from two positions before its descriptor.
  void putLinkedCei(int e, const std::string& fourteen) {
    const auto& f = layout_.tipoUm[declfile::slot1::kCeiVinculado];
    records_.at(establishment(e)).replace(static_cast<std::size_t>(f.start - 3), 14, fourteen);
  }
  // A new prefix for establishment `e` and its links (not the first or last establishment).
  void putPrefix(int e, const std::string& prefix) {
    std::string p = prefix;
    p.resize(2, ' ');
    for (std::size_t r = establishment(e); r < records_.size() && (r == establishment(e) || type(r) == '2'); ++r)
      records_[r].replace(20, 2, p);
  }

  std::string text() const { return joinRecords(records_); }
  const declfile::RecordLayout& layout() const { return layout_; }

 private:
  char type(std::size_t r) const { return records_[r][22]; }
  std::vector<std::size_t> ofType(char t) const {
    std::vector<std::size_t> out;
    for (std::size_t r = 0; r < records_.size(); ++r)
      if (type(r) == t) out.push_back(r);
    return out;
  }
  declfile::RecordLayout layout_;
  std::vector<std::string> records_;
};

generator::GeneratorOptions options(long establishments, long long links, bool previousYear = false) {
  generator::GeneratorOptions o;
  o.establishments = establishments;
  o.links = links;
  o.previousYear = previousYear;
  return o;
}

class ImportTest : public ::testing::Test {
 protected:
  jobs::ImportOutcome import(const std::string& content, bool previousYear = false,
                             std::vector<jobs::EstablishmentChoice> chosen = {}) {
    const auto file = folder.path() / "importar.dec";
    {
      std::ofstream out(file, std::ios::binary);
      out << content;
    }
    jobs::ImportSettings s;
    s.file = file;
    s.previousYear = previousYear;
    s.establishments = std::move(chosen);
    core::store::ReferenceLookup reference(folder.db());
    return jobs::runImport(s, folder.db(), reference, ui);
  }

  std::int64_t count(const std::string& sql) {
    auto st = folder.db().prepare(sql);
    return st.step() ? st.integer(0) : -1;
  }
  std::string text(const std::string& sql) {
    auto st = folder.db().prepare(sql);
    return st.step() ? st.text(0) : "<none>";
  }
  std::int64_t storedLinks() { return count("SELECT count(*) FROM BD8Vinc"); }

  // Every stored establishment carries the counts of its stored links.
  void expectCountsAgree() {
    EXPECT_EQ(count("SELECT count(*) FROM BD8Emp e WHERE CAST(NuVinculosEstabelecimento AS INTEGER) <> "
                    "(SELECT count(*) FROM BD8Vinc v WHERE v.AnBase = e.AnBase AND "
                    "v.CoCgcCeiEstabelecimento = e.CoCgcCeiEstabelecimento AND "
                    "v.NuPrefixoEstabelecimento = e.NuPrefixoEstabelecimento)"),
              0);
  }

  // Links are copied with the engine's width checks suspended: every value must still fit.
  void expectWidthsHeld(const std::string& table) {
    for (const auto& f : core::store::findTableDef(table)->fields) {
      if (f.width == 0) continue;
      EXPECT_EQ(count("SELECT count(*) FROM " + table + " WHERE length(" + f.name + ") > " + std::to_string(f.width)), 0)
          << table << "." << f.name;
    }
  }

  TempDataFolder folder;
  ScriptedInteraction ui;
};

TEST_F(ImportTest, ASecondImportOfTheSameFileAddsNothing) {
  FileRecords f(options(4, 30));
  auto first = import(f.text());
  ASSERT_EQ(first.status, jobs::ImportStatus::Imported);
  EXPECT_EQ(first.result.imported(), 30);
  EXPECT_EQ(storedLinks(), 30);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp WHERE AnBase = '2006' AND NuSequencialRegistro = '' AND "
                  "InAvisoCnae = 0 AND InOpcaoAberta = ''"),
            4);
  expectCountsAgree();
  expectWidthsHeld("BD8Vinc");
  expectWidthsHeld("BD8Emp");

  auto second = import(f.text());
  EXPECT_EQ(second.status, jobs::ImportStatus::NothingImported);
  EXPECT_EQ(second.result.imported(), 0);
  EXPECT_EQ(second.result.duplicates(), 30);
  EXPECT_EQ(storedLinks(), 30);
  expectCountsAgree();
}

TEST_F(ImportTest, ACurrentYearLinkIsCopiedWithItsDisabilityPairAndZeroUnionInscriptionsEmptied) {
  FileRecords f(options(1, 2));
  f.putLink(0, 0, declfile::slot2::kDeficiente, "3");
  ASSERT_EQ(import(f.text()).status, jobs::ImportStatus::Imported);
  const std::string pis0 = f.field(f.link(0, 0), f.layout().tipoDois[declfile::slot2::kPis]);
  EXPECT_EQ(text("SELECT CoDeficienteFisico || '/' || InDeficienteFisico FROM BD8Vinc WHERE CoPisPasepEmpregado = '" +
                 pis0 + "'"),
            "3/1");
  EXPECT_EQ(text("SELECT CoDeficienteFisico || '/' || InDeficienteFisico FROM BD8Vinc WHERE CoPisPasepEmpregado <> '" +
                 pis0 + "'"),
            "/2");
  EXPECT_EQ(count("SELECT count(*) FROM BD8Vinc WHERE CoCNPJPrimAssociativa = '' AND CoCNPJSindical <> '' AND "
                  "NuSequencialRegistro = '' AND VaJaneiroEmpregado <> '000000000'"),
            2);
  EXPECT_EQ(text("SELECT CoCNPJAssociativa || '|' || CoCNPJCentralizada FROM BD8Emp"), "|");
}

TEST_F(ImportTest, PreviousYearFileImportsOpenLinksOnly) {
  // Establishment 0: its only link ended (cause 10). Establishment 1: retirements
  // 71 and 78 keep their links; a dismissal (11) does not.
  FileRecords f(options(2, 4, /*previousYear=*/true));
  // The generator spreads 4 links as 2 + 2; move one of establishment 0's to a dismissal too.
  f.putLink(0, 0, declfile::slot2::kDesligamento, "10");
  f.putLink(0, 1, declfile::slot2::kDesligamento, "12");
  f.putLink(1, 0, declfile::slot2::kDesligamento, "71");
  f.putLink(1, 1, declfile::slot2::kDesligamento, "78");
  const auto out = import(f.text(), true);
  ASSERT_EQ(out.status, jobs::ImportStatus::Imported);
  ASSERT_EQ(out.result.rows.size(), 2u);
  const auto& closed = out.result.rows[0];
  EXPECT_EQ(closed.NuTotalDesligados, 2);
  EXPECT_EQ(closed.NuTotalImportados, 0);
  EXPECT_EQ(out.result.rows[1].NuTotalImportados, 2);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp WHERE CoCgcCeiEstabelecimento = '" + closed.CoCgcCeiEstabelecimento +
                  "'"),
            0);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp WHERE InAvisoCnae = 1 AND AnBase = '2006'"), 1);
  // Amounts dropped, hours and absences "not informed", schooling widened to two digits.
  EXPECT_EQ(count("SELECT count(*) FROM BD8Vinc WHERE AnBase = '2006' AND VaJaneiroEmpregado = '000000000' AND "
                  "HoTrabalhadasJaneiro = '000' AND HoTrabalhadasDezembro = '000' AND CoInstrucao = '07' AND "
                  "QtDiasAfas = '000' AND CoMotivoPrimAfas = '00' AND DaInicioprimeiroAfas = '0000' AND "
                  "QtCompBcoHoras = '00' AND CoDeficienteFisico = '' AND InDeficienteFisico = '2' AND "
                  "SeCartTrabEmpregado = '00000'"),
            2);
  expectCountsAgree();
  expectWidthsHeld("BD8Vinc");
}

TEST_F(ImportTest, PrefixNumberingFollowsDigitsThenLetters) {
  const std::map<std::string, std::string> next = {{"G0", "G1"}, {"G9", "GA"}, {"GZ", "H0"}, {"9Z", "A0"}, {"ZZ", "00"}};
  for (const auto& [from, to] : next) EXPECT_EQ(importing::nextPrefix(from), to) << from;
}

TEST(ImportKind, SettingsTextGivesTheYearAndTheLayout) {
  const auto previous = importing::ImportKind::fromSettingsText("Anterior - Ano 2005");
  EXPECT_TRUE(previous.previousYear);
  EXPECT_EQ(previous.importYear, "2005");
  const auto current = importing::ImportKind::fromSettingsText(importing::ImportKind::currentYear().settingsText());
  EXPECT_FALSE(current.previousYear);
  EXPECT_EQ(current.importYear, "2006");
}

TEST_F(ImportTest, AnotherLinkedCeiGetsTheFirstFreePrefixFromG0) {
  FileRecords f(options(1, 3));
  const std::string inscription = f.field(f.establishment(0), f.layout().tipoUm[declfile::slot1::kInscricao]);
  Values stored = validEstablishment();
  stored["CoCgcCeiEstabelecimento"] = inscription;
  stored["CoCgcVinculado"] = "00123456789012";
  stored["NuVinculosEstabelecimento"] = "000000";
  insertRow(folder.db(), "BD8Emp", stored);

  auto first = import(f.text());
  ASSERT_EQ(first.result.rows.size(), 1u);
  EXPECT_EQ(first.result.rows[0].NuPrefixoEstabelecimento, "G0");
  EXPECT_EQ(first.result.rows[0].CoImp, "1505");
  EXPECT_EQ(first.result.rows[0].Seq, "1");
  EXPECT_EQ(first.result.rows[0].NuTotalImportados, 3);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Vinc WHERE NuPrefixoEstabelecimento = 'G0'"), 3);

  // The stored "00" still differs from the file, and "G0" is taken now.
  auto second = import(f.text());
  EXPECT_EQ(second.result.rows[0].NuPrefixoEstabelecimento, "G1");
  EXPECT_EQ(second.result.rows[0].CoImp, "1505");
  EXPECT_EQ(text("SELECT NoRazaoEstabelecimento FROM BD8Emp WHERE NuPrefixoEstabelecimento = '00'"),
            stored["NoRazaoEstabelecimento"]);
  expectCountsAgree();
}

TEST_F(ImportTest, LinksWithoutPisAreToldApartByName) {
  FileRecords f(options(1, 3));
  for (int n = 0; n < 3; ++n) {
    f.putLink(0, n, declfile::slot2::kPis, "00000000000");
    f.putLink(0, n, declfile::slot2::kAdmissao, "01022003");
  }
  f.putLink(0, 0, declfile::slot2::kNome, "ANA SOUZA");
  f.putLink(0, 1, declfile::slot2::kNome, "BRUNO LIMA");
  f.putLink(0, 2, declfile::slot2::kNome, "ANA SOUZA");
  const auto out = import(f.text());
  EXPECT_EQ(out.result.imported(), 2);
  EXPECT_EQ(out.result.duplicates(), 1);

  // With a PIS, the same PIS and admission date is one link whatever the name.
  FileRecords g(options(1, 2, false));
  g.putLink(0, 1, declfile::slot2::kPis, g.field(g.link(0, 0), g.layout().tipoDois[declfile::slot2::kPis]));
  g.putLink(0, 1, declfile::slot2::kAdmissao, g.field(g.link(0, 0), g.layout().tipoDois[declfile::slot2::kAdmissao]));
  const auto same = import(g.text());
  EXPECT_EQ(same.result.rows[0].NuTotalImportados, 1);
  EXPECT_EQ(same.result.rows[0].NuTotalDuplicados, 1);
}

TEST_F(ImportTest, ARefusedEstablishmentIsReportedAndTheOthersGoOn) {
  FileRecords f(options(3, 6));
  f.putPrefix(1, "1");
  const auto out = import(f.text());
  ASSERT_EQ(out.status, jobs::ImportStatus::Imported);
  ASSERT_EQ(out.result.rows.size(), 3u);
  EXPECT_EQ(out.result.rows[1].CoImp, "0062");
  EXPECT_EQ(out.result.rows[1].Seq, "1");
  EXPECT_EQ(out.result.rows[1].NuTotalImportados, 0);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp"), 2);
  const auto notes = importing::importNotes(out.result.rows);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].code, "0062");

  // The wizard does not let such a line be ticked, and "Selecionar Todos" stops on it.
  core::store::Database& db = folder.db();
  std::vector<std::string> lines;
  for (const auto& e : importing::fileEstablishments(db, "2006")) lines.push_back(importing::listLine(e));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(importing::canTick(lines[0]));
  EXPECT_FALSE(importing::canTick(lines[1]));
  std::vector<bool> ticked(3, false);
  ticked[2] = true;
  EXPECT_EQ(importing::selectAll(lines, ticked), std::optional<std::size_t>(1));
  EXPECT_EQ(ticked, (std::vector<bool>{true, false, true}));
}

TEST_F(ImportTest, AnEstablishmentStoredWithoutLinksIsReplacedByOneWithLinks) {
  FileRecords f(options(1, 2));
  const std::string inscription = f.field(f.establishment(0), f.layout().tipoUm[declfile::slot1::kInscricao]);
  Values stored = validEstablishment();
  stored["CoCgcCeiEstabelecimento"] = inscription;
  stored["InKevaNegEstabelecimento"] = "1";
  stored["NoRazaoEstabelecimento"] = "NOME ANTIGO";
  stored["CoCgcVinculado"] = "";  // not informed, as the file's fourteen zeros
  insertRow(folder.db(), "BD8Emp", stored);
  const auto out = import(f.text());
  EXPECT_EQ(out.result.rows[0].CoImp, "1502");
  EXPECT_EQ(out.result.rows[0].NuPrefixoEstabelecimento, "00");
  EXPECT_EQ(text("SELECT NoRazaoEstabelecimento || '/' || InKevaNegEstabelecimento FROM BD8Emp"),
            "EMPRESA EXEMPLO 1 LTDA/0");
  EXPECT_EQ(storedLinks(), 2);
  expectCountsAgree();

  // Once it has links, the stored establishment is left as it is.
  folder.db().exec("UPDATE BD8Emp SET NoRazaoEstabelecimento = 'NOME MANTIDO'");
  import(f.text());
  EXPECT_EQ(text("SELECT NoRazaoEstabelecimento FROM BD8Emp"), "NOME MANTIDO");
}

TEST(ImportInterruption, LeavesWholeEstablishmentsOnly) {
  // 4 establishments of 700 links. Events come after each slice of links
  // copied and after each establishment: the 2nd event ends the first
  // establishment, the 3rd falls inside the second, which is then undone.
  FileRecords f(options(4, 2800));
  for (const long stopAt : {2L, 3L}) {
    SCOPED_TRACE(stopAt);
    TempDataFolder folder;
    ScriptedInteraction ui;
    const auto file = folder.path() / "importar.dec";
    std::ofstream(file, std::ios::binary) << f.text();
    core::declfile::TAnaliseEstrutura analyser;
    ASSERT_EQ(jobs::analyseForImport(analyser, file, false, folder.db(), ui).result, declfile::AnalysisResult::Loaded);
    importing::ImportRequest request;
    request.kind = importing::ImportKind::currentYear();
    request.chosen = importing::fileEstablishments(folder.db(), "2006");
    request.listLines = request.chosen.size();
    ui.events = 0;
    ui.stopAfterEvents = stopAt;
    const auto result = importing::ImportMerge(folder.db(), ui).run(request);
    EXPECT_TRUE(result.interrupted);
    EXPECT_EQ(result.processed, 1u);
    EXPECT_EQ(ui.shown.back().text, "Deseja interromper?");
    auto count = [&](const std::string& sql) {
      auto st = folder.db().prepare(sql);
      return st.step() ? st.integer(0) : -1;
    };
    EXPECT_EQ(count("SELECT count(*) FROM BD8Emp"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM BD8Vinc"), 700);
    EXPECT_EQ(count("SELECT count(*) FROM BD8Emp WHERE NuVinculosEstabelecimento = '000700'"), 1);
    ASSERT_EQ(result.rows.size(), 4u);
    EXPECT_EQ(result.rows[0].NuTotalImportados, 700);
    EXPECT_EQ(result.rows[1].NuTotalImportados, 0);
  }
}

}  // namespace
}  // namespace torvex::test
