#pragma once
// Advisory lock on a file, shared by every program that has a data folder open;
// one program may hold it exclusively only while no other program holds it.
#include <filesystem>

namespace torvex::core::platform {

class FolderLock {
 public:
  // Opens (creating when needed) the lock file and takes the shared lock.
  explicit FolderLock(const std::filesystem::path& lockFile);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Tries to turn the shared lock into an exclusive one without waiting.
  bool tryExclusive();
  // Returns to the shared lock.
  void shared();
  bool exclusive() const { return exclusive_; }

 private:
  int fd_ = -1;
  bool exclusive_ = false;
};

// A named guard held for the life of the process; a second holder of the
// same name (in any process of this user) is refused.
class NamedGuard {
 public:
  explicit NamedGuard(const std::string& name);
  ~NamedGuard();
  NamedGuard(const NamedGuard&) = delete;
  NamedGuard& operator=(const NamedGuard&) = delete;
  // False when another holder already had the name when this guard was made.
  bool acquired() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace torvex::core::platform
