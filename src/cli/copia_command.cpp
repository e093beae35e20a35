// torvex-cli copia and restaurar: the backup and the restore of the declaration
// data without a window. Every volume lives in the archive's folder.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "core/delivery/folder_media.h"
#include "core/jobs/backup_job.h"
#include "core/store/data_folder.h"

namespace torvex::cli {
namespace {

namespace fs = std::filesystem;
using core::jobs::BackupStatus;
using core::jobs::RestoreStatus;

constexpr const char* kFolderHelp = "Pasta de dados (padrão: a pasta dados ao lado do programa)";

struct Options {
  std::string archive;
  std::string folder = defaultDataFolder().string();
  std::int64_t volume = 0;
  bool progress = false;
};

bool hasBackupExtension(const fs::path& file) {
  std::string ext = file.extension().string();
  for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bkp";
}

int backup(const Options& o) {
  ConsoleInteraction ui(false, o.progress);
  // The same refusal as a restore would give: an archive of another name could not be restored.
  if (!hasBackupExtension(o.archive)) {
    std::cerr << "torvex-cli copia: " << core::jobs::backup_text::kBadExtension << "\n";
    return exit_status::kRefused;
  }
  if (o.volume != 0 && o.volume < core::jobs::kSmallestVolume) {
    std::cerr << "torvex-cli copia: --volume deve ser 0 (sem limite) ou pelo menos " << core::jobs::kSmallestVolume
              << " bytes.\n";
    return exit_status::kUsage;
  }
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  core::store::Database db(o.folder);
  core::delivery::FolderMedia media(executableFolder() / "Transmite");
  const auto out = core::jobs::runBackup(db, media, ui, {fs::absolute(o.archive), o.volume});
  switch (out.status) {
    case BackupStatus::Done:
      for (const auto& v : out.volumes) std::cout << v.string() << "\n";
      return exit_status::kOk;
    case BackupStatus::Stopped: return exit_status::kInterruptedBySignal;
    case BackupStatus::Failed: return out.dataInUse ? exit_status::kDataFolderBusy : exit_status::kUsage;
  }
  return exit_status::kUsage;
}

int restore(const Options& o) {
  ConsoleInteraction ui(false, o.progress);
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  core::store::Database db(o.folder);
  core::delivery::FolderMedia media(executableFolder() / "Transmite");
  const auto out = core::jobs::runRestore(db, media, ui, {fs::absolute(o.archive), false});
  switch (out.status) {
    case RestoreStatus::Done: return exit_status::kOk;
    case RestoreStatus::BadExtension:
    case RestoreStatus::Missing:
    case RestoreStatus::Foreign:
    case RestoreStatus::Refused: return exit_status::kRefused;
    case RestoreStatus::InUse: return exit_status::kDataFolderBusy;
    case RestoreStatus::Stopped: return exit_status::kInterruptedBySignal;
    case RestoreStatus::Failed: return exit_status::kUsage;
  }
  return exit_status::kUsage;
}

}  // namespace

Runner setupCopia(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("ARQUIVO", o->archive, "O arquivo da cópia (.bkp); os volumes seguintes (.002, .003, ...) ficam na mesma pasta")
      ->required();
  sub.add_option("--volume", o->volume, "Tamanho máximo de cada volume em bytes (padrão 0: um só volume)");
  sub.add_option("--dados", o->folder, kFolderHelp);
  sub.add_flag("--progresso", o->progress, "Mostra o andamento em porcentagem");
  return [o]() { return backup(*o); };
}

Runner setupRestaurar(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("ARQUIVO", o->archive, "O arquivo da cópia (.bkp); os volumes seguintes são procurados na mesma pasta")
      ->required();
  sub.add_option("--dados", o->folder, kFolderHelp);
  sub.add_flag("--progresso", o->progress, "Mostra o andamento em porcentagem");
  return [o]() { return restore(*o); };
}

}  // namespace torvex::cli
