#pragma once
// Advisory lock on a file, shared by every program that has a data folder open;
// one program may hold it exclusively only while no other program holds it.
#include <filesystem>

namespace torvex::core::store {

// Told when the declaration database stays locked by another program's write
// (an import, a deletion...) longer than a command waits for it.
inline constexpr const char* kDataFolderBusyMessage =
    "Outro programa está gravando as declarações desta pasta de dados (importação, exclusão ou outra operação em "
    "andamento). Aguarde o fim dele e tente novamente.";

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
