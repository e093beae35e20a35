#include "core/validation/check_digits.h"

#include <gtest/gtest.h>

namespace torvex::core::validation {
namespace {

struct Inscription {
  const char* value;
  bool cnpj;
  bool cei;
};

TEST(CheckDigits, InscriptionsAgainstBothTests) {
  const Inscription cases[] = {
      {"11222333000181", true, false},
      {"11222333000182", false, false},   // second digit wrong
      {"11222333000191", false, false},   // first digit wrong
      {"11222333000000", false, false},   // order part 0000 whatever the digits
      {"11222333000050", false, false},
      {"00123456789010", false, true},
      {"00123456789011", false, false},
      {"10123456789010", false, false},   // CEI must start with 00
      {"00000056789010", false, false},   // CEI with d3..d6 zero
      {"00123400002057", true, true},     // passes both
      {"00123400002138", true, true},
      {"1122233300018A", false, false},
      {"1122233300018", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isCnpj(c.value), c.cnpj) << c.value;
    EXPECT_EQ(isCei(c.value), c.cei) << c.value;
  }
}

TEST(CheckDigits, StrictCnpjWantsExactlyFourteenDigits) {
  EXPECT_TRUE(isCnpj("11222333000181 "));
  EXPECT_FALSE(isCnpjStrict("11222333000181 "));
  EXPECT_TRUE(isCnpjStrict("11222333000181"));
  EXPECT_FALSE(isCnpjStrict("11222333000000"));
}

TEST(CheckDigits, Cpf) {
  const std::pair<const char*, bool> cases[] = {
      {"52998224725", true}, {"52998224726", false}, {"52998224735", false}, {"11111111111", true},
      {"00000000000", true}, {"5299822472", false},  {"529982247251", false}, {"5299822472a", false},
  };
  for (const auto& [v, ok] : cases) EXPECT_EQ(isCpf(v), ok) << v;
}

TEST(CheckDigits, Pis) {
  const std::pair<const char*, bool> cases[] = {
      {"17033259504", true},  {"12000000004", true},   {"17033259505", false},
      {"37033259504", false},  // first digit must be 1 or 2
      {"12345678900", false}, {"10987654321", false},  {"10000000008", false},  // dummies with fitting digit
      {"1703325950", false},  {"1703325950X", false},
  };
  for (const auto& [v, ok] : cases) EXPECT_EQ(isPis(v), ok) << v;
  // Remainder 1: no last digit makes it valid.
  for (char d = '0'; d <= '9'; ++d) EXPECT_FALSE(isPis(std::string("1000000013") + d)) << d;
}

TEST(CheckDigits, ComputedDigitsPassTheTests) {
  EXPECT_EQ(cnpjCheckDigits("112223330001"), "81");
  EXPECT_EQ(cpfCheckDigits("529982247"), "25");
  EXPECT_EQ(ceiCheckDigit("12345678901"), '0');
  EXPECT_EQ(pisCheckDigit("1703325950"), '4');
  EXPECT_EQ(pisCheckDigit("1000000013"), std::nullopt);
  EXPECT_EQ(cnpjCheckDigits("11222333000"), "");
  for (int i = 0; i < 200; ++i) {
    const std::string nine = std::to_string(100000000 + i * 4444447);
    EXPECT_TRUE(isCpf(nine + cpfCheckDigits(nine))) << nine;
    const std::string twelve = nine + "001";
    EXPECT_TRUE(isCnpj(twelve + cnpjCheckDigits(twelve))) << twelve;
    const std::string ten = "1" + nine;
    if (auto d = pisCheckDigit(ten); d && ten + *d != "10987654321") {
      EXPECT_TRUE(isPis(ten + *d)) << ten;
    }
    const std::string eleven = nine.substr(0, 9) + "12";
    EXPECT_TRUE(isCei("00" + eleven + *ceiCheckDigit(eleven))) << eleven;
  }
}

}  // namespace
}  // namespace torvex::core::validation
