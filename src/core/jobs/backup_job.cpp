#include "core/jobs/backup_job.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "core/maintenance/backup_archive.h"
#include "core/platform/output_file.h"
#include "core/product.h"
#include "core/store/database_snapshot.h"
#include "core/store/engine_error.h"

namespace torvex::core::jobs {
namespace {

namespace fs = std::filesystem;
using maintenance::ArchiveError;
using maintenance::ArchiveFault;
using maintenance::ArchiveResult;
using platform::Buttons;
using platform::DialogKind;
namespace button = platform::button;

// The snapshot archived by a backup, beside the declaration database.
constexpr const char* kSnapshotFile = "copia_seguranca.db";
constexpr const char* kWorkFolder = "Work";

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The path of `folder` below `root`: "." for the root itself, nullopt when outside it.
std::optional<fs::path> below(const fs::path& folder, const fs::path& root) {
  const auto rel = folder.lexically_normal().lexically_relative(root.lexically_normal());
  if (rel.empty() || *rel.begin() == "..") return std::nullopt;
  return rel;
}

// A name from an archive as it can be shown: control characters replaced.
std::string shownName(const std::string& name) {
  std::string out;
  for (const unsigned char c : name.substr(0, 80)) out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
  return out;
}

// The host's progress and stop request, as the archive's run sees them.
class UiRun : public maintenance::ArchiveRun {
 public:
  explicit UiRun(platform::Interaction& ui) : ui_(ui) {}
  void progress(std::int64_t done, std::int64_t total) override {
    const std::int64_t percent = total > 0 ? done * 100 / total : 100;
    if (percent != last_) ui_.progress(percent, 100);
    last_ = percent;
  }
  bool stopRequested() override {
    ui_.processEvents();
    return ui_.stopRequested();
  }

 private:
  platform::Interaction& ui_;
  std::int64_t last_ = -1;
};

// Asks for volume `volume` and waits until the drive holds a readable medium;
// false when the user gives up.
bool askForVolume(const platform::Media& media, platform::Interaction& ui, char drive, int volume) {
  const std::string text = std::string(backup_text::kInsertVolume) + std::to_string(volume);
  if (ui.message(DialogKind::Information, text, Buttons::OkCancel) != button::kOk) return false;
  while (!media.capacity(drive))
    if (ui.message(DialogKind::Warning, std::string(backup_text::kDriveNotReady), Buttons::OkCancel) != button::kOk)
      return false;
  return true;
}

// The folder of volume `volume` (removable media: the same folder on the medium now in the drive).
fs::path volumeFolder(const platform::Media& media, const BackupPlace& place, const fs::path& archive) {
  if (!platform::isRemovableDrive(place.drive)) return archive.parent_path();
  const fs::path root = media.folder(place.drive);
  if (root.empty()) return archive.parent_path();
  return place.relativeFolder.empty() ? root : root / place.relativeFolder;
}

// ---------------------------------------------------------------- backup

class VolumeFiles : public maintenance::ArchiveVolumeWriter {
 public:
  VolumeFiles(const platform::Media& media, platform::Interaction& ui, const BackupSettings& settings,
              const BackupPlace& place, std::int64_t firstLimit)
      : media_(media), ui_(ui), settings_(settings), place_(place), firstLimit_(firstLimit) {}

  // Free space of the medium, with the warning while it is too little; the volume's limit or nullopt.
  static std::optional<std::int64_t> spaceForVolume(const platform::Media& media, platform::Interaction& ui,
                                                    const BackupPlace& place, const fs::path& folder) {
    for (;;) {
      std::optional<std::int64_t> free;
      if (platform::isRemovableDrive(place.drive)) {
        free = media.freeSpace(place.drive);
      } else {
        std::error_code ec;
        const auto info = fs::space(folder, ec);
        if (!ec) free = static_cast<std::int64_t>(info.available);
      }
      if (free && *free >= kMinimumBackupSpace) return *free - kBackupSpaceMargin;
      if (ui.message(DialogKind::Warning, std::string(backup_text::kTooLittleSpace), Buttons::OkCancel) !=
          button::kOk)
        return std::nullopt;
    }
  }

  std::optional<std::int64_t> begin(int volume) override {
    std::int64_t limit = firstLimit_;
    fs::path file = settings_.archive;
    if (volume > 1) {
      const fs::path name = maintenance::archiveVolumePath(settings_.archive, volume).filename();
      if (settings_.volumeSize) {
        file = settings_.archive.parent_path() / name;
        limit = *settings_.volumeSize;
      } else {
        if (!askForVolume(media_, ui_, place_.drive, volume)) return std::nullopt;
        const fs::path folder = volumeFolder(media_, place_, settings_.archive);
        std::error_code ec;
        fs::create_directories(folder, ec);
        const auto space = spaceForVolume(media_, ui_, place_, folder);
        if (!space) return std::nullopt;
        limit = *space;
        file = folder / name;
      }
    }
    try {
      if (oneByOne()) {
        single_ = std::make_unique<platform::OutputFile>(file);
        current_ = single_.get();
      } else {
        current_ = &set_.add(file);
      }
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::CannotWriteArchive, e.what());
    }
    files_.push_back(file);
    return limit;
  }

  void write(std::string_view bytes) override {
    try {
      current_->write(bytes);
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::CannotWriteArchive, e.what());
    }
  }

  // A removable medium's volume is complete before the next medium goes in.
  void end(int) override {
    if (!oneByOne()) return;
    try {
      single_->commit();
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::CannotWriteArchive, e.what());
    }
  }

  // Every volume gets its name once all are complete.
  void commit() {
    try {
      set_.commitAll();
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::CannotWriteArchive, e.what());
    }
  }

  const std::vector<fs::path>& files() const { return files_; }

 private:
  bool oneByOne() const { return !settings_.volumeSize && platform::isRemovableDrive(place_.drive); }

  const platform::Media& media_;
  platform::Interaction& ui_;
  const BackupSettings& settings_;
  BackupPlace place_;
  std::int64_t firstLimit_;
  platform::OutputFileSet set_;
  std::unique_ptr<platform::OutputFile> single_;
  platform::OutputFile* current_ = nullptr;
  std::vector<fs::path> files_;
};

BackupOutcome backupFailed(platform::Interaction& ui, BackupOutcome out, std::string_view text,
                           std::string_view cause) {
  out.status = BackupStatus::Failed;
  out.message = backupFailedText(text, cause);
  ui.progress(0, 0);
  ui.message(DialogKind::Error, out.message, Buttons::Ok);
  return out;
}

// ---------------------------------------------------------------- restore

class VolumeInputs : public maintenance::ArchiveVolumeReader {
 public:
  VolumeInputs(const platform::Media& media, platform::Interaction& ui, const RestoreSettings& settings,
               const BackupPlace& place)
      : media_(media), ui_(ui), settings_(settings), place_(place) {}

  std::istream* open(int volume) override {
    fs::path file = settings_.archive;
    if (volume > 1) {
      const fs::path name = maintenance::archiveVolumePath(settings_.archive, volume).filename();
      const bool removable = settings_.askForVolumes && platform::isRemovableDrive(place_.drive);
      std::error_code ec;
      // A volume already in the archive's folder on the hard disk is taken without asking.
      bool asked = false;
      for (;;) {
        file = (removable ? volumeFolder(media_, place_, settings_.archive) : settings_.archive.parent_path()) / name;
        if ((asked || !removable) && fs::exists(file, ec)) break;
        if (!settings_.askForVolumes)
          throw ArchiveError(ArchiveFault::CannotReadArchive,
                             "o volume " + std::to_string(volume) + " (" + file.string() + ") não foi encontrado.");
        if (!askForVolume(media_, ui_, place_.drive, volume)) return nullptr;
        asked = true;
      }
    }
    input_ = std::make_unique<platform::InputFile>(file);
    if (!input_->isOpen())
      throw ArchiveError(volume > 1 ? ArchiveFault::CannotReadArchive : ArchiveFault::CannotReadFile,
                         input_->problem());
    return &input_->stream();
  }

 private:
  const platform::Media& media_;
  platform::Interaction& ui_;
  const RestoreSettings& settings_;
  BackupPlace place_;
  std::unique_ptr<platform::InputFile> input_;
};

// Unpacks the declaration data's own entry into the Work folder; refuses any other.
class WorkEntries : public maintenance::ArchiveEntryWriter {
 public:
  explicit WorkEntries(fs::path work) : work_(std::move(work)) {}

  void begin(const std::string& name, std::uint32_t dosDate) override {
    if (lower(name) != kBackupEntryName)
      throw ArchiveError(ArchiveFault::CannotReadArchive,
                         "a cópia contém o arquivo \"" + shownName(name) +
                             "\", que não faz parte dos dados de declaração.");
    if (out_ || done_)
      throw ArchiveError(ArchiveFault::CannotReadArchive, "a cópia contém duas vezes os dados de declaração.");
    date_ = dosDate;
    try {
      out_ = std::make_unique<platform::OutputFile>(work_ / kBackupEntryName);
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::OverwritingFailed, e.what());
    }
  }

  void write(std::string_view bytes) override {
    try {
      out_->write(bytes);
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::OverwritingFailed, e.what());
    }
  }

  void end() override {
    try {
      out_->commit();
    } catch (const platform::OutputFileError& e) {
      throw ArchiveError(ArchiveFault::OverwritingFailed, e.what());
    }
    out_.reset();
    done_ = true;
    // The unpacked file keeps the archived file's date.
    std::error_code ec;
    const auto when = std::chrono::system_clock::from_time_t(maintenance::fromDosDateTime(date_));
    fs::last_write_time(work_ / kBackupEntryName, std::chrono::file_clock::from_sys(when), ec);
  }

  bool unpacked() const { return done_; }

 private:
  fs::path work_;
  std::unique_ptr<platform::OutputFile> out_;
  std::uint32_t date_ = 0;
  bool done_ = false;
};

// Empties the Work folder, or makes it; a link or a file in its place is removed (never followed).
void prepareWork(const fs::path& work) {
  std::error_code ec;
  const auto status = fs::symlink_status(work, ec);
  if (fs::exists(status) && !fs::is_directory(status)) fs::remove(work);
  if (fs::is_directory(status)) {
    for (const auto& entry : fs::directory_iterator(work)) fs::remove_all(entry.path());
  } else {
    fs::create_directory(work);
  }
}

void removeWork(const fs::path& work) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(work, ec))) fs::remove_all(work, ec);
}

RestoreOutcome restoreEnded(platform::Interaction& ui, RestoreStatus status, std::string message,
                            DialogKind kind = DialogKind::Error) {
  // A finished restore leaves its progress full.
  if (status != RestoreStatus::Done) ui.progress(0, 0);
  if (!message.empty()) ui.message(kind, message, Buttons::Ok);
  return {status, std::move(message)};
}

}  // namespace

std::string backupTitle() { return "Keva" + std::string(product::kBaseYear); }

namespace {
// A cause on a line of its own begins with a capital.
std::string causeLine(std::string_view cause) {
  if (cause.empty()) return {};
  std::string line(cause);
  if (line[0] >= 'a' && line[0] <= 'z') line[0] = static_cast<char>(line[0] - 'a' + 'A');
  return "\r\n" + line;
}
}  // namespace

std::string backupFailedText(std::string_view text, std::string_view cause) {
  return "Ocorreu um erro durante o processo de backup: [" + std::string(text) + "]." + causeLine(cause);
}

std::string restoreFailedText(std::string_view cause) { return std::string(backup_text::kRestoreFailed) + causeLine(cause); }

BackupPlace backupPlace(const platform::Media& media, const fs::path& archive) {
  const fs::path folder = fs::absolute(archive).parent_path();
  for (const char drive : media.drives()) {
    if (!platform::isRemovableDrive(drive)) continue;
    const fs::path root = media.folder(drive);
    if (root.empty()) continue;
    if (const auto rel = below(folder, root)) return {drive, *rel == "." ? fs::path{} : *rel};
  }
  return {'C', {}};
}

fs::path restoreWorkFolder(const store::Database& db) { return db.folder() / kWorkFolder; }

BackupOutcome runBackup(store::Database& db, const platform::Media& media, platform::Interaction& ui,
                        const BackupSettings& settings) {
  BackupOutcome out;
  const BackupPlace place = backupPlace(media, settings.archive);
  std::int64_t firstLimit = settings.volumeSize.value_or(0);
  if (!settings.volumeSize) {
    const auto space = VolumeFiles::spaceForVolume(media, ui, place, settings.archive.parent_path());
    if (!space) {
      out.status = BackupStatus::Stopped;
      return out;
    }
    firstLimit = *space;
  }
  ui.status(std::string(backup_text::kBackupProgress));
  ui.progress(0, 100);

  const fs::path snapshot = db.folder() / kSnapshotFile;
  struct RemoveSnapshot {
    const fs::path& file;
    ~RemoveSnapshot() {
      std::error_code ec;
      fs::remove(file, ec);
    }
  } removeSnapshot{snapshot};
  try {
    store::snapshotDeclarations(db, snapshot);
    std::error_code ec;
    out.bytes = static_cast<std::int64_t>(fs::file_size(snapshot, ec));
  } catch (const store::SnapshotError& e) {
    out.dataInUse = e.inUse();
    return backupFailed(ui, out, maintenance::archiveFaultText(ArchiveFault::CannotReadFile), e.what());
  }

  VolumeFiles volumes(media, ui, settings, place, firstLimit);
  UiRun run(ui);
  try {
    const auto result = maintenance::writeArchive(backupTitle(), {{kBackupEntryName, snapshot}}, volumes, run);
    if (result == ArchiveResult::Stopped) {
      ui.progress(0, 0);
      out.status = BackupStatus::Stopped;
      return out;
    }
    volumes.commit();
  } catch (const ArchiveError& e) {
    return backupFailed(ui, out, e.what(), e.cause());
  }
  out.volumes = volumes.files();
  out.status = BackupStatus::Done;
  ui.message(DialogKind::Information, std::string(backup_text::kBackupDone), Buttons::Ok);
  return out;
}

RestoreOutcome runRestore(store::Database& db, const platform::Media& media, platform::Interaction& ui,
                          const RestoreSettings& settings) {
  const fs::path& archive = settings.archive;
  if (lower(archive.extension().string()) != ".bkp")
    return restoreEnded(ui, RestoreStatus::BadExtension, std::string(backup_text::kBadExtension),
                        DialogKind::Warning);
  std::error_code ec;
  if (!fs::exists(archive, ec))
    return restoreEnded(ui, RestoreStatus::Missing, std::string(backup_text::kMissingArchive), DialogKind::Warning);
  {
    platform::InputFile first(archive);
    if (!first.isOpen()) return restoreEnded(ui, RestoreStatus::Failed, restoreFailedText(first.problem()));
    bool ours = false;
    try {
      ours = maintenance::readArchiveHeader(first.stream()).title == backupTitle();
    } catch (const ArchiveError&) {
    }
    if (!ours)
      return restoreEnded(ui, RestoreStatus::Foreign, std::string(backup_text::kForeignArchive), DialogKind::Warning);
  }

  // The folder is this run's from the first unpacked byte to the replaced database.
  const bool heldBefore = db.holdsExclusive();
  try {
    if (!heldBefore) db.acquireExclusive(store::table::kEstablishments);
  } catch (const store::EngineError& e) {
    return restoreEnded(ui, RestoreStatus::InUse, restoreFailedText(e.what()));
  }
  struct Release {
    store::Database& db;
    bool keep;
    fs::path work;
    ~Release() {
      removeWork(work);
      if (!keep) db.releaseExclusive();
    }
  } release{db, heldBefore, restoreWorkFolder(db)};
  const fs::path& work = release.work;

  try {
    prepareWork(work);
  } catch (const fs::filesystem_error& e) {
    return restoreEnded(ui, RestoreStatus::Failed,
                        restoreFailedText("A pasta " + work.string() + " não pôde ser preparada: " +
                                          platform::fileFailureText(e.code().value(), work.parent_path()) + "."));
  }

  ui.status(std::string(backup_text::kRestoreProgress));
  ui.progress(0, 100);
  VolumeInputs volumes(media, ui, settings, backupPlace(media, archive));
  WorkEntries entries(work);
  UiRun run(ui);
  try {
    if (maintenance::readArchive(volumes, entries, run) == ArchiveResult::Stopped)
      return restoreEnded(ui, RestoreStatus::Stopped, {});
  } catch (const ArchiveError& e) {
    const bool damaged = e.fault() == ArchiveFault::CannotReadArchive || e.fault() == ArchiveFault::InvalidArchiveType ||
                         e.fault() == ArchiveFault::CompressionError;
    return restoreEnded(ui, damaged ? RestoreStatus::Refused : RestoreStatus::Failed, restoreFailedText(e.cause()));
  }
  if (!entries.unpacked())
    return restoreEnded(ui, RestoreStatus::Refused, restoreFailedText("A cópia não contém os dados de declaração."));

  const fs::path unpacked = work / kBackupEntryName;
  if (auto refusal = store::whyNotRestorable(unpacked))
    return restoreEnded(ui, RestoreStatus::Refused, restoreFailedText(*refusal));
  try {
    store::restoreDeclarations(db, unpacked);
  } catch (const store::SnapshotError& e) {
    return restoreEnded(ui, RestoreStatus::Failed, restoreFailedText(e.what()));
  }
  return restoreEnded(ui, RestoreStatus::Done, std::string(backup_text::kRestoreDone), DialogKind::Information);
}

}  // namespace torvex::core::jobs
