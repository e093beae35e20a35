#include "core/store/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include <string>

#include "core/platform/output_file.h"
#include "core/store/engine_error.h"

namespace torvex::core::store {

FolderLock::FolderLock(const std::filesystem::path& lockFile) {
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd_ < 0)
    throw EngineError(engine_code::kCannotOpen, "Não foi possível abrir o arquivo de controle " + lockFile.string() +
                                                    ": " + platform::fileFailureText(errno, lockFile.parent_path()) +
                                                    ".");
  // Another program may be holding the folder exclusively for a moment (reindex); wait for it.
  if (::flock(fd_, LOCK_SH) != 0) {
    ::close(fd_);
    fd_ = -1;
    throw EngineError(engine_code::kDatabaseLocked, "");
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool FolderLock::tryExclusive() {
  if (exclusive_) return true;
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    exclusive_ = true;
    return true;
  }
  // A failed conversion may have dropped the shared lock: take it back.
  ::flock(fd_, LOCK_SH);
  return false;
}

void FolderLock::shared() {
  if (!exclusive_) return;
  ::flock(fd_, LOCK_SH);
  exclusive_ = false;
}

}  // namespace torvex::core::store
