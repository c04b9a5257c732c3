#include "entrybox/values/Number.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

#include "entrybox/platform/Error.h"

namespace entrybox {

namespace {

// The largest number of decimals a fixed-decimals writing accepts: what a 16-bit
// DecimalPlaces can ask for. Anything larger is a caller's mistake, not a wish for a
// gigabyte of zeros.
constexpr int kMaxDecimals = 32767;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}
bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

std::u16string Widen(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

enum class ReadStatus { kOk, kMismatch, kOverflow };

struct ReadResult {
  ReadStatus status = ReadStatus::kMismatch;
  double value = 0;
};

// The pieces of a decimal number as the readers find them: the digits before and after
// the point (commas already dropped) and the exponent, saturated far beyond any double.
struct DecimalText {
  bool negative = false;
  std::string intDigits;
  std::string fracDigits;
  long long exponent = 0;
};

constexpr long long kExponentCap = 1000000000LL;

// Reads an exponent's digits from s[i] on, saturating so that no digit count overflows.
long long ReadExponentDigits(std::u16string_view s, size_t& i) {
  long long e = 0;
  while (i < s.size() && IsDigit(s[i])) {
    if (e < kExponentCap) e = e * 10 + (s[i] - u'0');
    ++i;
  }
  return e;
}

// Turns the pieces into a double exactly (correctly rounded). The significant digits are
// rewritten as "d.ddd e<exp>" so that leading zeros and huge exponents never reach the
// library parser; from_chars is locale-independent and works on the heap-held copy.
ReadResult ToDouble(const DecimalText& t) {
  std::string digits = t.intDigits + t.fracDigits;
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return {ReadStatus::kOk, 0.0};
  const size_t last = digits.find_last_not_of('0');
  // Decimal exponent of the first significant digit.
  const long long e10 =
      static_cast<long long>(t.intDigits.size()) - static_cast<long long>(first) - 1 + t.exponent;
  if (e10 > 400) return {ReadStatus::kOverflow, 0};
  if (e10 < -400) return {ReadStatus::kOk, 0.0};  // below the smallest double: reads as 0
  std::string text;
  text.reserve(last - first + 16);
  text += digits[first];
  if (last > first) {
    text += '.';
    text.append(digits, first + 1, last - first);
  }
  text += 'e';
  text += std::to_string(e10);
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (e10 > 0) return {ReadStatus::kOverflow, 0};
    value = 0;  // underflow
  } else if (ec != std::errc()) {
    return {ReadStatus::kMismatch, 0};
  }
  // "+ 0.0" turns a negative zero into zero: "-0" is the number 0.
  return {ReadStatus::kOk, (t.negative ? -value : value) + 0.0};
}

// blanks? sign? int ('.' digits*)? exp? blanks?, int any mix of digits and ",".
ReadResult ReadStrict(std::u16string_view s) {
  DecimalText t;
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i]))
    ++i;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    t.negative = s[i] == u'-';
    ++i;
  }
  while (i < s.size() && (IsDigit(s[i]) || s[i] == u',')) {
    if (s[i] != u',') t.intDigits += static_cast<char>(s[i]);
    ++i;
  }
  if (i < s.size() && s[i] == u'.') {
    ++i;
    while (i < s.size() && IsDigit(s[i]))
      t.fracDigits += static_cast<char>(s[i++]);
  }
  if (t.intDigits.empty() && t.fracDigits.empty()) return {};
  if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
      negativeExponent = s[i] == u'-';
      ++i;
    }
    if (i >= s.size() || !IsDigit(s[i])) return {};
    const long long e = ReadExponentDigits(s, i);
    t.exponent = negativeExponent ? -e : e;
  }
  while (i < s.size() && IsBlank(s[i]))
    ++i;
  if (i != s.size()) return {};
  return ToDouble(t);
}

// A number rounded to k decimals, as digit strings without sign, point or grouping.
struct Rounded {
  bool negative = false;
  std::string intDigits;   // no leading zeros; "" when the whole part is 0
  std::string fracDigits;  // exactly k digits
  bool IsZero() const {
    return intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;
  }
};

// Decimal rounding: the double is first written with 15 significant digits (as
// NumberToText does), then rounded half away from zero at the k-th decimal, so 2.675
// gives 2.68 although the double lies just below it.
Rounded RoundDecimal(double value, long long k) {
  if (!std::isfinite(value)) RaiseOverflow();
  Rounded r;
  r.negative = std::signbit(value);
  std::string mantissa = "0";
  long long e10 = 0;
  if (value != 0) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));  // d.dddde+XX
    const size_t ePos = sci.find('e');
    mantissa.assign(1, sci[0]);
    mantissa.append(sci.substr(2, ePos - 2));
    e10 = std::stoll(std::string(sci.substr(ePos + 1)));
  }
  // kept: the digits with powers from top down to -k.
  const long long n = e10 + k + 1;
  const long long len = static_cast<long long>(mantissa.size());
  std::string kept;
  long long top = e10;
  if (n <= 0) {
    if (n == 0 && mantissa[0] >= '5') {
      kept = "1";
      top = -k;
    }
  } else if (n < len) {
    kept = mantissa.substr(0, static_cast<size_t>(n));
    if (mantissa[static_cast<size_t>(n)] >= '5') {
      long long i = n - 1;
      while (i >= 0 && kept[static_cast<size_t>(i)] == '9')
        kept[static_cast<size_t>(i--)] = '0';
      if (i >= 0) {
        ++kept[static_cast<size_t>(i)];
      } else {
        kept.insert(kept.begin(), '1');
        ++top;
      }
    }
  } else {
    kept = mantissa + std::string(static_cast<size_t>(n - len), '0');
  }
  const size_t kk = static_cast<size_t>(k);
  if (kept.empty()) {
    r.fracDigits.assign(kk, '0');
  } else if (top >= 0) {
    r.intDigits = kept.substr(0, static_cast<size_t>(top + 1));
    r.fracDigits = kept.substr(static_cast<size_t>(top + 1));
  } else {
    r.fracDigits = std::string(static_cast<size_t>(-top - 1), '0') + kept;
  }
  const size_t nz = r.intDigits.find_first_not_of('0');
  r.intDigits.erase(0, nz == std::string::npos ? r.intDigits.size() : nz);
  if (r.IsZero()) r.negative = false;
  return r;
}

std::string GroupThousands(const std::string& digits) {
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

bool IsPlaceholder(char16_t c) {
  return c == u'#' || c == u'0';
}

}  // namespace

double ToNumber(std::u16string_view text) {
  const ReadResult r = ReadStrict(text);
  if (r.status == ReadStatus::kMismatch) RaiseTypeMismatch();
  if (r.status == ReadStatus::kOverflow) RaiseOverflow();
  return r.value;
}

bool IsNumeric(std::u16string_view text) {
  return ReadStrict(text).status == ReadStatus::kOk;
}

double LeadingValue(std::u16string_view text) {
  DecimalText t;
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    t.negative = text[i] == u'-';
    ++i;
  }
  while (i < text.size() && IsDigit(text[i]))
    t.intDigits += static_cast<char>(text[i++]);
  if (i < text.size() && text[i] == u'.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      t.fracDigits += static_cast<char>(text[i++]);
  }
  if (t.intDigits.empty() && t.fracDigits.empty()) return 0;
  if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
    size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
      negativeExponent = text[j] == u'-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      const long long e = ReadExponentDigits(text, j);
      t.exponent = negativeExponent ? -e : e;
    }
  }
  const ReadResult r = ToDouble(t);
  if (r.status == ReadStatus::kOverflow) {
    return t.negative ? -std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::infinity();
  }
  return r.value;
}

std::u16string FormatPattern(double value, std::u16string_view pattern) {
  const size_t point = pattern.find(u'.');
  const std::u16string_view intPart = pattern.substr(0, point);
  const std::u16string_view fracPart =
      point == std::u16string_view::npos ? std::u16string_view() : pattern.substr(point + 1);

  // Integer part: digits from the first "0" on are always shown; a "," with a
  // placeholder on each side asks for grouping.
  size_t minInt = 0;
  bool seenZero = false;
  bool group = false;
  bool seenPlaceholder = false;
  bool commaPending = false;
  size_t intPlaceholders = 0;
  for (const char16_t c : intPart) {
    if (IsPlaceholder(c)) {
      ++intPlaceholders;
      if (c == u'0') seenZero = true;
      if (seenZero) ++minInt;
      if (commaPending) group = true;
      seenPlaceholder = true;
    } else if (c == u',' && seenPlaceholder) {
      commaPending = true;
    }
  }
  // Fraction: as many decimals as placeholders; those up to the last "0" always shown.
  size_t decimals = 0;
  size_t minFrac = 0;
  for (const char16_t c : fracPart) {
    if (!IsPlaceholder(c)) continue;
    ++decimals;
    if (c == u'0') minFrac = decimals;
  }
  if (intPlaceholders == 0 && decimals == 0 && point == std::u16string_view::npos) {
    return NumberToText(value);  // nothing to lay out: the plain text
  }

  Rounded r = RoundDecimal(value, static_cast<long long>(decimals));
  std::string digits = r.intDigits;
  if (digits.size() < minInt) digits.insert(0, minInt - digits.size(), '0');
  if (group) digits = GroupThousands(digits);
  std::string frac = r.fracDigits;
  while (frac.size() > minFrac && frac.back() == '0')
    frac.pop_back();

  std::string out;
  if (r.negative) out += '-';
  out += digits;
  if (point != std::u16string_view::npos) {
    out += '.';
    out += frac;
  }
  return Widen(out);
}

std::u16string FormatPattern(std::u16string_view text, std::u16string_view pattern) {
  const ReadResult r = ReadStrict(text);
  if (r.status != ReadStatus::kOk) return std::u16string(text);
  return FormatPattern(r.value, pattern);
}

std::u16string FormatFixed(double value, int decimals, bool leadingZero, bool group) {
  if (decimals < 0 || decimals > kMaxDecimals) RaiseInvalidPropertyValue();
  const Rounded r = RoundDecimal(value, decimals);
  std::string digits = r.intDigits;
  // With no decimals there is no point to stand alone: 0.4 is written "0".
  if (digits.empty() && (leadingZero || decimals == 0)) digits = "0";
  if (group) digits = GroupThousands(digits);
  std::string out;
  if (r.negative) out += '-';
  out += digits;
  if (decimals > 0) {
    out += '.';
    out += r.fracDigits;
  }
  return Widen(out);
}

std::u16string FormatFixed(std::u16string_view text, int decimals, bool leadingZero, bool group) {
  return FormatFixed(ToNumber(text), decimals, leadingZero, group);
}

std::u16string NumberToText(double value) {
  if (!std::isfinite(value)) RaiseOverflow();
  if (value == 0) return u"0";  // also for -0: zero carries no sign
  // to_chars with a precision writes as printf's %.15g does, but in no locale.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  std::u16string out(buf, res.ptr);
  for (char16_t& c : out) {
    if (c == u'e') c = u'E';
  }
  return out;
}

double RoundDown(double value) {
  return std::floor(value);
}

namespace {

// Nearest whole number, halves to the even neighbour, without relying on the
// floating-point environment's rounding mode.
double RoundHalfEven(double value) {
  const double f = std::floor(value);
  const double diff = value - f;
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

template <typename Int>
Int Narrow(double value) {
  if (!std::isfinite(value)) RaiseOverflow();
  const double r = RoundHalfEven(value);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max())) {
    RaiseOverflow();
  }
  return static_cast<Int>(r);
}

}  // namespace

int32_t ToInt32(double value) {
  return Narrow<int32_t>(value);
}
int16_t ToInt16(double value) {
  return Narrow<int16_t>(value);
}

}  // namespace entrybox
