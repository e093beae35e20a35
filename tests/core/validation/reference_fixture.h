#pragma once
// A data folder with a few reference rows of our own (so the cases do not depend
// on the delivered tables) and its look-ups, shared by a test suite.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/store/reference_lookup.h"
#include "core/validation/value_tests.h"
#include "support/temp_data_folder.h"

namespace torvex::core::validation::testing {

class ReferenceFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static const store::ReferenceLookup& ref() { return *ref_; }

 private:
  static std::unique_ptr<test::TempDataFolder> folder_;
  static std::unique_ptr<store::ReferenceLookup> ref_;
};

// One row of a table of cases: the expression, its answer and the expected code.
struct Case {
  const char* what;
  std::string_view got;
  std::string_view want;
};
#define CASE(expr, want) ::torvex::core::validation::testing::Case{#expr, (expr), (want)}

inline void expectCases(std::initializer_list<Case> cases) {
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

}  // namespace torvex::core::validation::testing
