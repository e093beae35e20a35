#pragma once
// Copies of the declaration database (declaracao.db) taken from, and brought
// back into, an open data folder: the backup archive and the safety copy made
// before a destructive change both go through here.
//
// Both directions use SQLite's online backup interface on the open connection,
// never a copy of the file itself: a file copied while a connection may be
// writing it can be torn, and a file renamed over an open connection leaves
// that connection (and its POSIX locks) on the old, unlinked inode, so every
// statement held by the windows would go on reading data that is gone.
//
// Restoring therefore copies the checked file's pages into the live
// connection's "main" schema. SQLite does that in one write transaction on the
// destination, journalled like any other write (rollback journal,
// synchronous=FULL): it either commits whole or is rolled back, by
// sqlite3_backup_finish after an error or by the journal after a crash. The
// connection stays valid; statements prepared on it are prepared again against
// the new schema, so the main window only has to apply its enabling rule again.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/store/database.h"

namespace torvex::core::store {

// A snapshot or a restore that could not be done; the text is for the user.
class SnapshotError : public std::runtime_error {
 public:
  explicit SnapshotError(const std::string& text, bool inUse = false) : std::runtime_error(text), inUse_(inUse) {}
  // Another program was writing the declaration data and held it locked.
  bool inUse() const { return inUse_; }

 private:
  bool inUse_;
};

// Writes a consistent copy of `db`'s declaration database to `target`. The copy
// is built in an OutputFile (a temporary file created exclusively beside
// `target`), synced, and renamed over `target` only when complete: a failure
// throws SnapshotError and leaves `target` as it was. The connection must not
// be inside a write transaction of its own.
void snapshotDeclarations(Database& db, const std::filesystem::path& target);

// Why `file` cannot be brought back as a declaration database; nullopt when it
// can. The file is opened read-only and must pass PRAGMA integrity_check, hold
// BD8Resp, BD8Emp and BD8Vinc with the columns of their definitions, carry a
// layout version this program knows, and hold no views or triggers.
std::optional<std::string> whyNotRestorable(const std::filesystem::path& file);

// Replaces the declaration database of `db`'s folder with the contents of
// `file`, which is checked again first. Holds the folder for exclusive use
// meanwhile (EngineError kTableBusy when another program has it open). The
// connection must have no transaction or statement of its own running. Throws
// SnapshotError with the reason when the file is refused or the copy fails;
// the declaration database is then unchanged. An older layout version is
// brought up to date afterwards, as when a folder is opened.
void restoreDeclarations(Database& db, const std::filesystem::path& file);

}  // namespace torvex::core::store
