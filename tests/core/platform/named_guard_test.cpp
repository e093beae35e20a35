#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/platform/named_guard.h"

namespace torvex::core::platform {
namespace {

TEST(NamedGuard, ASecondHolderIsRefusedUntilTheFirstEnds) {
  const std::string name = "teste-guarda-" + std::to_string(::getpid());
  {
    NamedGuard first(name);
    ASSERT_TRUE(first.acquired());
    // Another process trying the same name is refused.
    const pid_t child = ::fork();
    if (child == 0) {
      NamedGuard second(name);
      ::_exit(second.acquired() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "second process acquired the guard";
  }
  NamedGuard again(name);
  EXPECT_TRUE(again.acquired());
}

}  // namespace
}  // namespace torvex::core::platform
