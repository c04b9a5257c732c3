// Number value operations: strict and leading reading, pattern and fixed-decimals
// writing, number to text, narrowing.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Runs f and returns the number of the Error it raises, 0 when it raises none.
template <typename F>
int32_t ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

// --- Strict conversion -------------------------------------------------------------

struct StrictRow {
  const char* text;
  double value;  // expected value when error is 0
  int32_t error;
};

TEST(ToNumber, AcceptsTheGrammarAndRefusesEverythingElse) {
  const StrictRow rows[] = {
      {"0", 0, 0},
      {"1,234.5", 1234.5, 0},
      {" -2e3 ", -2000, 0},
      {"\t+7\t", 7, 0},
      // Commas anywhere among the integer digits, also leading or trailing.
      {"1,5234", 15234, 0},
      {",12", 12, 0},
      {"12,", 12, 0},
      {"-,1,,2,", -12, 0},
      {"5.", 5, 0},
      {".5", 0.5, 0},
      {"-.25", -0.25, 0},
      {"1E+2", 100, 0},
      {"1e-2", 0.01, 0},
      {"2.5E3", 2500, 0},
      {"000123", 123, 0},
      {"0.1", 0.1, 0},
      {"1e-400", 0, 0},  // below the smallest double
      {"4.9406564584124654e-324", 4.9406564584124654e-324, 0},
      {"1.7976931348623157e308", 1.7976931348623157e308, 0},
      // Not numbers.
      {"", 0, errors::kTypeMismatch},
      {"-", 0, errors::kTypeMismatch},
      {",", 0, errors::kTypeMismatch},
      {".", 0, errors::kTypeMismatch},
      {"-.", 0, errors::kTypeMismatch},
      {"   ", 0, errors::kTypeMismatch},
      {"1e", 0, errors::kTypeMismatch},
      {"1e+", 0, errors::kTypeMismatch},
      {"e5", 0, errors::kTypeMismatch},
      {"1.2.3", 0, errors::kTypeMismatch},
      {"1.2,3", 0, errors::kTypeMismatch},  // no commas in the fraction
      {"1 2", 0, errors::kTypeMismatch},
      {"--1", 0, errors::kTypeMismatch},
      {"+-1", 0, errors::kTypeMismatch},
      {"12abc", 0, errors::kTypeMismatch},
      {"0x10", 0, errors::kTypeMismatch},
      {"inf", 0, errors::kTypeMismatch},
      {"nan", 0, errors::kTypeMismatch},
      {"\xEF\xBC\x91", 0, errors::kTypeMismatch},  // a full-width digit one
      {"1e2.5", 0, errors::kTypeMismatch},
      // Too large for a double.
      {"1e999", 0, errors::kOverflow},
      {"-1.8e308", 0, errors::kOverflow},
      {"1e99999999999999999999999", 0, errors::kOverflow},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::u16string text = U(row.text);
    double got = 0;
    EXPECT_EQ(ErrorOf([&] { got = ToNumber(text); }), row.error);
    EXPECT_EQ(IsNumeric(text), row.error == 0);
    if (row.error == 0) {
      EXPECT_EQ(got, row.value);
    }
  }
}

TEST(ToNumber, NegativeZeroReadsAsZero) {
  EXPECT_FALSE(std::signbit(ToNumber(u"-0")));
  EXPECT_FALSE(std::signbit(ToNumber(u"-0.000")));
}

TEST(ToNumber, HugeInputsAreReadExactlyWithoutCrashing) {
  // A million digits: the exponent of the first significant digit decides.
  const std::u16string many(1000000, u'9');
  EXPECT_EQ(ErrorOf([&] { ToNumber(many); }), errors::kOverflow);
  EXPECT_EQ(ToNumber(u"0." + many), 1.0);
  EXPECT_EQ(ToNumber(std::u16string(1000000, u'0') + u"42"), 42.0);
  EXPECT_EQ(ToNumber(u"1" + std::u16string(300, u'0') + u"e-300"), 1.0);
  EXPECT_EQ(ToNumber(std::u16string(100000, u',') + u"3"), 3.0);
  // The halfway case between two doubles, decided by a digit far out.
  const std::u16string halfway = u"9007199254740993";  // 2^53 + 1: ties to even
  EXPECT_EQ(ToNumber(halfway), 9007199254740992.0);
  EXPECT_EQ(ToNumber(halfway + u"." + std::u16string(5000, u'0') + u"1"), 9007199254740994.0);
}

// --- Leading-number value ----------------------------------------------------------

TEST(LeadingValue, ReadsTheNumberAtTheStart) {
  const struct {
    const char* text;
    double value;
  } rows[] = {
      {"12,5", 12}, {"  -3.5x", -3.5}, {"1e", 1},
      {"1e+", 1},   {"1e+2x", 100},    {"2E-1", 0.2},
      {"abc", 0},   {"", 0},           {"-", 0},
      {".", 0},     {"-.5", -0.5},     {"1.2.3", 1.2},
      {"+7", 7},    {"\t 8", 8},       {"x12", 0},
      {"1 2", 1},   {",5", 0},         {"0005", 5},
      {"5.e1", 50}, {"1ee2", 1},       {"123456789012345678", 123456789012345678.0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(LeadingValue(U(row.text)), row.value);
  }
}

TEST(LeadingValue, BeyondTheDoubleRangeGivesAnInfinityOfItsSign) {
  EXPECT_EQ(LeadingValue(u"9e999"), kInf);
  EXPECT_EQ(LeadingValue(u"-" + std::u16string(400, u'9')), -kInf);
  EXPECT_EQ(LeadingValue(u"1e-999"), 0.0);
}

// --- Pattern formatting ------------------------------------------------------------

struct PatternRow {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(FormatPattern, WritesByThePattern) {
  const PatternRow rows[] = {
      // The engines' patterns.
      {1234.6, "#################0", "1235"},
      {1234.4, "#################0", "1234"},
      {0, "#################0", "0"},
      {0.5, "#################0", "1"},
      {-0.5, "#################0", "-1"},
      {2.5, "#################0", "3"},
      {-1234567, "###,###,###,###,###,##0", "-1,234,567"},
      {123, "###,###,###,###,###,##0", "123"},
      {1234, "###,###,###,###,###,##0", "1,234"},
      {5, "#################0.", "5."},
      {-5, "#################0.", "-5."},
      {5, "#################0.00", "5.00"},
      {1234.5, "###,###,###,###,###,##0.00", "1,234.50"},
      {0.125, "#################0.00", "0.13"},
      {-0.125, "#################0.00", "-0.13"},
      {1e15, "#################0", "1000000000000000"},
      // Decimal rounding of the 15-digit writing, halves away from zero.
      {2.675, "0.00", "2.68"},
      {1.005, "0.00", "1.01"},
      {-2.675, "0.00", "-2.68"},
      {0.045, "0.00", "0.05"},
      {9.995, "0.00", "10.00"},
      {999999.5, "###,##0", "1,000,000"},
      {0.0005, "0.000", "0.001"},
      {0.00049, "0.000", "0.000"},
      // Results that round to zero carry no "-".
      {-0.001, "0.00", "0.00"},
      {-0.4, "#0", "0"},
      {-0.0, "#0", "0"},
      {-0.0, "0.", "0."},
      // "#" against "0".
      {0, "#", ""},
      {0.5, "#.##", ".5"},
      {5, "#.##", "5."},
      {5.1, "0.0#", "5.1"},
      {5.125, "0.0#", "5.13"},
      {7, "000", "007"},
      {1234567, "#,##0", "1,234,567"},
      {1234567, "#0", "1234567"},
      // Large and tiny values: 15 significant digits, then zeros.
      {4e38, "#################0", "400000000000000000000000000000000000000"},
      {4e38, "###,###,###,###,###,##0", "400,000,000,000,000,000,000,000,000,000,000,000,000"},
      {123456789012345678.0, "#0", "123456789012346000"},
      {1e-20, "0.00", "0.00"},
      {1.5e-10, "0.0000000000", "0.0000000002"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.pattern) + " " + std::to_string(row.value));
    EXPECT_EQ(ToUtf8(FormatPattern(row.value, U(row.pattern))), row.expected);
  }
}

TEST(FormatPattern, HugeValuesWithManyDecimalsAndNonFiniteValues) {
  const std::u16string big = FormatPattern(1.7976931348623157e308, u"#0.00");
  ASSERT_EQ(big.size(), 309u + 3u);
  EXPECT_EQ(big.substr(0, 15), u"179769313486232");
  EXPECT_EQ(big.substr(15), std::u16string(294, u'0') + u".00");
  EXPECT_EQ(ErrorOf([] { FormatPattern(kInf, u"0"); }), errors::kOverflow);
  EXPECT_EQ(ErrorOf([] { FormatPattern(std::nan(""), u"0"); }), errors::kOverflow);
}

TEST(FormatPattern, TextIsConvertedStrictlyOrComesBackUnchanged) {
  const struct {
    const char* text;
    const char* pattern;
    const char* expected;
  } rows[] = {
      {"1,5234", "#################0", "15234"},
      {"-1234.5", "###,###,###,###,###,##0", "-1,235"},
      {"  12.345 ", "#################0.00", "12.35"},
      {"-0", "#################0", "0"},
      {"", "#################0", ""},
      {"-", "#################0", "-"},
      {"abc", "#0", "abc"},
      {"1.2.3", "#0", "1.2.3"},
      {"1e999", "#0", "1e999"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ToUtf8(FormatPattern(std::u16string_view(U(row.text)), U(row.pattern))),
              row.expected);
  }
}

// --- Fixed-decimals writing --------------------------------------------------------

TEST(FormatFixed, WritesExactlyTheDecimals) {
  const struct {
    double value;
    int decimals;
    bool leadingZero;
    bool group;
    const char* expected;
  } rows[] = {
      {0.5, 2, false, false, ".50"},
      {0.5, 2, true, false, "0.50"},
      {-0.5, 2, false, false, "-.50"},
      {-0.5, 2, true, false, "-0.50"},
      {0, 2, false, false, ".00"},
      {0, 2, true, false, "0.00"},
      {0.4, 0, false, false, "0"},
      {2.5, 0, true, false, "3"},
      {-2.5, 0, true, false, "-3"},
      {-0.001, 2, true, false, "0.00"},
      {0.999, 2, false, false, "1.00"},
      {1234567.891, 2, true, true, "1,234,567.89"},
      {1234567.891, 2, true, false, "1234567.89"},
      {-1234, 0, true, true, "-1,234"},
      {2.675, 2, true, false, "2.68"},
      {4e38, 0, true, false, "400000000000000000000000000000000000000"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(ToUtf8(FormatFixed(row.value, row.decimals, row.leadingZero, row.group)),
              row.expected);
  }
}

TEST(FormatFixed, RefusesBadDecimalsAndBadText) {
  EXPECT_EQ(ErrorOf([] { FormatFixed(1.0, -1, true, false); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([] { FormatFixed(1.0, 40000, true, false); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([] { FormatFixed(kInf, 2, true, false); }), errors::kOverflow);
  EXPECT_EQ(ErrorOf([] { FormatFixed(std::u16string_view(u""), 2, true, false); }),
            errors::kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { FormatFixed(std::u16string_view(u"-"), 2, true, false); }),
            errors::kTypeMismatch);
  EXPECT_EQ(ErrorOf([] { FormatFixed(std::u16string_view(u"1e999"), 2, true, false); }),
            errors::kOverflow);
  EXPECT_EQ(FormatFixed(std::u16string_view(u"1,234.5"), 2, true, false), u"1234.50");
  EXPECT_EQ(FormatFixed(1.0, 32767, true, false).size(), 32769u);
}

// --- Number to text ----------------------------------------------------------------

TEST(NumberToText, WritesLikePercentFifteenG) {
  const struct {
    double value;
    const char* expected;
  } rows[] = {
      {4e38, "4E+38"},
      {1e-5, "1E-05"},
      {0.0001, "0.0001"},
      {123456789012345, "123456789012345"},
      {1e15, "1E+15"},
      {999999999999999, "999999999999999"},
      {-2147483648.0, "-2147483648"},
      {2.5, "2.5"},
      {0, "0"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {1234567890123456789.0, "1.23456789012346E+18"},
      {1e100, "1E+100"},
      {-1.5e-300, "-1.5E-300"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(ToUtf8(NumberToText(row.value)), row.expected);
  }
  EXPECT_EQ(ErrorOf([] { NumberToText(kInf); }), errors::kOverflow);
  EXPECT_EQ(ErrorOf([] { NumberToText(std::nan("")); }), errors::kOverflow);
}

TEST(NumberToText, IgnoresTheCLocale) {
  // A host may have switched the C locale to one with a decimal comma.
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if ((chosen = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
  const std::u16string text = NumberToText(2.5);
  const double value = ToNumber(u"2.5");
  const std::u16string pattern = FormatPattern(2.5, u"0.00");
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(text, u"2.5");
  EXPECT_EQ(value, 2.5);
  EXPECT_EQ(pattern, u"2.50");
}

// --- Narrowing ---------------------------------------------------

TEST(Narrowing, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
  constexpr int64_t kOut = INT64_MIN;  // the value does not fit: Error 6
  const struct {
    double value;
    int64_t int32;
    int64_t int16;
  } rows[] = {
      {2.5, 2, 2},
      {3.5, 4, 4},
      {-2.5, -2, -2},
      {-3.5, -4, -4},
      {2.4999, 2, 2},
      {2.5001, 3, 3},
      {-0.5, 0, 0},
      {0.5, 0, 0},
      {1.5, 2, 2},
      {32767.4, 32767, 32767},
      {32767.5, 32768, kOut},
      {-32768.5, -32768, -32768},
      {-32769, -32769, kOut},
      {2147483647.4, 2147483647, kOut},
      {2147483647.5, kOut, kOut},
      {-2147483648.5, -2147483648LL, kOut},
      {-2147483649.0, kOut, kOut},
      {1e300, kOut, kOut},
      {kInf, kOut, kOut},
      {-kInf, kOut, kOut},
      {std::nan(""), kOut, kOut},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    int32_t got32 = 0;
    int16_t got16 = 0;
    const int32_t e32 = ErrorOf([&] { got32 = ToInt32(row.value); });
    const int32_t e16 = ErrorOf([&] { got16 = ToInt16(row.value); });
    EXPECT_EQ(e32, row.int32 == kOut ? errors::kOverflow : 0);
    EXPECT_EQ(e16, row.int16 == kOut ? errors::kOverflow : 0);
    if (row.int32 != kOut) {
      EXPECT_EQ(got32, row.int32);
    }
    if (row.int16 != kOut) {
      EXPECT_EQ(got16, row.int16);
    }
  }
}

}  // namespace
}  // namespace entrybox
