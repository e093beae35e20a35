#pragma once
// "Cópia de Segurança": the declaration data archived in .bkp volumes, and an
// archive brought back. The two windows and torvex-cli run these jobs.
//
// The archive holds one entry, the declaration database as a consistent
// snapshot (store::snapshotDeclarations) under the fixed name
// "declaracao.db". A restore unpacks into the folder `Work` inside the data
// folder, accepting no other entry, checks what it unpacked and only then
// replaces the declaration database (store::restoreDeclarations); whatever
// fails before that leaves the data folder as it was.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/interaction.h"
#include "core/platform/media.h"
#include "core/store/database.h"

namespace torvex::core::jobs {

// The title this program writes and accepts: "Keva" + base year.
std::string backupTitle();
// The archive's only entry.
inline constexpr const char* kBackupEntryName = "declaracao.db";
// A volume is begun only with this much free space; this much is left free beside it.
inline constexpr std::int64_t kMinimumBackupSpace = 50000;
inline constexpr std::int64_t kBackupSpaceMargin = 20000;
// The smallest volume size a user may ask for: room for a block after the headroom.
inline constexpr std::int64_t kSmallestVolume = 32768;

// The texts of the two windows.
namespace backup_text {
inline constexpr std::string_view kTooLittleSpace =
    "A unidade nao oferece o espaço mínimo exigido para o Backup. \r\nSe utilizar disquetes, insira um novo\r\n"
    "com espaco disponivel.\r\nPronto para continuar ou cancelar?";
inline constexpr std::string_view kInsertVolume = "Insira o volume n° ";
inline constexpr std::string_view kDriveNotReady = "Unidade nao esta preparada.";
inline constexpr std::string_view kBackupDone = "Gravação da cópia bem sucedida.";
inline constexpr std::string_view kBadExtension = "Extensao inválida de arquivo de backup.";
inline constexpr std::string_view kMissingArchive = "Arquivo inexistente.";
inline constexpr std::string_view kForeignArchive = "Esse não é um arquivo de backup KEVA válido";
inline constexpr std::string_view kRestoreFailed = "Ocorreu um erro durante o processo de restauração.";
inline constexpr std::string_view kRestoreDone = "Restauração da cópia bem sucedida.";
inline constexpr std::string_view kCancelBackup = "Cancelar o processo de Backup ?";
inline constexpr std::string_view kCancelRestore = "Cancelar o processo de Restore ?";
inline constexpr std::string_view kBackupProgress = "Progresso da cópia de segurança";
inline constexpr std::string_view kRestoreProgress = "Progresso restauração da cópia de segurança";
}  // namespace backup_text

// "Ocorreu um erro durante o processo de backup: [<text>]." and, on a line of
// its own, the cause when there is one.
std::string backupFailedText(std::string_view text, std::string_view cause = {});
// The restore's fixed failure text and, on a line of its own, the cause.
std::string restoreFailedText(std::string_view cause = {});

// Where a volume lives: the removable drive whose medium holds the archive's
// folder, or the hard disk ('C') for any other folder.
struct BackupPlace {
  char drive = 'C';
  std::filesystem::path relativeFolder;  // below the medium's root (removable drives only)
};
BackupPlace backupPlace(const platform::Media& media, const std::filesystem::path& archive);

struct BackupSettings {
  std::filesystem::path archive;  // the first volume
  // Set (the command line): every volume may hold this many bytes (0: no
  // limit), all go in the archive's folder, nothing is asked. Unset (the
  // window): the free space of the medium decides, each further volume is
  // asked for, and a removable medium's volume is complete before the next.
  std::optional<std::int64_t> volumeSize;
};

enum class BackupStatus { Done, Stopped, Failed };

struct BackupOutcome {
  BackupStatus status = BackupStatus::Failed;
  std::vector<std::filesystem::path> volumes;  // written, in order
  std::int64_t bytes = 0;                      // size of the declaration data archived
  bool dataInUse = false;                      // failed because another program was writing the data
  std::string message;                         // what was shown for a failure
};

// Archives the declaration data. Shows the space warning, the volume prompts,
// progress, and the outcome's message through `ui`; looks at ui.stopRequested()
// between blocks (a stop leaves no volume behind, except those a removable
// medium had to complete before the next one).
BackupOutcome runBackup(store::Database& db, const platform::Media& media, platform::Interaction& ui,
                        const BackupSettings& settings);

struct RestoreSettings {
  std::filesystem::path archive;  // the first volume
  // True (the window): each further volume is asked for on its medium, and
  // asked again while its file is missing. False (the command line): every
  // volume is looked for in the archive's folder.
  bool askForVolumes = true;
};

enum class RestoreStatus {
  Done,
  BadExtension,  // not ".bkp"
  Missing,       // no such file
  Foreign,       // not an archive of this base year
  Refused,       // damaged or hostile archive, or data that cannot be restored
  InUse,         // another program has the data folder open
  Stopped,
  Failed,        // input or output error
};

struct RestoreOutcome {
  RestoreStatus status = RestoreStatus::Failed;
  std::string message;  // what was shown
};

// Restores an archive into the data folder of `db`; shows the restore's messages
// (and the cause of a failure) through `ui`. The main window applies its
// enabling rule afterwards.
RestoreOutcome runRestore(store::Database& db, const platform::Media& media, platform::Interaction& ui,
                          const RestoreSettings& settings);

// The scratch folder a restore unpacks into.
std::filesystem::path restoreWorkFolder(const store::Database& db);

}  // namespace torvex::core::jobs
