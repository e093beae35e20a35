#include "core/store/database.h"

#include <gtest/gtest.h>

#include "core/store/engine_error.h"
#include "core/store/table.h"
#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

using test::TempDataFolder;

void insertEmp(Database& db, const std::string& year, const std::string& insc, const std::string& prefix) {
  db.prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES (:a, :i, :p)")
      .bind(":a", year)
      .bind(":i", insc)
      .bind(":p", prefix)
      .run();
}

TEST(StoreKeys, EstablishmentKeyIsYearInscriptionPrefix) {
  TempDataFolder folder;
  auto& db = folder.db();
  insertEmp(db, "2006", "11222333000181", "00");
  insertEmp(db, "2006", "11222333000181", "01");  // other prefix: another row
  insertEmp(db, "2007", "11222333000181", "00");  // other year: another row
  EXPECT_EQ(db.rowCount("BD8Emp"), 3);
  try {
    insertEmp(db, "2006", "11222333000181", "00");
    FAIL() << "duplicate key accepted";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.code(), engine_code::kKeyViolation);
  }
}

TEST(StoreKeys, EmptyKeyFieldsStillRefuseDuplicates) {
  TempDataFolder folder;
  auto& db = folder.db();
  auto add = [&](const std::string& name, const std::string& seq) {
    db.prepare("INSERT INTO BD8Vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado,"
               " DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro) VALUES ('2006','00123456789012','00',"
               "'12345678901','01012006',:n,:s)")
        .bind(":n", name)
        .bind(":s", seq)
        .run();
  };
  add("MARIA", "");
  add("JOSE", "");  // differs only by name: accepted
  EXPECT_THROW(add("MARIA", ""), EngineError);
  EXPECT_EQ(db.rowCount("BD8Vinc"), 2);
}

TEST(StoreKeys, WorkCopyKeepsLinksThatDifferOnlyBySequence) {
  TempDataFolder folder;
  auto& db = folder.db();
  db.createTable(*findTableDef("Te8vinc"));
  auto add = [&](const std::string& seq) {
    db.prepare("INSERT INTO Te8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado,"
               " DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro) VALUES ('2006','1','00','1','1','A',:s)")
        .bind(":s", seq)
        .run();
  };
  add("000002");
  add("000003");
  EXPECT_EQ(db.rowCount("Te8vinc"), 2);
  EXPECT_TRUE(db.indexExists("Te8vinc", "Te8vinc"));
}

TEST(StoreWidths, WritesBeyondTheFieldWidthAreRefusedWithTheFieldName) {
  TempDataFolder folder;
  auto& db = folder.db();
  try {
    insertEmp(db, "20066", "1", "00");
    FAIL() << "5-character year accepted";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.code(), engine_code::kFieldTooWide);
    EXPECT_NE(std::string(e.what()).find("AnBase"), std::string::npos) << e.what();
  }
  // Width counts characters, not bytes: 30 accented letters fit a 30-wide name.
  Table vinc(db, "BD8Vinc");
  vinc.append();
  vinc.setText("AnBase", "2006");
  vinc.setText("NoEmpregado", std::string("\xC3\x83\xC3\x83") + std::string(28, 'A'));  // 32 bytes
  EXPECT_NO_THROW(vinc.post());
}

TEST(StoreTable, CursorAppendsEditsFindsAndStoresTrimmedText) {
  TempDataFolder folder;
  auto& db = folder.db();
  Table establishments(db, "BD8Emp");
  EXPECT_TRUE(establishments.empty());
  establishments.append();
  establishments.setText("AnBase", "2006");
  establishments.setText("CoCgcCeiEstabelecimento", "00123456789012");  // a CEI keeps its two zeros
  establishments.setText("NuPrefixoEstabelecimento", "00");
  establishments.setText("NoRazaoEstabelecimento", "  PADARIA   ");
  establishments.post();
  ASSERT_TRUE(establishments.findKey({"2006", "00123456789012", "00"}));
  EXPECT_EQ(establishments.text("CoCgcCeiEstabelecimento"), "00123456789012");
  EXPECT_EQ(establishments.text("NoRazaoEstabelecimento"), "  PADARIA");  // leading blanks kept, trailing dropped
  EXPECT_FALSE(establishments.logical("InAvisoCnae").has_value());        // logical left empty
  establishments.edit();
  establishments.setLogical("InAvisoCnae", true);
  establishments.post();
  EXPECT_EQ(establishments.logical("InAvisoCnae"), std::optional<bool>(true));
  EXPECT_FALSE(establishments.findKey({"2006", "00123456789012", "01"}));
  establishments.findKey({"2006", "00123456789012", "00"});
  establishments.remove();
  EXPECT_TRUE(establishments.empty());
}

TEST(StoreTable, EditingAnEmptyTableInsertsItsOnlyRow) {
  TempDataFolder folder;
  auto& db = folder.db();
  for (int i = 0; i < 2; ++i) {
    Table resp(db, "BD8Resp");
    resp.edit();
    resp.setLogical("InDicas", i == 1);
    resp.post();
  }
  EXPECT_EQ(db.rowCount("BD8Resp"), 1);
  Table resp(db, "BD8Resp");
  EXPECT_EQ(resp.logical("InDicas"), std::optional<bool>(true));
}

TEST(StoreQueries, ParametersAreBoundNotConcatenated) {
  TempDataFolder folder;
  auto& db = folder.db();
  insertEmp(db, "2006", "1", "00");
  auto st = db.prepare("SELECT count(*) AS numVinculos FROM BD8Emp WHERE AnBase = :anBase");
  st.bind(":anBase", "2006' OR '1'='1");
  ASSERT_TRUE(st.step());
  EXPECT_EQ(st.text("numVinculos"), "0");
}

TEST(StoreErrors, UnknownTableIsAnEngineError) {
  TempDataFolder folder;
  try {
    folder.db().prepare("SELECT * FROM NaoExiste");
    FAIL();
  } catch (const EngineError& e) {
    EXPECT_EQ(e.code(), engine_code::kTableNotFound);
  }
}

TEST(StoreExclusiveUse, SecondProgramOnTheFolderMakesExclusiveUseFail) {
  TempDataFolder folder;
  auto& first = folder.db();
  EXPECT_NO_THROW(first.acquireExclusive());
  first.releaseExclusive();
  {
    Database second(folder.path());  // another program with the same folder open
    try {
      first.acquireExclusive("BD8Emp");
      FAIL() << "exclusive use granted while another program holds the folder";
    } catch (const EngineError& e) {
      EXPECT_EQ(e.code(), engine_code::kTableBusy);
      EXPECT_NE(std::string(e.what()).find("Tabela BD8Emp em uso"), std::string::npos);
    }
  }
  EXPECT_NO_THROW(first.acquireExclusive());  // free again once the other one closed
  first.releaseExclusive();
}

}  // namespace
}  // namespace torvex::core::store
