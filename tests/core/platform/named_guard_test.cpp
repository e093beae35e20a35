#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "core/platform/named_guard.h"

namespace torvex::core::platform {
namespace {

namespace fs = std::filesystem;

// A scratch folder of this test, removed at the end.
struct ScratchFolder {
  fs::path path;
  ScratchFolder() {
    std::string templ = (fs::temp_directory_path() / "guarda-XXXXXX").string();
    path = ::mkdtemp(templ.data());
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, ec);
    fs::remove_all(path, ec);
  }
};

// Points an environment variable elsewhere for one test.
struct EnvironmentValue {
  std::string name;
  std::string old;
  bool had;
  EnvironmentValue(std::string n, const char* value) : name(std::move(n)) {
    const char* v = std::getenv(name.c_str());
    had = v != nullptr;
    if (had) old = v;
    if (value) ::setenv(name.c_str(), value, 1);
    else ::unsetenv(name.c_str());
  }
  ~EnvironmentValue() {
    if (had) ::setenv(name.c_str(), old.c_str(), 1);
    else ::unsetenv(name.c_str());
  }
};

TEST(NamedGuard, ASecondHolderIsRefusedUntilTheFirstEnds) {
  const std::string name = "teste-guarda-" + std::to_string(::getpid());
  {
    NamedGuard first(name);
    ASSERT_TRUE(first.acquired()) << first.problem();
    // Another process trying the same name is refused.
    const pid_t child = ::fork();
    if (child == 0) {
      NamedGuard second(name);
      ::_exit(second.state() == NamedGuard::State::HeldElsewhere ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "second process acquired the guard";
  }
  NamedGuard again(name);
  EXPECT_TRUE(again.acquired());
}

TEST(NamedGuard, OnlyAFolderOfThisUserClosedToEveryoneElseHoldsGuards) {
  ScratchFolder scratch;
  const fs::path dir = scratch.path / "d";
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  ASSERT_EQ(::symlink(dir.c_str(), (scratch.path / "link").c_str()), 0);
  std::ofstream(scratch.path / "file") << "x";
  EXPECT_EQ(privateFolderProblem(dir, ::getuid()), "");
  EXPECT_NE(privateFolderProblem(dir, ::getuid() + 1), "");  // another user's folder
  EXPECT_NE(privateFolderProblem(scratch.path / "link", ::getuid()), "");
  EXPECT_NE(privateFolderProblem(scratch.path / "file", ::getuid()), "");
  EXPECT_NE(privateFolderProblem(scratch.path / "missing", ::getuid()), "");
  for (mode_t mode : {0770, 0707, 0750, 0705, 0777, 01777}) {
    ASSERT_EQ(::chmod(dir.c_str(), mode), 0);
    EXPECT_NE(privateFolderProblem(dir, ::getuid()), "") << std::oct << mode;
    NamedGuard guard("teste", dir);
    EXPECT_EQ(guard.state(), NamedGuard::State::NoPrivateFolder) << std::oct << mode;
    EXPECT_FALSE(fs::exists(dir / "torvex-guard-teste"));
  }
}

TEST(NamedGuard, WithoutAPrivateRuntimeFolderTheGuardsGoToAPrivateCacheFolderNeverToTmp) {
  ScratchFolder scratch;
  const fs::path cache = scratch.path / "cache";
  EnvironmentValue cacheHome("XDG_CACHE_HOME", cache.c_str());
  for (const char* runtime : {static_cast<const char*>(nullptr), "", "/tmp"}) {
    EnvironmentValue runtimeDir("XDG_RUNTIME_DIR", runtime);
    const GuardFolder folder = guardFolder();
    ASSERT_EQ(folder.path, cache / "torvex") << folder.problem;
    struct stat st {};
    ASSERT_EQ(::stat(folder.path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A guard file another user left in the shared temporary folder blocks nothing.
    std::ofstream(fs::temp_directory_path() / ("torvex-guard-" + std::to_string(::getuid()) + "-teste"));
    NamedGuard guard("teste");
    EXPECT_TRUE(guard.acquired()) << guard.problem();
  }
  std::error_code ec;
  fs::remove(fs::temp_directory_path() / ("torvex-guard-" + std::to_string(::getuid()) + "-teste"), ec);
}

TEST(NamedGuard, AnExistingCacheFolderOpenToOthersIsClosedOrRefused) {
  ScratchFolder scratch;
  EnvironmentValue runtimeDir("XDG_RUNTIME_DIR", nullptr);
  EnvironmentValue cacheHome("XDG_CACHE_HOME", scratch.path.c_str());
  const fs::path torvex = scratch.path / "torvex";
  ASSERT_EQ(::mkdir(torvex.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(torvex.c_str(), 0777), 0);
  EXPECT_EQ(guardFolder().path, torvex);  // this user's own folder: closed to others
  struct stat st {};
  ASSERT_EQ(::stat(torvex.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A link planted in its place is refused, and so is the guard.
  fs::remove(torvex);
  ASSERT_EQ(::symlink("/tmp", torvex.c_str()), 0);
  EXPECT_TRUE(guardFolder().path.empty());
  NamedGuard guard("teste");
  EXPECT_EQ(guard.state(), NamedGuard::State::NoPrivateFolder);
  EXPECT_NE(guard.problem(), "");
}

}  // namespace
}  // namespace torvex::core::platform
