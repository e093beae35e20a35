#include "core/declfile/analise_estrutura.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "analyser_test_support.h"
#include "core/importing/establishment_list.h"
#include "core/importing/import_merge.h"
#include "core/store/engine_error.h"
#include "core/store/work_tables_state.h"

namespace torvex::core::declfile::testing {
namespace {

using Records = std::vector<std::string>;

// Three establishments: the first two with two links each, the third without.
// Indexes: 0 type 0; 1 est. A; 2-3 its links; 4 est. B; 5-6 its links; 7 est. C; 8 type 9.
generator::GeneratorOptions small() {
  generator::GeneratorOptions o;
  o.seed = 7;
  o.establishments = 3;
  o.withoutLinksEvery = 3;
  o.links = 4;
  o.foreignerEvery = 2;
  return o;
}

std::string key(const std::string& record) { return record.substr(6, 16); }
void setKey(std::string& record, const std::string& k) { record.replace(6, 16, k); }
const std::string kOtherKey = "1234567800019900";

struct Row {
  std::string Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, Conteudo;
};

struct Case {
  const char* name;
  std::function<std::string(Records&)> mutate;  // answers the file content
  const char* code;
  std::function<std::vector<Row>(const Records&)> rows;  // from the records before mutation
  bool previousYear = false;  // a file of the 523-character layout, analysed with AnoAnterior
};
// A failing case is named, not dumped as bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.name << '"' << (c.previousYear ? " (previous year)" : ""); }

std::string joined(Records& r) { return joinRecords(r); }

const Case kCases[] = {
    {"only two records", [](Records& r) { return joinRecords({r[0], r[1]}); }, "1924",
     [](const Records& r) { return std::vector<Row>{{"000001", key(r[0]), "", "", ""}}; }},
    {"record one character short", [](Records& r) { r[2].pop_back(); return joined(r); }, "1923",
     [](const Records& r) { return std::vector<Row>{{"000003", key(r[2]), "5", "527", "0D(hexadecimal)"}}; }},
    {"record one character long", [](Records& r) { r[2] += "X"; return joined(r); }, "1900",
     [](const Records& r) { return std::vector<Row>{{"000003", key(r[2]), "5", "528", "X0D(hexadecimal)"}}; }},
    {"numbers 1, 2, 4", [](Records& r) { r[2].replace(0, 6, "000004"); return joined(r); }, "1902",
     [](const Records& r) {
       return std::vector<Row>{{"000002", key(r[1]), "0", "", "000002"}, {"000003", key(r[2]), "0", "", "000004"}};
     }},
    {"blank line after the totals", [](Records& r) { return joined(r) + "\r\n"; }, "1903",
     [](const Records& r) {
       return std::vector<Row>{{"000009", key(r[8]), "1", "", "9"}, {"000010", "", "5", "1", "0D(hexadecimal)"}};
     }},
    {"totals not digits", [](Records& r) { r[8].replace(23, 6, "ABCDEF"); return joined(r); }, "1919",
     [](const Records& r) {
       return std::vector<Row>{{"000009", key(r[8]), "1", "", "9"}, {"000009", key(r[8]), "3", "", "ABCDEF"},
                               {"000009", key(r[8]), "6", "", "3"}};
     }},
    {"type-2 total wrong", [](Records& r) { r[8].replace(29, 6, "000005"); return joined(r); }, "1920",
     [](const Records& r) {
       return std::vector<Row>{{"000009", key(r[8]), "1", "", "9"}, {"000009", key(r[8]), "3", "", "000005"},
                               {"000009", key(r[8]), "7", "", "4"}};
     }},
    {"link under an establishment without links",
     [](Records& r) {
       std::string link = r[6];
       setKey(link, key(r[7]));
       r.insert(r.begin() + 8, link);
       renumber(r);
       return joined(r);
     },
     "1914",
     [](const Records& r) {
       return std::vector<Row>{{"000008", key(r[7]), "1", "", "1"}, {"000008", key(r[7]), "2", "", "1"},
                               {"000009", key(r[7]), "1", "", "2"}};
     }},
    {"establishment with links followed by the next one",
     [](Records& r) {
       r.erase(r.begin() + 5, r.begin() + 7);
       renumber(r);
       return joined(r);
     },
     "1909",
     [](const Records& r) {
       return std::vector<Row>{{"000005", key(r[4]), "1", "", "1"}, {"000005", key(r[4]), "2", "", "0"},
                               {"000006", key(r[7]), "1", "", "1"}};
     }},
    {"same establishment twice", [](Records& r) { setKey(r[7], key(r[1])); return joined(r); }, "1910",
     [](const Records& r) {
       return std::vector<Row>{{"000002", key(r[1]), "1", "", "1"}, {"000008", key(r[1]), "1", "", "1"}};
     }},
    {"same establishment twice in a row",
     [](Records& r) {
       r.erase(r.begin() + 8);  // C, then C again
       const std::string c = r[7], first = r.front();
       r.push_back(c);
       r.push_back(first);  // stands for the totals; never reached
       renumber(r);
       return joined(r);
     },
     "1910",
     [](const Records& r) {
       return std::vector<Row>{{"000008", key(r[7]), "1", "", "1"}, {"000009", key(r[7]), "1", "", "1"}};
     }},
    {"no totals record", [](Records& r) { r.pop_back(); return joined(r); }, "1905",
     [](const Records& r) { return std::vector<Row>{{"000008", key(r[7]), "1", "", "1"}}; }},
    {"first record not type 0", [](Records& r) { r[0][22] = '1'; return joined(r); }, "1907",
     [](const Records& r) { return std::vector<Row>{{"000001", key(r[0]), "1", "", "1"}}; }},
    {"type 0 out of place", [](Records& r) { r[4][22] = '0'; return joined(r); }, "1906",
     [](const Records& r) { return std::vector<Row>{{"000005", key(r[4]), "1", "", "0"}}; }},
    {"first establishment not the one of type 0", [](Records& r) { setKey(r[0], kOtherKey); return joined(r); },
     "1908",
     [](const Records& r) {
       return std::vector<Row>{{"000001", kOtherKey, "1", "", "0"}, {"000002", key(r[1]), "1", "", "1"}};
     }},
    {"link right after type 0",
     [](Records& r) {
       r.erase(r.begin() + 1);
       renumber(r);
       return joined(r);
     },
     "1913", [](const Records& r) { return std::vector<Row>{{"000002", key(r[2]), "1", "", "2"}}; }},
    {"link of another establishment after its type 1", [](Records& r) { setKey(r[2], kOtherKey); return joined(r); },
     "1915",
     [](const Records& r) {
       return std::vector<Row>{{"000002", key(r[1]), "1", "", "1"}, {"000002", key(r[1]), "2", "", "0"},
                               {"000003", kOtherKey, "1", "", "2"}};
     }},
    {"totals after an establishment that declared links", [](Records& r) { r[7][279] = '0'; return joined(r); },
     "1915",
     [](const Records& r) {
       return std::vector<Row>{{"000008", key(r[7]), "1", "", "1"}, {"000008", key(r[7]), "2", "", "0"},
                               {"000009", key(r[8]), "1", "", "9"}};
     }},
    {"link of another establishment after a link", [](Records& r) { setKey(r[3], kOtherKey); return joined(r); },
     "1916",
     [](const Records& r) {
       return std::vector<Row>{{"000003", key(r[2]), "1", "", "2"}, {"000004", kOtherKey, "1", "", "2"}};
     }},
    {"totals right after type 0",
     [](Records& r) {
       Records t{r[0], r[8], r[8]};
       renumber(t);
       return joined(t);
     },
     "1917",
     [](const Records& r) {
       return std::vector<Row>{{"000001", key(r[0]), "1", "", "0"}, {"000002", key(r[8]), "1", "", "9"}};
     }},
    {"totals of another establishment", [](Records& r) { setKey(r[8], kOtherKey); return joined(r); }, "1918",
     [](const Records& r) {
       return std::vector<Row>{{"000008", key(r[7]), "1", "", "1"}, {"000009", kOtherKey, "1", "", "9"}};
     }},
    {"record type 5", [](Records& r) { r[2][22] = '5'; return joined(r); }, "1921",
     [](const Records& r) { return std::vector<Row>{{"000003", key(r[2]), "1", "", "5"}}; }},
    {"inscription not numeric", [](Records& r) { r[2][10] = 'A'; return joined(r); }, "1922",
     [](const Records& r) {
       std::string k = key(r[2]);
       k[4] = 'A';
       return std::vector<Row>{{"000003", k, "8", "11", k.substr(0, 14)}};
     }},
    {"record number with a control byte", [](Records& r) { r[2][3] = '\x01'; return joined(r); }, "1922",
     [](const Records& r) { return std::vector<Row>{{"000003", key(r[2]), "0", "4", "01(hexadecimal)"}}; }},
    {"record type not a digit", [](Records& r) { r[2][22] = 'Z'; return joined(r); }, "1922",
     [](const Records& r) { return std::vector<Row>{{"000003", key(r[2]), "1", "23", "Z"}}; }},
    {"Tipo de KEVA not a digit", [](Records& r) { r[1][279] = 'A'; return joined(r); }, "1922",
     [](const Records& r) { return std::vector<Row>{{"000002", key(r[1]), "2", "280", "A"}}; }},
    {"base year wrong", [](Records& r) { r[1].replace(294, 4, "2005"); return joined(r); }, "1911",
     [](const Records& r) { return std::vector<Row>{{"000002", key(r[1]), "5", "295", "2005"}}; }},
    {"Tipo de KEVA 2", [](Records& r) { r[1][279] = '2'; return joined(r); }, "1912",
     [](const Records& r) { return std::vector<Row>{{"000002", key(r[1]), "2", "", "2"}}; }},
    {"control byte in an establishment", [](Records& r) { r[1][229] = '\x01'; return joined(r); }, "1901",
     [](const Records& r) { return std::vector<Row>{{"000002", key(r[1]), "5", "230", "01(hexadecimal)"}}; }},
    {"accented letter in the totals", [](Records& r) { r[8][99] = '\xC9'; return joined(r); }, "1901",
     [](const Records& r) { return std::vector<Row>{{"000009", key(r[8]), "5", "100", "\xC3\x89"}}; }},
    {"separator in the other order",
     [](Records& r) {
       std::string out;
       for (std::size_t i = 0; i < r.size(); ++i) out += r[i] + (i == 2 ? "\r\n" : "\n\r");
       return out;
     },
     "1900", [](const Records& r) { return std::vector<Row>{{"000003", key(r[2]), "5", "528", "0D0A(hexadecimal)"}}; }},
    // Positions and indicators come from the layout in use.
    {"previous year: base year wrong", [](Records& r) { r[1].replace(292, 4, "2006"); return joined(r); }, "1911",
     [](const Records& r) { return std::vector<Row>{{"000002", key(r[1]), "5", "293", "2006"}}; }, true},
    {"previous year: Tipo de KEVA not a digit", [](Records& r) { r[1][277] = 'A'; return joined(r); }, "1922",
     [](const Records& r) { return std::vector<Row>{{"000002", key(r[1]), "2", "278", "A"}}; }, true},
    {"previous year: establishment with links followed by the next one",
     [](Records& r) {
       r[4][279] = '7';  // where the current layout has the indicator
       r.erase(r.begin() + 5, r.begin() + 7);
       renumber(r);
       return joined(r);
     },
     "1909",
     [](const Records& r) {
       return std::vector<Row>{{"000005", key(r[4]), "1", "", "1"}, {"000005", key(r[4]), "2", "", "0"},
                               {"000006", key(r[7]), "1", "", "1"}};
     },
     true},
    {"file ends inside the totals",
     [](Records& r) {
       const std::string all = joined(r);
       return all.substr(0, all.size() - 100);
     },
     "1904",
     [](const Records& r) {
       return std::vector<Row>{{"000009", key(r[8]), "9", "", "529"}, {"000009", key(r[8]), "A", "", "429"}};
     }},
};

class StructureFindings : public AnalyserTest, public ::testing::WithParamInterface<Case> {};

TEST_P(StructureFindings, RecordsExactlyTheRowsOfTheFinding) {
  const Case& c = GetParam();
  auto options = small();
  options.previousYear = c.previousYear;
  Records records = splitRecords(generated(options), c.previousYear ? 523 : 527);
  ASSERT_EQ(records.size(), 9u);
  const Records original = records;
  const Outcome o = analyse(c.mutate(records), c.previousYear);
  EXPECT_EQ(o.result, AnalysisResult::Finding);
  const auto expected = c.rows(original);
  ASSERT_EQ(o.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(o.rows[i].AnBase, "2006");
    EXPECT_EQ(o.rows[i].CoMsg, c.code);
    EXPECT_EQ(o.rows[i].Sequencia, expected[i].Sequencia);
    EXPECT_EQ(o.rows[i].InscricaoPrefixo, expected[i].InscricaoPrefixo);
    EXPECT_EQ(o.rows[i].TipoCampo, expected[i].TipoCampo);
    EXPECT_EQ(o.rows[i].PosicaoInicial, expected[i].PosicaoInicial);
    EXPECT_EQ(o.rows[i].Conteudo, expected[i].Conteudo);
  }
  // A finding leaves no work tables behind, and the connection's settings as they were.
  for (const char* t : {"Te8resp", "Te8emp", "Te8vinc"}) EXPECT_FALSE(folder.db().tableExists(t)) << t;
  EXPECT_EQ(text("PRAGMA trab.journal_mode"), "truncate");
  EXPECT_EQ(text("PRAGMA ignore_check_constraints"), "0");
}

INSTANTIATE_TEST_SUITE_P(Analyser, StructureFindings, ::testing::ValuesIn(kCases),
                         [](const auto& param) {
                           std::string n;
                           for (const char* p = param.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

TEST_F(AnalyserTest, SoundFileIsLoadedWithCountsPerEstablishment) {
  const Outcome o = analyse(generated(small()));
  EXPECT_EQ(o.result, AnalysisResult::Loaded);
  EXPECT_EQ(o.establishments, 3);
  EXPECT_EQ(o.links, 4);
  EXPECT_TRUE(o.rows.empty());
  EXPECT_FALSE(folder.db().tableExists("Te8stru"));
  EXPECT_EQ(folder.db().rowCount("Te8resp"), 1);
  EXPECT_EQ(folder.db().rowCount("Te8emp"), 3);
  EXPECT_EQ(folder.db().rowCount("Te8vinc"), 4);
  // Every second link is a foreigner; the third establishment has no links.
  EXPECT_EQ(text("SELECT group_concat(NuVinculosEstabelecimento || '/' || NuEstrangeirosEstabelec, ' ') "
                 "FROM (SELECT * FROM Te8emp ORDER BY NuSequencialRegistro)"),
            "000002/00001 000002/00001 000000/00000");
  EXPECT_EQ(ui.progressSteps.back().first, 100);
  // The connection's settings come back after the load.
  EXPECT_EQ(text("PRAGMA trab.journal_mode"), "truncate");
  EXPECT_EQ(text("PRAGMA ignore_check_constraints"), "0");
}

TEST_F(AnalyserTest, AcceptsEverySeparatorAndAnEndOfFileByte) {
  for (const char* sep : {"\r\n", "\n\r", "\r", "\n", ""}) {
    for (bool eof : {false, true}) {
      auto o = small();
      o.separator = sep;
      o.endOfFileByte = eof;
      const Outcome out = analyse(generated(o));
      EXPECT_EQ(out.result, AnalysisResult::Loaded) << "separator of " << std::string(sep).size() << " bytes, eof " << eof;
      EXPECT_EQ(out.links, 4);
    }
  }
  // Any tail of at most one record that begins with byte 26 is ignored.
  EXPECT_EQ(analyse(generated(small()) + "\x1a" + std::string(100, 'x')).result, AnalysisResult::Loaded);
}

TEST_F(AnalyserTest, FilesLongerThanTheReadBufferAreReadWhole) {
  // Records 0 type 0; 1 est. A; 2-101 its links; 102 est. B; 103-202 its links; 203 est. C; 204 type 9.
  for (const std::string sep : {"\r\n", "\n", ""}) {
    SCOPED_TRACE("separator of " + std::to_string(sep.size()) + " bytes");
    auto o = small();
    o.links = 200;
    o.separator = sep;
    const std::string content = generated(o);
    ASSERT_GT(content.size(), 3u * 32767);  // the reader refills its buffer several times
    const std::size_t stride = 527 + sep.size();

    const Outcome sound = analyse(content);
    EXPECT_EQ(sound.result, AnalysisResult::Loaded);
    EXPECT_EQ(sound.links, 200);
    EXPECT_EQ(text("SELECT CoPisPasepEmpregado FROM Te8vinc ORDER BY NuSequencialRegistro DESC LIMIT 1"),
              content.substr(202 * stride + 23, 11));

    // A fault far into the file is found at its own record.
    std::string bad = content;
    bad.replace(150 * stride, 6, "000999");
    const Outcome o2 = analyse(bad);
    ASSERT_EQ(o2.rows.size(), 2u);
    EXPECT_EQ(o2.rows[0].CoMsg, "1902");
    EXPECT_EQ(o2.rows[0].Sequencia + "/" + o2.rows[0].Conteudo, "000150/000150");
    EXPECT_EQ(o2.rows[1].Sequencia + "/" + o2.rows[1].Conteudo, "000151/000999");
  }
}

TEST_F(AnalyserTest, PreviousYearFileReadAsCurrentFailsOnItsFirstRecord) {
  auto o = small();
  o.previousYear = true;
  const Outcome out = analyse(generated(o));
  ASSERT_EQ(out.rows.size(), 1u);
  EXPECT_EQ(out.rows[0].CoMsg, "1923");
  EXPECT_EQ(out.rows[0].Sequencia, "000001");
  EXPECT_EQ(out.rows[0].PosicaoInicial, "524");
  EXPECT_EQ(out.rows[0].Conteudo, "0D(hexadecimal)");
}

TEST_F(AnalyserTest, RectificationIsReportedAndLoaded) {
  auto o = small();
  o.rectification = true;
  const auto out = analyse(generated(o));
  EXPECT_EQ(out.result, AnalysisResult::Loaded);
  EXPECT_TRUE(out.rectification);
  EXPECT_EQ(text("SELECT InRetificacao FROM Te8resp"), "1");
}

TEST_F(AnalyserTest, DuplicateLinksAreBothLoaded) {
  Records r = splitRecords(generated(small()), 527);
  r.insert(r.begin() + 3, r[2]);
  renumber(r);
  r.back().replace(29, 6, "000005");
  const Outcome o = analyse(joinRecords(r));
  EXPECT_EQ(o.result, AnalysisResult::Loaded);
  EXPECT_EQ(folder.db().rowCount("Te8vinc"), 5);
}

TEST_F(AnalyserTest, DecliningTheInterruptionLoadsEverything) {
  ui.stopAfterEvents = 3;
  ui.answers = {"mrNo"};
  const Outcome o = analyse(generated(small()));
  EXPECT_EQ(o.result, AnalysisResult::Loaded);
  EXPECT_EQ(o.links, 4);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, "Deseja interromper?");
  EXPECT_EQ(folder.db().rowCount("Te8vinc"), 4);
}

TEST_F(AnalyserTest, ConfirmedInterruptionRemovesTheWorkTables) {
  ui.stopAfterEvents = 3;
  ui.answers = {"mrYes"};
  const Outcome o = analyse(generated(small()));
  EXPECT_EQ(o.result, AnalysisResult::Interrupted);
  EXPECT_TRUE(o.rows.empty());
  for (const char* t : {"Te8resp", "Te8emp", "Te8vinc", "Te8stru"}) EXPECT_FALSE(folder.db().tableExists(t)) << t;
}

TEST_F(AnalyserTest, InterrompeFromTheInterfaceStopsAtTheNextRecord) {
  // The window's Cancel button calls Interrompe while the analysis lets events run.
  struct CancelOnThirdEvent : test::ScriptedInteraction {
    TAnaliseEstrutura* analyser = nullptr;
    void processEvents() override {
      ScriptedInteraction::processEvents();
      if (events == 3) analyser->Interrompe();
    }
  } cancelling;
  cancelling.analyser = &analyser;
  const auto file = folder.path() / "entrada.dec";
  std::ofstream(file, std::ios::binary) << generated(small());
  EXPECT_EQ(analyser.AnalisaArquivo(file, {}, folder.db(), cancelling).result, AnalysisResult::Interrupted);
  ASSERT_EQ(cancelling.shown.size(), 1u);
  EXPECT_EQ(cancelling.shown[0].text, "Deseja interromper?");
  EXPECT_EQ(cancelling.events, 3);
  // The next analysis starts without the old request.
  EXPECT_EQ(analyse(generated(small())).result, AnalysisResult::Loaded);
}

TEST_F(AnalyserTest, AnalysesInTurnStartAfresh) {
  Records r = splitRecords(generated(small()), 527);
  r[2][22] = '5';
  EXPECT_EQ(analyse(joinRecords(r)).result, AnalysisResult::Finding);
  const Outcome sound = analyse(generated(small()));
  EXPECT_EQ(sound.result, AnalysisResult::Loaded);
  EXPECT_FALSE(folder.db().tableExists("Te8stru"));
  EXPECT_EQ(folder.db().rowCount("Te8vinc"), 4);
}

TEST_F(AnalyserTest, UnreadableFileIsReportedNotTakenAsSound) {
  const auto missing = folder.path() / "nao-existe.dec";
  EXPECT_EQ(analyser.AnalisaArquivo(missing, {}, folder.db(), ui).result, AnalysisResult::ReadFailed);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, "Ocorreu erro na cópia do arquivo " + missing.string());
  EXPECT_FALSE(folder.db().tableExists("Te8emp"));
}

TEST_F(AnalyserTest, OnlyAWholeLoadIsMarkedCompleteAndReadersRefuseTheRest) {
  ASSERT_EQ(analyse(generated(small())).result, AnalysisResult::Loaded);
  EXPECT_TRUE(store::workTablesComplete(folder.db()));
  EXPECT_FALSE(importing::fileEstablishments(folder.db(), "2006").empty());

  // A load that fails part-way (a full disk, a crash in a reader) leaves work
  // tables behind, and the earlier analysis is gone: nothing may read them.
  struct FailOnThirdEvent : test::ScriptedInteraction {
    void processEvents() override {
      ScriptedInteraction::processEvents();
      if (events == 3) throw store::EngineError(store::engine_code::kDiskFull, "");
    }
  } failing;
  const auto file = folder.path() / "entrada.dec";
  std::ofstream(file, std::ios::binary) << generated(small());
  EXPECT_THROW(analyser.AnalisaArquivo(file, {}, folder.db(), failing), store::EngineError);
  EXPECT_TRUE(folder.db().tableExists("Te8emp"));
  EXPECT_FALSE(store::workTablesComplete(folder.db()));
  EXPECT_THROW(importing::fileEstablishments(folder.db(), "2006"), store::IncompleteWorkTables);
  EXPECT_THROW(importing::ImportMerge(folder.db(), ui).run({}), store::IncompleteWorkTables);

  ASSERT_EQ(analyse(generated(small())).result, AnalysisResult::Loaded);
  EXPECT_TRUE(store::workTablesComplete(folder.db()));
}

}  // namespace
}  // namespace torvex::core::declfile::testing
