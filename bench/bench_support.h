#pragma once
// What the benchmarks that read one declaration file share: their arguments,
// a data folder made from the built reference tables, and a user nobody asks.
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/table_def.h"

namespace torvex::bench {
namespace fs = std::filesystem;

// Messages go to standard error and are answered OK.
class Silent : public core::platform::Interaction {
 public:
  std::string message(core::platform::DialogKind, const std::string& text, core::platform::Buttons) override {
    std::cerr << text << "\n";
    return core::platform::button::kOk;
  }
};

// User and system CPU seconds of the process so far.
inline double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Wall and CPU seconds of one step (the CPU time beside the wall time, since
// the machine may be shared), printed as "NAME: W s (CPU C s)" and a tail.
class Step {
 public:
  explicit Step(std::string name) : name_(std::move(name)), wall_(std::chrono::steady_clock::now()), cpu_(cpuSeconds()) {}
  double wall() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count(); }
  void report(const std::string& tail = "") const {
    std::cout << name_ << ": " << wall() << " s (CPU " << cpuSeconds() - cpu_ << " s)" << tail << "\n";
  }

 private:
  std::string name_;
  std::chrono::steady_clock::time_point wall_;
  double cpu_;
};

// ", N vinculos/s" over the step's wall time so far.
inline std::string linksPerSecond(std::int64_t links, const Step& step) {
  return ", " + std::to_string(static_cast<long long>(static_cast<double>(links) / step.wall())) + " vinculos/s";
}

inline fs::path executableFolder() {
  std::error_code ec;
  const auto exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

// A data folder with the reference tables and empty declaration tables; `fresh`
// empties it first, otherwise a folder already made is used as it is.
inline void prepareDataFolder(const fs::path& folder, const fs::path& reference, bool fresh) {
  if (fresh) fs::remove_all(folder);
  fs::create_directories(folder);
  if (!fs::exists(folder / core::store::Database::kReferenceFile))
    fs::copy_file(reference, folder / core::store::Database::kReferenceFile);
  if (fs::exists(folder / core::store::Database::kDeclarationFile)) return;
  core::store::Database db(folder, core::store::Database::Mode::Create);
  for (const auto& def : core::store::tableDefinitions())
    if (def.db == core::store::DbFile::Declaration) db.createTable(def);
}

//   NAME ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]
struct FileBenchArguments {
  fs::path file;
  fs::path folder;
  fs::path reference = executableFolder() / ".." / "bin" / "dados" / "referencia.db";
  bool previousYear = false;
};

// Nothing (after printing the usage) when the arguments are not understood.
inline std::optional<FileBenchArguments> parseFileBenchArguments(const std::string& name, int argc, char** argv,
                                                                  const fs::path& defaultFolder) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  FileBenchArguments a;
  a.folder = defaultFolder;
  bool understood = true;
  for (std::size_t i = 0; i < args.size() && understood; ++i) {
    if (args[i] == "--dados" && i + 1 < args.size()) a.folder = args[++i];
    else if (args[i] == "--referencia" && i + 1 < args.size()) a.reference = args[++i];
    else if (args[i] == "--ano-anterior") a.previousYear = true;
    else if (a.file.empty()) a.file = args[i];
    else understood = false;
  }
  if (understood && !a.file.empty()) return a;
  std::cerr << "uso: " << name << " ARQUIVO [--dados PASTA] [--referencia referencia.db] [--ano-anterior]\n";
  return std::nullopt;
}

}  // namespace torvex::bench
