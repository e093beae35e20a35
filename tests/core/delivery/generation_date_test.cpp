#include "core/delivery/generation_date.h"

#include <gtest/gtest.h>

namespace torvex::test {
namespace {

TEST(GenerationDate, MustFallInTheYearAfterTheBaseYear) {
  const struct {
    const char* date;
    const char* code;
  } cases[] = {
      {"31122006", "0420"}, {"01012007", "0000"}, {"31122007", "0000"}, {"01012008", "0423"},
      {"29022007", "0421"}, {"", "0421"},         {"1501207", "0421"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::delivery::checkGenerationDate(c.date), c.code) << c.date;
}

}  // namespace
}  // namespace torvex::test
