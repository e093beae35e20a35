// End to end: runs of torvex-cli that are killed half-way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/declaration_generator.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// torvex-cli started in the background, its output going to files.
class Background {
 public:
  Background(const std::vector<std::string>& args, const fs::path& outFile) {
    pid_ = ::fork();
    if (pid_ == 0) {
      const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = ::open((outFile.string() + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(out, 1);
      ::dup2(err, 2);
      std::vector<char*> argv{const_cast<char*>(TORVEX_TEST_CLI)};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(TORVEX_TEST_CLI, argv.data());
      ::_exit(127);
    }
  }
  ~Background() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      wait();
    }
  }
  void signal(int sig) const { ::kill(pid_, sig); }
  // Exit status; -1 when it was killed.
  int wait() {
    int rc = 0;
    ::waitpid(pid_, &rc, 0);
    pid_ = -1;
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  }

 private:
  pid_t pid_ = -1;
};

std::string readAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KilledRun : public ::testing::Test {
 protected:
  fs::path writeDeclaration(const std::string& name, int establishments, int links, int seed = 1) {
    GeneratorOptions o;
    o.establishments = establishments;
    o.links = links;
    o.seed = seed;
    const auto file = work / name;
    std::ofstream(file, std::ios::binary) << DeclarationGenerator(o).text();
    return file;
  }
  // Milliseconds a whole run of `args` takes here.
  long long timed(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    Background run(args, work / "cronometro.txt");
    EXPECT_EQ(run.wait(), 0) << readAll(work / "cronometro.txt.err");
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  }
  std::string integrityOfDeclarations() {
    core::store::Database db(folder.path());
    auto st = db.prepare("PRAGMA main.integrity_check");
    return st.step() ? st.text(0) : "";
  }

  void SetUp() override { folder.close(); }
  void TearDown() override { fs::remove_all(work); }

  TempDataFolder folder;
  fs::path work = makeTempDirectory("torvex-killed");
  std::mt19937 random{20061231};
};

TEST_F(KilledRun, KillingAnImportLeavesTheDeclarationDatabaseSound) {
  const auto file = writeDeclaration("importar.dec", 20, 3000);
  const std::vector<std::string> importar{"importar", file.string(), "--dados", folder.path().string(), "--json"};
  const long long whole = timed(importar);
  std::uniform_int_distribution<long long> moment(0, whole);
  for (int i = 0; i < 8; ++i) {
    const long long at = moment(random);
    {
      Background run(importar, work / "importar.txt");
      std::this_thread::sleep_for(std::chrono::milliseconds(at));
      run.signal(SIGKILL);
      run.wait();
    }
    EXPECT_EQ(integrityOfDeclarations(), "ok") << "killed after " << at << " ms";
  }
}

}  // namespace
}  // namespace torvex::test
