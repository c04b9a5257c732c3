// libFuzzer target: the value operations on random text and numbers, checked against
// each other where they must agree (see README.md).
#include <cfenv>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox::fuzz {
namespace {

using std::chrono::year;
using std::chrono::year_month_day;

std::string Num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

using fuzz::ShowText;

std::string ShowText(year_month_day d) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%d-%u-%u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return buf;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** entrybox value invariant broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void Check(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

// Runs op; returns the error number it raised (0 for none). Anything but an
// entrybox::Error is a fault.
template <class Op>
int32_t ErrorOf(const std::string& what, Op&& op) {
  try {
    op();
    return 0;
  } catch (const Error& e) {
    return e.Number();
  } catch (const std::exception& e) {
    Fail(what + " threw a non-library exception: " + e.what());
  }
}

// The patterns the engines and controls use, and a few odd ones.
const std::u16string kPatterns[] = {u"#################0",
                                    u"###,###,###,###,###,##0",
                                    u"#################0.",
                                    u"#################0.00",
                                    u"###,###,###,###,###,##0.00",
                                    u"###,###,###,###,###,##0.00000",
                                    u"#0",
                                    u"#,##0.##",
                                    u"0.0#",
                                    u"",
                                    u".",
                                    u",",
                                    u"00000",
                                    u"#.#"};

// Decimals a pattern rounds to: the placeholders after its first point.
int PatternDecimals(std::u16string_view p) {
  const size_t point = p.find(u'.');
  if (point == std::u16string_view::npos) return 0;
  int n = 0;
  for (char16_t c : p.substr(point + 1))
    n += (c == u'#' || c == u'0') ? 1 : 0;
  return n;
}

// A pattern whose integer part always shows a digit writes a number; "#.#" writes
// "." for 0, as the pattern asks.
bool WritesNumber(std::u16string_view p) {
  return p.substr(0, p.find(u'.')).find(u'0') != std::u16string_view::npos;
}

// The number written: NumberToText reads back as %.15G does.
void CheckNumberToText(double v) {
  std::u16string text;
  const int32_t err = ErrorOf("NumberToText", [&] { text = NumberToText(v); });
  if (!std::isfinite(v)) {
    Check(err == 6, "NumberToText(" + Num(v) + ") raised " + std::to_string(err) + ", not 6");
    return;
  }
  Check(err == 0, "NumberToText(" + Num(v) + ") raised " + std::to_string(err));
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  const double expected = std::strtod(buf, nullptr);
  // Fifteen digits round the largest doubles (from 1.79769313486232E+308) beyond the
  // range: that text reads as no double at all, in C as here.
  if (!std::isfinite(expected)) return;
  Check(IsNumeric(text), "NumberToText(" + Num(v) + ") = " + ShowText(text) + " does not convert");
  const double back = ToNumber(text);
  Check(back == expected, "NumberToText(" + Num(v) + ") = " + ShowText(text) + " reads back as " +
                              Num(back) + ", %.15G gives " + buf);
}

// Whether the value written with 15 significant digits is still a double: from
// 1.79769313486232E+308 up it is not, and no written form of it reads back.
bool Writable(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  return std::isfinite(std::strtod(buf, nullptr));
}

// A formatted number reads back within half a unit of its last decimal (plus what
// writing with 15 significant digits costs).
void CheckReadsBack(double v, const std::u16string& text, int decimals, const std::string& what) {
  Check(IsNumeric(text), what + " = " + ShowText(text) + " does not convert");
  const double back = ToNumber(text);
  const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(v) * 1e-14;
  Check(std::fabs(back - v) <= tolerance,
        what + " = " + ShowText(text) + " reads back as " + Num(back));
}

// Groups of three between the "," of the integer part, none after the point.
void CheckGrouping(const std::u16string& text, bool grouped, const std::string& what) {
  const size_t point = text.find(u'.');
  const std::u16string intPart = text.substr(0, point);
  const size_t firstDigit = intPart.find_first_of(u"0123456789");
  if (point != std::u16string::npos) {
    Check(text.find(u',', point) == std::u16string::npos, what + ": a \",\" after the point");
  }
  if (firstDigit == std::u16string::npos) return;
  const std::u16string digits = intPart.substr(firstDigit);
  if (!grouped) {
    Check(digits.find(u',') == std::u16string::npos, what + " = " + ShowText(text) + ": ungrouped");
    return;
  }
  // From the right: three digits, ",", three digits...
  size_t run = 0;
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == u',') {
      Check(run == 3, what + " = " + ShowText(text) + ": a group that is not three digits");
      run = 0;
    } else {
      ++run;
    }
  }
  Check(run >= 1 && run <= 3, what + " = " + ShowText(text) + ": bad leading group");
}

void CheckNumber(double v, FuzzInput& in) {
  CheckNumberToText(v);

  for (const auto& p : kPatterns) {
    std::u16string text;
    const std::string what = "FormatPattern(" + Num(v) + ", " + ShowText(p) + ")";
    const int32_t err = ErrorOf(what, [&] { text = FormatPattern(v, p); });
    if (!std::isfinite(v)) {
      Check(err == 6, what + " raised " + std::to_string(err) + ", not 6");
      continue;
    }
    Check(err == 0, what + " raised " + std::to_string(err));
    if (!WritesNumber(p) || !Writable(v)) continue;
    CheckReadsBack(v, text, PatternDecimals(p), what);
    CheckGrouping(text, p.find(u',') != std::u16string::npos && p.size() > 2, what);
  }

  const int decimals = in.Byte() % 24;
  const bool leadingZero = (in.Byte() & 1) != 0;
  const bool group = (in.Byte() & 1) != 0;
  std::u16string fixed;
  const std::string what = "FormatFixed(" + Num(v) + ", " + std::to_string(decimals) + ")";
  const int32_t err = ErrorOf(what, [&] { fixed = FormatFixed(v, decimals, leadingZero, group); });
  if (!std::isfinite(v)) {
    Check(err == 6, what + " raised " + std::to_string(err) + ", not 6");
  } else {
    Check(err == 0, what + " raised " + std::to_string(err));
    if (Writable(v)) CheckReadsBack(v, fixed, decimals, what);
    CheckGrouping(fixed, group, what);
    const size_t point = fixed.find(u'.');
    if (decimals == 0) {
      Check(point == std::u16string::npos, what + " = " + ShowText(fixed) + " has a point");
    } else {
      Check(point != std::u16string::npos && fixed.size() - point - 1 == size_t(decimals),
            what + " = " + ShowText(fixed) + " has not exactly that many decimals");
      if (leadingZero) {
        Check(point > 0 && fixed[point - 1] >= u'0' && fixed[point - 1] <= u'9',
              what + " = " + ShowText(fixed) + " has no digit before the point");
      }
    }
  }
  Check(ErrorOf("FormatFixed(-1)", [&] { FormatFixed(v, -1, false, false); }) == 380,
        "FormatFixed with -1 decimals raised no error 380");

  if (std::isfinite(v)) {
    Check(RoundDown(v) == std::floor(v), "RoundDown(" + Num(v) + ") = " + Num(RoundDown(v)));
  }

  // Narrowing rounds half to even (the default rounding mode) and refuses what does not
  // fit.
  const double nearest = std::nearbyint(v);
  int32_t i32 = 0;
  const int32_t e32 = ErrorOf("ToInt32", [&] { i32 = ToInt32(v); });
  if (std::isfinite(v) && nearest >= -2147483648.0 && nearest <= 2147483647.0) {
    Check(e32 == 0 && i32 == nearest,
          "ToInt32(" + Num(v) + ") = " + std::to_string(i32) + " error " + std::to_string(e32));
  } else {
    Check(e32 == 6, "ToInt32(" + Num(v) + ") raised " + std::to_string(e32) + ", not 6");
  }
  int16_t i16 = 0;
  const int32_t e16 = ErrorOf("ToInt16", [&] { i16 = ToInt16(v); });
  if (std::isfinite(v) && nearest >= -32768.0 && nearest <= 32767.0) {
    Check(e16 == 0 && i16 == nearest,
          "ToInt16(" + Num(v) + ") = " + std::to_string(i16) + " error " + std::to_string(e16));
  } else {
    Check(e16 == 6, "ToInt16(" + Num(v) + ") raised " + std::to_string(e16) + ", not 6");
  }
}

void CheckNumericText(const std::u16string& t, FuzzInput& in) {
  double value = 0;
  const int32_t err = ErrorOf("ToNumber", [&] { value = ToNumber(t); });
  Check(err == 0 || err == 6 || err == 13,
        "ToNumber(" + ShowText(t) + ") raised error " + std::to_string(err));
  Check(IsNumeric(t) == (err == 0), "IsNumeric(" + ShowText(t) + ") disagrees with ToNumber");
  const double leading = LeadingValue(t);
  if (err == 0) {
    Check(std::isfinite(value), "ToNumber(" + ShowText(t) + ") is not finite");
    // Without group separators the leading number is the whole number.
    if (t.find(u',') == std::u16string::npos) {
      Check(leading == value, "LeadingValue(" + ShowText(t) + ") = " + Num(leading) +
                                  " but ToNumber gives " + Num(value));
    }
  }
  for (const auto& p : kPatterns) {
    const std::u16string got = FormatPattern(std::u16string_view(t), p);
    if (err == 0) {
      Check(got == FormatPattern(value, p),
            "FormatPattern(" + ShowText(t) + ", " + ShowText(p) + ") differs from the number's");
    } else {
      Check(got == t,
            "FormatPattern(" + ShowText(t) + ", " + ShowText(p) + ") changed a non-number");
    }
  }
  const int decimals = in.Byte() % 12;
  std::u16string fixed;
  const int32_t ferr = ErrorOf(
      "FormatFixed", [&] { fixed = FormatFixed(std::u16string_view(t), decimals, true, true); });
  Check(ferr == err, "FormatFixed(" + ShowText(t) + ") raised " + std::to_string(ferr) +
                         ", ToNumber " + std::to_string(err));
  if (err == 0) Check(fixed == FormatFixed(value, decimals, true, true), "FormatFixed text/number");
}

const std::u16string kDatePatterns[] = {u"mm/dd/yyyy", u"m/d/yyyy", u"mm/dd/yy", u"m/d/yy"};

// A date reads back from its short form and from each pattern that keeps its year.
void CheckDateReadsBack(year_month_day d, year current) {
  const int y = static_cast<int>(d.year());
  const std::u16string text = DateToText(d);
  Check(IsDate(text, current) && ToDate(text, current) == d,
        "DateToText(" + ShowText(d) + ") = " + ShowText(text) + " does not read back");
  for (const auto& p : kDatePatterns) {
    const std::u16string f = FormatDatePattern(d, p);
    const bool twoDigits = p.size() == 8 || p.size() == 6;
    if (twoDigits && (y < 1930 || y > 2029)) continue;
    Check(IsDate(f, current) && ToDate(f, current) == d, "FormatDatePattern(" + ShowText(d) + ", " +
                                                             ShowText(p) + ") = " + ShowText(f) +
                                                             " does not read back");
  }
}

void CheckDateText(const std::u16string& t, year current) {
  const bool isDate = IsDate(t, current);
  year_month_day d{};
  const int32_t err = ErrorOf("ToDate", [&] { d = ToDate(t, current); });
  Check(isDate == (err == 0), "IsDate(" + ShowText(t) + ") disagrees with ToDate");
  Check(err == 0 || err == 13, "ToDate(" + ShowText(t) + ") raised " + std::to_string(err));
  for (const auto& p : kDatePatterns) {
    const std::u16string f = FormatDatePattern(t, p, current);
    if (!isDate) {
      Check(f == t, "FormatDatePattern(" + ShowText(t) + ") changed a text that is no date");
    } else {
      Check(f == FormatDatePattern(d, p), "FormatDatePattern(" + ShowText(t) + ") text/date");
    }
  }
  if (!isDate) return;
  Check(d.ok(), "ToDate(" + ShowText(t) + ") = " + ShowText(d) + " is no calendar date");
  const int y = static_cast<int>(d.year());
  Check(y >= 100 && y <= 9999,
        "ToDate(" + ShowText(t) + ") = " + ShowText(d) + " outside 100..9999");
  CheckDateReadsBack(d, current);
}

void CheckStrings(const std::u16string& s, FuzzInput& in) {
  const auto len = static_cast<std::ptrdiff_t>(s.size());
  const std::ptrdiff_t a = in.SmallInt();
  const std::ptrdiff_t b = in.SmallInt();
  const std::u16string left = Left(s, a);
  Check(left == (a <= 0 ? u"" : s.substr(0, size_t(std::min(a, len)))), "Left");
  const std::u16string right = Right(s, a);
  Check(right == (a <= 0 ? u"" : s.substr(size_t(len - std::min(a, len)))), "Right");
  if (a >= 1) {
    const std::u16string mid = Mid(s, a, b);
    std::u16string expected;
    if (a <= len && b != 0)
      expected = b < 0 ? s.substr(size_t(a - 1)) : s.substr(size_t(a - 1), size_t(b));
    Check(mid == expected, "Mid(" + ShowText(s) + ", " + std::to_string(a) + ", " +
                               std::to_string(b) + ") = " + ShowText(mid));
  }
  const std::u16string at = CharAt(s, a);
  Check(at == (a >= 1 && a <= len ? s.substr(size_t(a - 1), 1) : u""),
        "CharAt(" + ShowText(s) + ", " + std::to_string(a) + ") = " + ShowText(at) +
            ", which is beyond the ends");
  const std::u16string find = Left(Mid(s, b < 1 ? 1 : b), in.Byte() % 4);
  const std::ptrdiff_t pos = InStr(a, s, find);
  if (pos != 0) {
    Check(pos >= 1 && pos <= len + 1 && s.compare(size_t(pos - 1), find.size(), find) == 0,
          "InStr found what is not there");
  }
  const std::ptrdiff_t n = a % 4096;  // a count, not an allocation of gigabytes
  Check(Repeat(u'x', n).size() == size_t(n < 0 ? 0 : n), "Repeat");
  Check(EqualsNoCase(LCase(s), UCase(s)), "LCase/UCase");
  // UTF-8 at the edges: a text without lone surrogates survives the trip.
  bool wellFormed = true;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      ++i;
    } else if (s[i] >= 0xD800 && s[i] <= 0xDFFF) {
      wellFormed = false;
    }
  }
  const std::string utf8 = ToUtf8(s);
  if (wellFormed) Check(FromUtf8(utf8) == s, "UTF-8 round trip of " + ShowText(s));
}

void CheckUtf8(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string s = FromUtf8(bytes);
  // What came out of UTF-8 goes back and forth unchanged.
  Check(FromUtf8(ToUtf8(s)) == s, "FromUtf8(ToUtf8(FromUtf8(bytes))) changed");
}

const std::u16string_view kDateAlphabet = u"0123456789//--, JanFebMayDecSepjuly\t.";
const std::u16string_view kNumberAlphabet = u"0123456789,.-+eE \t0123456789";

}  // namespace
}  // namespace entrybox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace entrybox::fuzz;
  using namespace entrybox;
  FuzzInput in(data, size);
  const uint8_t op = in.Byte();
  switch (op % 6) {
    case 0:
      CheckNumericText(in.Text(kNumberAlphabet, 400), in);
      break;
    case 1:
      CheckNumericText(in.Text(kAlphabet, 400), in);
      break;
    case 2:
      for (int i = 0; i < 8 && !in.AtEnd(); ++i)
        CheckNumber(in.Number(), in);
      break;
    case 3: {
      const year current{100 + in.Word() % 9900};
      CheckDateText(in.Text(kDateAlphabet, 64), current);
      break;
    }
    case 4: {
      const year current{100 + in.Word() % 9900};
      const year_month_day d{year{static_cast<int16_t>(in.Word())},
                             std::chrono::month{static_cast<unsigned>(in.Byte() % 14)},
                             std::chrono::day{static_cast<unsigned>(in.Byte() % 33)}};
      const std::u16string text = DateToText(d);
      for (const auto& p : kDatePatterns)
        FormatDatePattern(d, p);
      const int y = static_cast<int>(d.year());
      if (d.ok() && y >= 100 && y <= 9999) {
        CheckDateReadsBack(d, current);
      } else {
        Check(!IsDate(text, current) || y < 100,
              "DateToText of a date that is no date reads as one: " + ShowText(text));
      }
      break;
    }
    default:
      if (op % 12 == 5) {
        CheckUtf8(data, size);
      } else {
        CheckStrings(in.Text(kAlphabet, 300), in);
      }
      break;
  }
  return 0;
}
