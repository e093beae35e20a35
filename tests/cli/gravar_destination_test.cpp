// gravar and the destination folder it shares with others: runs killed half-way
// and two runs into one folder at once leave only whole, named files.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include "core/delivery/file_digest.h"
#include "support/background_cli.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::size_t declarationFiles(const fs::path& folder) {
  std::size_t n = 0;
  for (const auto& name : namesIn(folder)) n += name.ends_with(".dec");
  return n;
}

class GravarDestination : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(work); }
  std::vector<std::string> gravar(const TempDataFolder& data) const {
    return {"gravar", "--dados", data.path().string(), "--destino", destination.string(), "--data", "15022007"};
  }

  fs::path work = makeTempDirectory("torvex-destino");
  fs::path destination = work / "Transmite";
};

// A declaration split over two files, written by runs killed at random moments
// of their writing: no file ever has its name before all of them are complete,
// and the next run clears the leftovers and writes the whole set.
TEST_F(GravarDestination, AKilledSplitWriteLeavesNoNamedFileAndTheNextRunWritesTheSet) {
  TempDataFolder data;
  data.close();
  ASSERT_TRUE(storeGeneratedDeclaration(data.path(), 5000));  // 5002 records: two files
  fs::create_directories(destination);
  const auto start = std::chrono::steady_clock::now();
  {
    BackgroundCli whole(gravar(data), work / "saida.txt");
    ASSERT_EQ(whole.wait(), 0) << readWholeFile(work / "saida.txt.err");
  }
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  ASSERT_EQ(declarationFiles(destination), 2u);
  fs::remove_all(destination);
  fs::create_directories(destination);

  // The check comes first; the files are written in the last part of a run.
  std::mt19937 random(20070215);
  std::uniform_int_distribution<long long> moment(took.count() / 3, took.count());
  for (int run = 0; run < 4; ++run) {
    BackgroundCli killed(gravar(data), work / "saida.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    killed.signal(SIGKILL);
    const bool finished = killed.wait() == 0;
    EXPECT_EQ(declarationFiles(destination), finished ? 2u : 0u) << "run " << run;
    if (finished) {
      fs::remove_all(destination);
      fs::create_directories(destination);
    }
  }
  const auto next = runTorvexCli("gravar --dados " + quoted(data.path().string()) + " --destino " +
                                 quoted(destination.string()) + " --data 15022007");
  ASSERT_EQ(next.status, 0) << next.err;
  const auto names = namesIn(destination);
  ASSERT_EQ(names.size(), 2u) << "leftovers: " << names.size();
  for (const auto& name : names) {
    EXPECT_TRUE(name.ends_with(".dec")) << name;
    EXPECT_TRUE(core::delivery::checkStampedDigest(destination / name).matches()) << name;
  }
}

// Two data folders whose first establishment is the same, written into one
// folder at once: each run either writes the file or stops at the question
// about the file the other wrote; the file left is whole and carries the
// digest one of them reported.
TEST_F(GravarDestination, TwoRunsIntoOneFolderAtOnceLeaveOneWholeFile) {
  TempDataFolder first;
  TempDataFolder second;
  first.close();
  second.close();
  ASSERT_TRUE(storeGeneratedDeclaration(first.path(), 1500));
  ASSERT_TRUE(storeGeneratedDeclaration(second.path(), 1500));
  for (int round = 0; round < 3; ++round) {
    fs::remove_all(destination);
    fs::create_directories(destination);
    BackgroundCli a(gravar(first), work / "a.txt");
    BackgroundCli b(gravar(second), work / "b.txt");
    const int ra = a.wait();
    const int rb = b.wait();
    const std::string out = readWholeFile(work / "a.txt") + readWholeFile(work / "b.txt");
    const std::string err = readWholeFile(work / "a.txt.err") + readWholeFile(work / "b.txt.err");
    EXPECT_TRUE((ra == 0 || ra == 2) && (rb == 0 || rb == 2) && (ra == 0 || rb == 0)) << ra << " " << rb << "\n"
                                                                                       << err;
    EXPECT_EQ(err.find("não existe"), std::string::npos) << err;
    const auto names = namesIn(destination);
    ASSERT_EQ(names.size(), 1u) << "round " << round;
    const auto digest = core::delivery::checkStampedDigest(destination / names[0]);
    EXPECT_TRUE(digest.matches()) << names[0];
    EXPECT_NE(out.find("  " + digest.stored + "\n"), std::string::npos) << out;
  }
}

}  // namespace
}  // namespace torvex::test
