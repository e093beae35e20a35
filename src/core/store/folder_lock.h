#pragma once
// Advisory lock on a file, shared by every program that has a data folder open;
// one program may hold it exclusively only while no other program holds it.
#include <filesystem>

namespace torvex::core::store {

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

}  // namespace torvex::core::store
