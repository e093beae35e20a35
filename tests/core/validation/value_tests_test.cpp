#include "core/validation/value_tests.h"

#include <gtest/gtest.h>

#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::validation {
namespace {

TEST(ValueTests, FixedWidthNumeric) {
  const std::tuple<const char*, std::string_view, std::string_view> cases[] = {
      {"1234567", "0040", "3648"}, {"123456789", "X", "X"},   {"1234a678", "0040", "0040"},
      {"", "0040", "0040"},        {"12345678", "0000", "0000"}, {" 12345678 ", "0000", "0000"},
  };
  for (const auto& [v, normal, shortVariant] : cases) {
    EXPECT_EQ(checkFixedWidthNumeric(v, 8), normal) << v;
    EXPECT_EQ(checkFixedWidthNumericShort(v, 8), shortVariant) << v;
  }
}

TEST(ValueTests, NumericZeroPrintableLetters) {
  EXPECT_TRUE(isNumeric(" 0123 "));
  EXPECT_FALSE(isNumeric("   "));
  EXPECT_FALSE(isNumeric("12 3"));
  EXPECT_TRUE(isAllZero("000"));
  EXPECT_FALSE(isAllZero(""));
  EXPECT_FALSE(isAllZero(" 00"));
  EXPECT_TRUE(isPrintable(""));
  EXPECT_TRUE(isPrintable("RUA A, 10 ~"));
  EXPECT_FALSE(isPrintable("JOÃO"));
  EXPECT_FALSE(isPrintable("D'AVILA"));
  EXPECT_FALSE(isPrintable("A\"B"));
  EXPECT_TRUE(isLettersOnly("abcXYZ"));
  EXPECT_FALSE(isLettersOnly("ab c"));
  EXPECT_EQ(checkNumericContent(" 12 "), "0000");
  EXPECT_EQ(checkNumericContent("1a"), "0030");
}

TEST(ValueTests, TextRuleAndRepeatedCharacters) {
  EXPECT_EQ(checkText(" AB "), "0010");
  EXPECT_EQ(checkText("ABC"), "0000");
  EXPECT_EQ(checkText("JOSÉ DA SILVA"), "0020");
  EXPECT_EQ(checkText("D'AVILA"), "0020");
  EXPECT_FALSE(passesRepeatedCharacter("RUA AAAA"));
  EXPECT_TRUE(passesRepeatedCharacter("RUA AAA"));
  EXPECT_TRUE(passesRepeatedCharacter("RUA A    10"));
  EXPECT_FALSE(passesRepeatedCharacter("1111"));
  EXPECT_TRUE(passesRepeatedCharacter("111"));
}

// An accented character is one character, as in the declaration file.
TEST(ValueTests, AccentedCharactersCountAsOne) {
  EXPECT_FALSE(passesRepeatedCharacter("RUA ÇÇÇÇ"));
  EXPECT_TRUE(passesRepeatedCharacter("RUA ÇÇÇ"));
  EXPECT_TRUE(passesRepeatedCharacter("ÇÃÇÃ"));
  EXPECT_EQ(checkText("É"), "0020");
  EXPECT_TRUE(isHeadOffice("1122233Ç000181"));
  EXPECT_EQ(fitLeft("JOÃO", 6), "JOÃO  ");
  EXPECT_EQ(fitLeft("ÇÇÇ", 2), "ÇÇ");
  EXPECT_EQ(fitRight("Ç", 3), "00Ç");
  EXPECT_EQ(formatPis("1011234567Ç"), "101.12345.67.Ç");
  EXPECT_EQ(formatInscription("1122233300018Ç", "1"), "11.222.333/0001-8Ç");
}

TEST(ValueTests, Dates) {
  for (auto v : {"29022004", "01012006", "31122006", "29022000", "01010001"}) EXPECT_TRUE(isValidDate(v)) << v;
  for (auto v : {"29022005", "31042006", "00012006", "01002006", "01132006", "29021900", "01010000", "0101200",
                 "010120066", "", "0101200a", " 1012006"})
    EXPECT_FALSE(isValidDate(v)) << v;
}

TEST(ValueTests, HeadOfficeAndMinimumWage) {
  EXPECT_TRUE(isHeadOffice("11222333000181"));
  EXPECT_FALSE(isHeadOffice("11222333000281"));
  EXPECT_FALSE(isHeadOffice("00000000000000"));
  EXPECT_TRUE(isBelowMinimumWage(32000, 12));
  EXPECT_FALSE(isBelowMinimumWage(32000, 3));
  EXPECT_TRUE(isBelowMinimumWage(34999, 4));
  EXPECT_FALSE(isBelowMinimumWage(35000, 4));
  EXPECT_TRUE(isAtMinimumWageCeiling(5000000, 4));
  EXPECT_FALSE(isAtMinimumWageCeiling(5000000, 5));
  EXPECT_TRUE(isAtMinimumWageCeiling(5250000, 5));
  EXPECT_TRUE(isAtMinimumWageCeiling(4500000, 1));
  EXPECT_FALSE(isAtMinimumWageCeiling(4499999, 1));
}

TEST(TextOps, FitTrimAndCounts) {
  EXPECT_EQ(fitLeft("AB", 4), "AB  ");
  EXPECT_EQ(fitLeft("ABCDE", 3), "ABC");
  EXPECT_EQ(fitRight("12", 5), "00012");
  EXPECT_EQ(fitRight("123456", 4), "1234");
  EXPECT_EQ(trimBlanks("  a b \t "), "a b \t");
  EXPECT_EQ(integerOrZero(" 42"), 42);
  EXPECT_EQ(integerOrZero("-7"), -7);
  EXPECT_EQ(integerOrZero("4 2"), 0);
  EXPECT_EQ(integerOrZero("99999999999999999999"), 0);
  EXPECT_EQ(wordCount("  "), 0);
  EXPECT_EQ(wordCount(" JOSE  DA SILVA "), 3);
  EXPECT_EQ(stripLeadingZeros("000"), "");
  EXPECT_EQ(stripLeadingZeros("0102"), "102");
  EXPECT_EQ(phoneDisplay("0032345678"), "3234-5678");
  EXPECT_EQ(phoneDisplay("001234"), "1234");
  EXPECT_EQ(phoneDisplay("12345"), "1-2345");
}

TEST(TextOps, MonthNames) {
  EXPECT_EQ(monthName("1"), "Janeiro");
  EXPECT_EQ(monthName("03"), "Março");
  EXPECT_EQ(monthName("12"), "Dezembro");
  EXPECT_EQ(monthName("99"), "Totalização");
  EXPECT_EQ(monthName("13"), "");
  EXPECT_EQ(monthName("0"), "");
  EXPECT_EQ(monthName("ab"), "");
}

TEST(Formatters, Amounts) {
  const std::pair<const char*, const char*> cents[] = {
      {"000000000", "0,00"},       {"000123456", "1.234,56"},  {"999999999", "9.999.999,99"},
      {"00000005", "0,05"},        {"12345678", "123.456,78"}, {"  000000100 ", "1,00"},
      {"12a", "12a"},  // not numeric: back unformatted
  };
  for (const auto& [v, shown] : cents) EXPECT_EQ(formatCents(v, AmountPadding::None), shown) << v;
  const std::pair<const char*, const char*> entered[] = {
      {"1.234,56", "1.234,56"}, {"1234,5", "1.234,50"}, {"0", "0,00"},      {"1,005", "1,01"},
      {"9,999", "10,00"},       {",5", "0,50"},         {"abc", "Erro"},    {"", "Erro"},
      {"-12,3", "-12,30"},      {"1,2,3", "Erro"},
  };
  for (const auto& [v, shown] : entered) EXPECT_EQ(formatEnteredAmount(v, AmountPadding::None), shown) << v;
}

TEST(Formatters, AmountPaddingByLength) {
  EXPECT_EQ(formatCents("000000000"), std::string(14, ' ') + "0,00");
  EXPECT_EQ(formatCents("000123456"), std::string(7, ' ') + "1.234,56");
  EXPECT_EQ(padAmount("12,34"), std::string(12, ' ') + "12,34");
  EXPECT_EQ(padAmount("123,45"), std::string(11, ' ') + "123,45");
  EXPECT_EQ(padAmount("12.345,67"), std::string(5, ' ') + "12.345,67");
  EXPECT_EQ(padAmount("123.456,78"), std::string(3, ' ') + "123.456,78");
  EXPECT_EQ(padAmount("1.234.567,89"), "1.234.567,89");
  EXPECT_EQ(padAmount("1234567"), "1234567");  // length 7: no rule
}

TEST(Formatters, InscriptionsAndPis) {
  EXPECT_EQ(formatInscription("11222333000181", "1"), "11.222.333/0001-81");
  EXPECT_EQ(formatInscription("00123456789010", "3"), "12-345-67.890-1/0");
  EXPECT_EQ(formatInscription("123456789010", "3"), "12-345-67.890-1/0");
  EXPECT_EQ(formatInscription("00052998224725", "4"), "529.982.247-25");
  EXPECT_EQ(formatInscription("52998224725", "4"), "529.982.247-25");
  EXPECT_EQ(formatInscription("11222333000181", "2"), "11222333000181");
  EXPECT_EQ(formatInscription("1122", "1"), "1122");
  EXPECT_EQ(formatPis("17033259504"), "170.33259.50.4");
  EXPECT_EQ(formatPis("123"), "123");
}

}  // namespace
}  // namespace torvex::core::validation
