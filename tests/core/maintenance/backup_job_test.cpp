#include "core/jobs/backup_job.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include "core/delivery/folder_media.h"
#include "core/maintenance/backup_archive.h"
#include "core/store/engine_error.h"
#include "support/archive_bytes.h"
#include "support/background_cli.h"
#include "support/folder_bytes.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::core::jobs {
namespace {

namespace fs = std::filesystem;
using namespace test::archive_bytes;
namespace text = backup_text;

// Links with random digits and names: a database that does not shrink to nothing.
void addLinks(store::Database& db, int count) {
  std::mt19937 gen(11);
  std::uniform_int_distribution<int> digit(0, 9), letter(0, 25);
  store::Transaction tx(db);
  auto insert = db.prepare(
      "INSERT INTO BD8Vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
      "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro) VALUES ('2006', '11111111000191', '00', :pis, "
      "'01012001', :nome, :seq)");
  for (int i = 0; i < count; ++i) {
    std::string pis, name;
    for (int k = 0; k < 11; ++k) pis += static_cast<char>('0' + digit(gen));
    for (int k = 0; k < 30; ++k) name += static_cast<char>('A' + letter(gen));
    insert.bind(":pis", pis).bind(":nome", name).bind(":seq", std::to_string(i)).run();
  }
  db.exec("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
          "VALUES ('2006', '11111111000191', '00')");
  tx.commit();
}

std::vector<std::string> links(store::Database& db) {
  std::vector<std::string> out;
  auto st = db.prepare("SELECT CoPisPasepEmpregado || NoEmpregado FROM BD8Vinc ORDER BY NuSequencialRegistro");
  while (st.step()) out.push_back(st.text(0));
  return out;
}

// A user who also changes disks: `onMessage` runs before each answer.
struct DiskSwappingUser : test::ScriptedInteraction {
  std::function<void(const std::string&)> onMessage;
  std::string message(platform::DialogKind kind, const std::string& shownText, platform::Buttons buttons) override {
    if (onMessage) onMessage(shownText);
    return ScriptedInteraction::message(kind, shownText, buttons);
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
  }
};

class BackupJob : public ::testing::Test {
 protected:
  BackupJob() : media(dir / "Transmite") {}
  ~BackupJob() override { fs::remove_all(dir); }

  BackupOutcome backupTo(const fs::path& archive, std::optional<std::int64_t> volumeSize = 0) {
    return runBackup(folder.db(), media, user, {archive, volumeSize});
  }
  fs::path writeFile(const std::string& name, const std::string& bytes) {
    const fs::path file = dir / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  fs::path dir = test::makeTempDirectory("torvex-backup");
  test::TempDataFolder folder;
  delivery::FolderMedia media;
  DiskSwappingUser user;
};

TEST_F(BackupJob, AnArchiveInSeveralVolumesRestoresIntoAFreshDataFolder) {
  addLinks(folder.db(), 3000);
  const auto before = links(folder.db());
  const auto out = backupTo(dir / "Keva2006.BKP", 60000);
  ASSERT_EQ(out.status, BackupStatus::Done) << out.message;
  ASSERT_GE(out.volumes.size(), 3u);
  EXPECT_EQ(out.volumes[1], dir / "Keva2006.002");
  for (const auto& v : out.volumes) EXPECT_LE(fs::file_size(v), 60000u) << v;
  EXPECT_EQ(user.texts().back(), text::kBackupDone);
  EXPECT_FALSE(fs::exists(folder.path() / "copia_seguranca.db"));

  test::TempDataFolder fresh;
  test::ScriptedInteraction freshUser;
  const auto restored = runRestore(fresh.db(), media, freshUser, {dir / "Keva2006.BKP", false});
  ASSERT_EQ(restored.status, RestoreStatus::Done) << restored.message;
  EXPECT_EQ(freshUser.shown.back().text, text::kRestoreDone);
  EXPECT_EQ(links(fresh.db()), before);
  EXPECT_FALSE(fs::exists(fresh.path() / "Work"));
  EXPECT_FALSE(fresh.db().holdsExclusive());
}

TEST_F(BackupJob, VolumesOnRemovableDisksAreAskedForAndWaitedFor) {
  addLinks(folder.db(), 2000);
  const auto before = links(folder.db());
  const std::int64_t capacity = 100000;
  auto disk = [&](int n) {
    const fs::path d = dir / ("disco" + std::to_string(n));
    fs::create_directories(d);
    return d;
  };
  media.insert('A', disk(1), capacity);
  int volume = 1;
  // Each further volume: the drive is found empty once, then the next disk is in.
  user.onMessage = [&](const std::string& shown) {
    if (shown.rfind(text::kInsertVolume, 0) == 0) {
      volume = std::stoi(shown.substr(text::kInsertVolume.size()));
      media.eject('A');
    } else if (shown == text::kDriveNotReady) {
      media.insert('A', disk(volume), capacity);
    }
  };
  const auto out = runBackup(folder.db(), media, user, {disk(1) / "Keva2006.bkp", std::nullopt});
  ASSERT_EQ(out.status, BackupStatus::Done) << out.message;
  ASSERT_GE(out.volumes.size(), 3u);
  std::vector<std::string> expected;
  for (int n = 1; n <= static_cast<int>(out.volumes.size()); ++n) {
    EXPECT_EQ(out.volumes[static_cast<std::size_t>(n - 1)],
              disk(n) / maintenance::archiveVolumePath("Keva2006.bkp", n));
    // The space left beside each volume.
    EXPECT_LE(static_cast<std::int64_t>(fs::file_size(out.volumes[static_cast<std::size_t>(n - 1)])),
              capacity - kBackupSpaceMargin);
    if (n > 1) {
      expected.push_back(std::string(text::kInsertVolume) + std::to_string(n));
      expected.push_back(std::string(text::kDriveNotReady));
    }
  }
  expected.push_back(std::string(text::kBackupDone));
  EXPECT_EQ(user.texts(), expected);

  // Restoring asks for each volume, and asks again while its file is not there.
  media.insert('A', disk(1), capacity);
  test::TempDataFolder fresh;
  DiskSwappingUser restoring;
  bool askedTwice = false;
  restoring.onMessage = [&](const std::string& shown) {
    if (shown.rfind(text::kInsertVolume, 0) != 0) return;
    const int n = std::stoi(shown.substr(text::kInsertVolume.size()));
    if (n == 2 && !askedTwice) {
      askedTwice = true;  // the first disk is still in the drive
      return;
    }
    media.insert('A', disk(n), capacity);
  };
  const auto restored = runRestore(fresh.db(), media, restoring, {disk(1) / "Keva2006.bkp", true});
  ASSERT_EQ(restored.status, RestoreStatus::Done) << restored.message;
  expected = {std::string(text::kInsertVolume) + "2"};
  for (int n = 2; n <= static_cast<int>(out.volumes.size()); ++n)
    expected.push_back(std::string(text::kInsertVolume) + std::to_string(n));
  expected.push_back(std::string(text::kRestoreDone));
  EXPECT_EQ(restoring.texts(), expected);
  EXPECT_EQ(links(fresh.db()), before);
}

TEST_F(BackupJob, TooLittleSpaceWarnsUntilTheUserGivesUpOrMakesRoom) {
  const fs::path small = dir / "pequeno", big = dir / "grande";
  fs::create_directories(small);
  fs::create_directories(big);
  media.insert('A', small, kMinimumBackupSpace - 1);
  user.answers = {platform::button::kCancel};
  EXPECT_EQ(runBackup(folder.db(), media, user, {small / "Keva2006.bkp", std::nullopt}).status, BackupStatus::Stopped);
  EXPECT_EQ(user.texts(), std::vector<std::string>{std::string(text::kTooLittleSpace)});
  EXPECT_TRUE(fs::is_empty(small));

  user.shown.clear();
  user.onMessage = [&](const std::string& shown) {
    if (shown == text::kTooLittleSpace) media.insert('A', small, 10 * kMinimumBackupSpace);
  };
  media.insert('A', small, kMinimumBackupSpace - 1);
  EXPECT_EQ(runBackup(folder.db(), media, user, {small / "Keva2006.bkp", std::nullopt}).status, BackupStatus::Done);
  EXPECT_EQ(user.texts(), (std::vector<std::string>{std::string(text::kTooLittleSpace), std::string(text::kBackupDone)}));
}

TEST_F(BackupJob, AStoppedBackupLeavesNoVolumeAndAnOlderArchiveIntact) {
  addLinks(folder.db(), 2000);
  const fs::path archive = dir / "Keva2006.bkp";
  const std::string older = "arquivo anterior";
  writeFile("Keva2006.bkp", older);
  user.stopAfterEvents = 3;
  EXPECT_EQ(backupTo(archive, 40000).status, BackupStatus::Stopped);
  EXPECT_EQ(test::readWholeFile(archive), older);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no volume, no temporary file";
}

TEST_F(BackupJob, TheRestoreRefusesWhatItCannotTrustAndLeavesTheDataFolderByteForByte) {
  folder.db().exec("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
                   "VALUES ('2006', '22222222000191', '00')");
  ASSERT_EQ(backupTo(dir / "boa.bkp").status, BackupStatus::Done);
  const std::string good = test::readWholeFile(dir / "boa.bkp");
  const std::string database = [&] {
    test::TempDataFolder other;
    other.close();
    return test::readWholeFile(other.path() / "declaracao.db");
  }();
  const std::string big(maintenance::kArchiveBlockSize + 1, 'x');

  struct Case {
    const char* name;
    std::string file;   // the archive's name
    std::string bytes;  // its contents; empty: no file at all
    RestoreStatus status;
    std::string shown;  // the message, or the start of it
  };
  const std::vector<Case> cases{
      {"another extension", "copia.zip", good, RestoreStatus::BadExtension, std::string(text::kBadExtension)},
      {"missing", "nenhuma.bkp", "", RestoreStatus::Missing, std::string(text::kMissingArchive)},
      {"another base year", "antiga.bkp", oneEntryArchive("declaracao.db", "x", "Keva2005"), RestoreStatus::Foreign,
       std::string(text::kForeignArchive)},
      {"not an archive", "texto.bkp", "bom dia", RestoreStatus::Foreign, std::string(text::kForeignArchive)},
      {"parent folder", "pai.bkp", oneEntryArchive("../declaracao.db", database), RestoreStatus::Refused,
       restoreFailedText("a cópia contém o arquivo \"../declaracao.db\", que não faz parte dos dados de declaração.")},
      {"absolute name", "absoluto.bkp", oneEntryArchive("/tmp/declaracao.db", database), RestoreStatus::Refused,
       restoreFailedText("a cópia contém o arquivo \"/tmp/declaracao.db\", que não faz parte dos dados de declaração.")},
      {"reference data", "referencia.bkp", oneEntryArchive("referencia.db", database), RestoreStatus::Refused,
       restoreFailedText("a cópia contém o arquivo \"referencia.db\", que não faz parte dos dados de declaração.")},
      {"name with NUL", "nul.bkp", oneEntryArchive(std::string("declaracao.db\0x", 15), database),
       RestoreStatus::Refused, restoreFailedText("a cópia contém o arquivo \"declaracao.db?x\"")},
      {"truncated", "truncada.bkp", good.substr(0, good.size() / 2), RestoreStatus::Refused,
       restoreFailedText("o volume 1 termina antes do fim da cópia.")},
      {"block inflating past a block", "bomba.bkp",
       header(static_cast<std::int32_t>(big.size()), 1) + entry("declaracao.db") + kSection + compressedBlock(big) +
           le32(0) + le32(0),
       RestoreStatus::Refused, restoreFailedText("um bloco se expande além de 16384 bytes.")},
      {"huge count", "contagem.bkp",
       header(readLe32(good, 12), 0x7FFFFFFF) + good.substr(20), RestoreStatus::Refused,
       restoreFailedText("a cópia tem menos arquivos ou bytes do que o seu cabeçalho diz.")},
      {"twice", "duas.bkp",
       header(2, 2) + entry("declaracao.db") + kSection + compressedBlock("a") + le32(0) + entry("DECLARACAO.DB") +
           kSection + compressedBlock("b") + le32(0) + le32(0),
       RestoreStatus::Refused, restoreFailedText("a cópia contém duas vezes os dados de declaração.")},
      {"no declaration data", "vazia.bkp", header(0, 0) + le32(0), RestoreStatus::Refused,
       restoreFailedText("A cópia não contém os dados de declaração.")},
      {"not a database inside", "lixo.bkp", oneEntryArchive("declaracao.db", "nada disso"), RestoreStatus::Refused,
       restoreFailedText("O arquivo declaracao.db não é uma base de dados de declarações do TORVEX.")},
      {"missing volume", "partida.bkp",
       header(3, 1) + entry("declaracao.db") + kSection + le32(0) + le32(12) + "NEXT:DISK002", RestoreStatus::Refused,
       restoreFailedText("o volume 2 (")},
  };
  folder.db().forgetCachedStatements();
  const auto before = test::folderBytes(folder.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.bytes.empty()) writeFile(c.file, c.bytes);
    test::ScriptedInteraction restoring;
    const auto out = runRestore(folder.db(), media, restoring, {dir / c.file, false});
    EXPECT_EQ(out.status, c.status);
    ASSERT_EQ(restoring.shown.size(), 1u);
    EXPECT_EQ(restoring.shown[0].text.substr(0, c.shown.size()), c.shown);
    EXPECT_EQ(test::folderBytes(folder.path()), before);
    EXPECT_FALSE(folder.db().holdsExclusive());
  }
}

TEST_F(BackupJob, AnUpperCaseExtensionRestoresAndAFolderInUseIsNotTouched) {
  folder.db().exec("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
                   "VALUES ('2006', '33333333000191', '00')");
  ASSERT_EQ(backupTo(dir / "COPIA.BKP").status, BackupStatus::Done);
  folder.db().exec("DELETE FROM BD8Emp");
  folder.db().forgetCachedStatements();
  const auto before = test::folderBytes(folder.path());
  {
    store::Database other(folder.path());
    test::ScriptedInteraction restoring;
    EXPECT_EQ(runRestore(folder.db(), media, restoring, {dir / "COPIA.BKP", false}).status, RestoreStatus::InUse);
  }
  EXPECT_EQ(test::folderBytes(folder.path()), before);
  test::ScriptedInteraction restoring;
  EXPECT_EQ(runRestore(folder.db(), media, restoring, {dir / "COPIA.BKP", false}).status, RestoreStatus::Done);
  EXPECT_EQ(folder.db().rowCount("BD8Emp"), 1);
}

TEST_F(BackupJob, AWorkFolderLeftBehindOrALinkInItsPlaceIsNeverFollowed) {
  ASSERT_EQ(backupTo(dir / "Keva2006.bkp").status, BackupStatus::Done);
  const fs::path elsewhere = dir / "alheia";
  fs::create_directories(elsewhere);
  std::ofstream(elsewhere / "declaracao.db") << "de outro";
  fs::create_directory_symlink(elsewhere, folder.path() / "Work");
  test::ScriptedInteraction restoring;
  EXPECT_EQ(runRestore(folder.db(), media, restoring, {dir / "Keva2006.bkp", false}).status, RestoreStatus::Done);
  EXPECT_EQ(test::readWholeFile(elsewhere / "declaracao.db"), "de outro");
  EXPECT_FALSE(fs::exists(folder.path() / "Work"));

  fs::create_directories(folder.path() / "Work" / "sobra");
  std::ofstream(folder.path() / "Work" / "declaracao.db") << "restos de uma restauração interrompida";
  EXPECT_EQ(runRestore(folder.db(), media, restoring, {dir / "Keva2006.bkp", false}).status, RestoreStatus::Done);
  EXPECT_FALSE(fs::exists(folder.path() / "Work"));
}

}  // namespace
}  // namespace torvex::core::jobs
