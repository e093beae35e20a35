#pragma once
// The work tables of a data folder belong to one run at a time. A run that fills
// them and reads them back (analyse a file, verify, import, write) holds them
// from its first write to its last output through an advisory lock on a file
// beside them (trabalho.lck), which the system releases when the program dies.
// A run that writes them also leaves a mark in that file until it lets go: a
// mark found with nobody holding the lock was left by a program that stopped
// half-way, and the scratch database is then made anew.
#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace torvex::core::store {

class Database;

inline constexpr const char* kWorkTablesBusyMessage =
    "Outro programa está usando a área de trabalho desta pasta de dados (análise, verificação, importação ou "
    "gravação em andamento). Aguarde o fim dele e tente novamente.";

// How long a run waits for another one to let the work tables go.
inline constexpr std::chrono::milliseconds kWorkTablesWait{3000};

class WorkTablesBusy : public std::runtime_error {
 public:
  WorkTablesBusy() : std::runtime_error(kWorkTablesBusyMessage) {}
};

// The lock file of one connection. Holds nest: the lock is taken by the first
// and let go by the last, so a job inside a command that already holds the
// tables does not wait for itself.
class WorkTablesLock {
 public:
  explicit WorkTablesLock(const std::filesystem::path& lockFile);
  ~WorkTablesLock();
  WorkTablesLock(const WorkTablesLock&) = delete;
  WorkTablesLock& operator=(const WorkTablesLock&) = delete;

  // True when nobody holds the work tables and the last program that wrote
  // them left its mark (it was killed or its machine stopped).
  bool abandoned();
  void clearMark();

  // Throws WorkTablesBusy when another program still holds them after `wait`.
  void acquire(bool write, std::chrono::milliseconds wait);
  void release();
  bool held() const { return depth_ > 0; }

 private:
  void mark();
  int fd_ = -1;
  int depth_ = 0;
  bool marked_ = false;
};

// Holds the work tables of `db` while alive.
class WorkTablesHold {
 public:
  enum class Access { Write, Read };
  explicit WorkTablesHold(Database& db, Access access = Access::Write, std::chrono::milliseconds wait = kWorkTablesWait);
  ~WorkTablesHold();
  WorkTablesHold(const WorkTablesHold&) = delete;
  WorkTablesHold& operator=(const WorkTablesHold&) = delete;

 private:
  Database& db_;
};

}  // namespace torvex::core::store
