// Conversions of property values between kinds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const Font kArial{u"Arial", 8.25};

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

std::string Describe(const Variant& v) {
  if (IsText(v)) return "text \"" + ToUtf8(std::get<std::u16string>(v)) + "\"";
  if (IsNumber(v)) return "number " + std::to_string(std::get<double>(v));
  if (IsBool(v)) return std::get<bool>(v) ? "True" : "False";
  if (IsFont(v)) return "font";
  return "empty";
}

TEST(VariantToText, WritesEachKind) {
  const struct {
    Variant value;
    const char* expected;  // nullptr: Error 13
  } rows[] = {
      {Variant{}, ""},
      {Variant{u"abc"}, "abc"},
      {Variant{4e38}, "4E+38"},
      {Variant{-1234.5}, "-1234.5"},
      {Variant{true}, "True"},
      {Variant{false}, "False"},
      {Variant{kArial}, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Describe(row.value));
    std::u16string got;
    const int32_t error = ErrorOf([&] { got = VariantToText(row.value); });
    if (row.expected == nullptr) {
      EXPECT_EQ(error, errors::kTypeMismatch);
    } else {
      EXPECT_EQ(error, 0);
      EXPECT_EQ(ToUtf8(got), row.expected);
    }
  }
}

// One row per value: what each numeric conversion gives; an error number in place of a
// result where it must fail.
struct NumericRow {
  Variant value;
  double number;
  int32_t numberError;
  int64_t int32;
  int32_t int32Error;
  int64_t int16;
  int32_t int16Error;
  int64_t color;
  int32_t colorError;
};

TEST(VariantToNumber, NarrowsAndReadsColoursByTheSameRules) {
  constexpr int32_t k13 = errors::kTypeMismatch;
  constexpr int32_t k6 = errors::kOverflow;
  const NumericRow rows[] = {
      {Variant{}, 0, 0, 0, 0, 0, 0, 0, 0},
      {Variant{true}, -1, 0, -1, 0, -1, 0, 0, k6},
      {Variant{false}, 0, 0, 0, 0, 0, 0, 0, 0},
      {Variant{2.5}, 2.5, 0, 2, 0, 2, 0, 2, 0},
      {Variant{3.5}, 3.5, 0, 4, 0, 4, 0, 4, 0},
      {Variant{u" 1,234.5 "}, 1234.5, 0, 1234, 0, 1234, 0, 1234, 0},
      {Variant{u"-0.5"}, -0.5, 0, 0, 0, 0, 0, 0, 0},
      {Variant{u"-0.6"}, -0.6, 0, -1, 0, -1, 0, 0, k6},
      {Variant{40000.0}, 40000, 0, 40000, 0, 0, k6, 40000, 0},
      {Variant{4294967295.0}, 4294967295.0, 0, 0, k6, 0, k6, 4294967295LL, 0},
      {Variant{4294967295.5}, 4294967295.5, 0, 0, k6, 0, k6, 0, k6},
      {Variant{4294967294.5}, 4294967294.5, 0, 0, k6, 0, k6, 4294967294LL, 0},
      {Variant{u"&H80000005"}, 0, k13, 0, k13, 0, k13, 0, k13},
      {Variant{u""}, 0, k13, 0, k13, 0, k13, 0, k13},
      {Variant{u"-"}, 0, k13, 0, k13, 0, k13, 0, k13},
      {Variant{u"1e999"}, 0, k6, 0, k6, 0, k6, 0, k6},
      {Variant{kInf}, kInf, 0, 0, k6, 0, k6, 0, k6},
      {Variant{kArial}, 0, k13, 0, k13, 0, k13, 0, k13},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Describe(row.value));
    double number = 0;
    int32_t i32 = 0;
    int16_t i16 = 0;
    uint32_t color = 0;
    EXPECT_EQ(ErrorOf([&] { number = VariantToNumber(row.value); }), row.numberError);
    EXPECT_EQ(ErrorOf([&] { i32 = VariantToInt32(row.value); }), row.int32Error);
    EXPECT_EQ(ErrorOf([&] { i16 = VariantToInt16(row.value); }), row.int16Error);
    EXPECT_EQ(ErrorOf([&] { color = VariantToColor(row.value); }), row.colorError);
    if (row.numberError == 0) {
      EXPECT_EQ(number, row.number);
    }
    if (row.int32Error == 0) {
      EXPECT_EQ(i32, row.int32);
    }
    if (row.int16Error == 0) {
      EXPECT_EQ(i16, row.int16);
    }
    if (row.colorError == 0) {
      EXPECT_EQ(color, row.color);
    }
  }
  EXPECT_EQ(ErrorOf([] { VariantToColor(Variant{std::nan("")}); }), errors::kOverflow);
  EXPECT_EQ(VariantToFont(Variant{kArial}), kArial);
  EXPECT_EQ(ErrorOf([] { VariantToFont(Variant{u"Arial"}); }), errors::kTypeMismatch);
}

TEST(VariantToBool, ReadsWordsAndNumbers) {
  const struct {
    Variant value;
    bool expected;
    int32_t error;
  } rows[] = {
      {Variant{}, false, 0},
      {Variant{true}, true, 0},
      {Variant{0.0}, false, 0},
      {Variant{-0.5}, true, 0},
      {Variant{u"TRUE"}, true, 0},
      {Variant{u"tRuE"}, true, 0},
      {Variant{u" False "}, false, 0},
      {Variant{u"0"}, false, 0},
      {Variant{u"-1"}, true, 0},
      {Variant{u"0.0001"}, true, 0},
      {Variant{u"yes"}, false, errors::kTypeMismatch},
      {Variant{u""}, false, errors::kTypeMismatch},
      {Variant{u"truex"}, false, errors::kTypeMismatch},
      {Variant{kArial}, false, errors::kTypeMismatch},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Describe(row.value));
    bool got = !row.expected;
    EXPECT_EQ(ErrorOf([&] { got = VariantToBool(row.value); }), row.error);
    if (row.error == 0) {
      EXPECT_EQ(got, row.expected);
    }
  }
}

}  // namespace
}  // namespace entrybox
