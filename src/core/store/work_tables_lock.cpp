#include "core/store/work_tables_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <thread>

#include "core/store/database.h"
#include "core/platform/output_file.h"
#include "core/store/engine_error.h"

namespace torvex::core::store {

WorkTablesLock::WorkTablesLock(const std::filesystem::path& lockFile) {
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd_ < 0)
    throw EngineError(engine_code::kCannotOpen, "Não foi possível abrir o arquivo de controle " + lockFile.string() +
                                                    ": " + platform::fileFailureText(errno, lockFile.parent_path()) +
                                                    ".");
}

WorkTablesLock::~WorkTablesLock() {
  if (fd_ < 0) return;
  if (depth_ > 0) {
    depth_ = 1;
    release();
  }
  ::close(fd_);
}

bool WorkTablesLock::abandoned() {
  if (depth_ > 0 || ::flock(fd_, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat st {};
  const bool marked = ::fstat(fd_, &st) == 0 && st.st_size > 0;
  ::flock(fd_, LOCK_UN);
  return marked;
}

void WorkTablesLock::clearMark() {
  if (::ftruncate(fd_, 0) == 0) marked_ = false;
}

void WorkTablesLock::mark() {
  // Any content is the mark; the process number helps whoever looks at it.
  const std::string text = std::to_string(::getpid()) + "\n";
  if (::pwrite(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size())) marked_ = true;
}

void WorkTablesLock::acquire(bool write, std::chrono::milliseconds wait) {
  if (depth_ == 0) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if (std::chrono::steady_clock::now() >= deadline) throw WorkTablesBusy();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  ++depth_;
  if (write && !marked_) mark();
}

void WorkTablesLock::release() {
  if (depth_ == 0 || --depth_ > 0) return;
  // Everything written is in the scratch database by now (each write is a transaction).
  if (marked_) clearMark();
  ::flock(fd_, LOCK_UN);
}

WorkTablesHold::WorkTablesHold(Database& db, Access access, std::chrono::milliseconds wait) : db_(db) {
  db_.workTablesLock().acquire(access == Access::Write, wait);
}

WorkTablesHold::~WorkTablesHold() { db_.workTablesLock().release(); }

}  // namespace torvex::core::store
