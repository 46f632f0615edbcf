// Reading line amounts and writing computed sums: German number conventions
// whatever the machine's locale, and the rounding of the sums.

#include "render/amounts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/exceptions.h"
#include "tests/support/missing_input.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

struct FormatCase {
  std::string proves;
  double value;
  std::string text;
};

class FormatSumTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatSumTest, WritesTwoDecimalsWithAComma) {
  EXPECT_EQ(formatSum(GetParam().value), GetParam().text);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatSumTest,
    ::testing::Values(
        FormatCase{"150_gets_two_zeros", 150, "150,00"},
        FormatCase{"28_5_gets_a_trailing_zero", 28.5, "28,50"}, FormatCase{"zero", 0, "0,00"},
        FormatCase{"below_one_keeps_the_leading_zero", 0.07, "0,07"},
        FormatCase{"stored_2_675_is_2_67499999999999982_and_goes_down", 2.675, "2,67"},
        FormatCase{"exact_half_0_125_goes_up", 0.125, "0,13"},
        FormatCase{"negative_half_goes_away_from_zero", -0.125, "-0,13"},
        FormatCase{"negative_value_has_a_minus", -1234.5, "-1234,50"},
        // 1000.005 is stored as 1000.00499999999999545..., whose 18-digit
        // expansion 1000.00500000000000 is a half: it goes up.
        FormatCase{"half_decided_on_18_digits_not_the_exact_value", 1000.005, "1000,01"},
        FormatCase{"half_cent_0_005_goes_up", 0.005, "0,01"},
        FormatCase{"below_half_cent_is_zero", 0.0049, "0,00"},
        FormatCase{"tiny_residue_is_zero", 1e-17, "0,00"},
        FormatCase{"negative_residue_has_no_minus", -0.001, "0,00"},
        FormatCase{"carry_through_all_digits", 9.999, "10,00"},
        FormatCase{"no_thousands_separator", 1234567.891, "1234567,89"},
        FormatCase{"eight_integer_digits_keep_both_decimals", 99999999.99, "99999999,99"},
        FormatCase{"nine_integer_digits_keep_one_decimal", 123456789.456, "123456789,50"},
        FormatCase{"ten_integer_digits_keep_no_decimal", 1234567890.56, "1234567891,00"},
        FormatCase{"carry_into_ten_digits_stays_fixed", 999999999.96, "1000000000,00"},
        FormatCase{"carry_into_eleven_digits_becomes_exponent", 9999999999.5, "1E+10"},
        FormatCase{"eleven_integer_digits_in_exponent_form", 12345678901.0, "1,23456789E+10"},
        FormatCase{"exponent_form_rounds_to_ten_digits", 123456789012.34, "1,23456789E+11"},
        FormatCase{"exponent_form_negative", -5e15, "-5E+15"}, FormatCase{"infinity", kInf, "INF"},
        FormatCase{"negative_infinity", -kInf, "-INF"},
        FormatCase{"not_a_number", std::nan(""), "NAN"}),
    [](const auto& info) { return info.param.proves; });

struct ConvertCase {
  std::string proves;
  std::string text;
  long double value;
};

class AmountToExtendedTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(AmountToExtendedTest, ReadsTheNearestExtendedValue) {
  EXPECT_EQ(amountToExtended(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, AmountToExtendedTest,
    ::testing::Values(ConvertCase{"decimal_comma", "28,50", 28.5L},
                      ConvertCase{"whole_number", "150", 150.0L},
                      // The extended 0.1, not the double 0.1.
                      ConvertCase{"extended_precision", "0,1", 0.1L},
                      ConvertCase{"minus", "-3,5", -3.5L}, ConvertCase{"plus", "+2", 2.0L},
                      ConvertCase{"blanks_around", "  12,25 ", 12.25L},
                      ConvertCase{"nothing_before_the_comma", ",5", 0.5L},
                      ConvertCase{"nothing_after_the_comma", "5,", 5.0L},
                      ConvertCase{"exponent", "1,5E2", 150.0L},
                      ConvertCase{"small_exponent_with_sign", "25e-2", 0.25L},
                      ConvertCase{"exponent_with_plus", "1E+3", 1000.0L},
                      ConvertCase{"many_digits", "123456789012,345", 123456789012.345L}),
    [](const auto& info) { return info.param.proves; });

class NotANumberTest : public ::testing::TestWithParam<std::string> {};

TEST_P(NotANumberTest, RaisesTheConversionErrorWithTheText) {
  const std::string text = GetParam();
  try {
    amountToExtended(text);
    FAIL() << "converted: " << text;
  } catch (const ConvertError& error) {
    EXPECT_EQ(std::string(error.what()), "'" + text + "' ist kein gültiger Gleitkommawert");
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, NotANumberTest,
                         ::testing::Values("", "   ", "1.5", "1,2,3", "EUR 5", "5 EUR", "1E", "1e+",
                                           "--1", "1 000", "\t5", "0x10", "inf", "nan", ",", "-",
                                           "1E5000", "12,5\xC2\xA0"));

struct RateCase {
  std::string text;
  SummedRate rate;
};

class SummedRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(SummedRateTest, RecognisesTheRateByItsValue) {
  EXPECT_EQ(summedRate(GetParam().text), GetParam().rate) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SummedRateTest,
    ::testing::Values(RateCase{"19,00", SummedRate::Rate19}, RateCase{"19", SummedRate::Rate19},
                      RateCase{"19,0", SummedRate::Rate19}, RateCase{"019", SummedRate::Rate19},
                      RateCase{"7", SummedRate::Rate7}, RateCase{"7,00", SummedRate::Rate7},
                      RateCase{"0", SummedRate::Rate0}, RateCase{"0,00", SummedRate::Rate0},
                      RateCase{"00", SummedRate::Rate0}, RateCase{"16,00", SummedRate::None},
                      RateCase{"19,5", SummedRate::None}, RateCase{"1,9", SummedRate::None},
                      RateCase{"190", SummedRate::None}, RateCase{"", SummedRate::None},
                      RateCase{"19,", SummedRate::None}, RateCase{",0", SummedRate::None},
                      RateCase{"19 ", SummedRate::None}, RateCase{"+19", SummedRate::None},
                      RateCase{"-0", SummedRate::None}, RateCase{"19%", SummedRate::None},
                      RateCase{"19,0,0", SummedRate::None}, RateCase{"19.00", SummedRate::None},
                      RateCase{"1E1", SummedRate::None}));

TEST(WithDecimalCommaTest, ReplacesEveryPoint) {
  EXPECT_EQ(withDecimalComma("1.234.5"), "1,234,5");
  EXPECT_EQ(withDecimalComma("2.000"), "2,000");
  EXPECT_EQ(withDecimalComma(""), "");
}

// A locale whose decimal separator is the comma: the machine's own German
// locale, or one compiled into a temporary folder when it is not installed.
class DecimalCommaLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = std::setlocale(LC_ALL, nullptr);
    if (!selectGerman() && std::system("command -v localedef >/dev/null 2>&1") == 0) {
      const std::string command =
          "localedef -i de_DE -f UTF-8 '" + m_locales.path() + "/de_DE.UTF-8' >/dev/null 2>&1";
      if (std::system(command.c_str()) == 0) {
        ::setenv("LOCPATH", m_locales.path().c_str(), 1);
        selectGerman();
      }
    }
    if (std::string(std::localeconv()->decimal_point) != ",") {
      LUMORA_SKIP_UNLESS_CI("no locale with a decimal comma available");
    }
  }
  void TearDown() override {
    std::setlocale(LC_ALL, m_previous.c_str());
    ::unsetenv("LOCPATH");
  }

 private:
  static bool selectGerman() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
      if (std::setlocale(LC_ALL, name)) return true;
    }
    return false;
  }

  std::string m_previous;
  test::TempDir m_locales;
};

TEST_F(DecimalCommaLocaleTest, ReadingAndWritingIgnoreTheLocale) {
  EXPECT_EQ(amountToExtended("28,50"), 28.5L);
  EXPECT_EQ(amountToExtended("0,1"), 0.1L);
  EXPECT_EQ(amountToExtended("1,5E2"), 150.0L);
  EXPECT_THROW(amountToExtended("28.50"), ConvertError);
  EXPECT_EQ(formatSum(28.5), "28,50");
  EXPECT_EQ(formatSum(2.675), "2,67");
  EXPECT_EQ(formatSum(123456789012.34), "1,23456789E+11");
}

}  // namespace
}  // namespace lumora
