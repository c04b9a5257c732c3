// Reads a fuzz input front to back as a little program of operations. Every read
// succeeds: past the end it yields zeros, so any byte string decodes to something, and a
// hand-written seed (fuzz/make_seeds.py) reads the way it was meant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace entrybox::fuzz {

/// Sequential reader over the fuzz input.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data(data), size(size) {}

  bool AtEnd() const { return pos >= size; }

  uint8_t Byte() { return pos < size ? data[pos++] : uint8_t{0}; }

  uint16_t Word() {
    const uint16_t lo = Byte();
    return static_cast<uint16_t>(lo | (Byte() << 8));
  }

  int32_t Int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
      v |= static_cast<uint32_t>(Byte()) << (8 * i);
    return static_cast<int32_t>(v);
  }

  double RawDouble() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
      bits |= static_cast<uint64_t>(Byte()) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }

  /// A small position or count: bytes below 0xF0 give -8..231, 0xF0 and up a raw int32.
  int32_t SmallInt() {
    const uint8_t b = Byte();
    if (b < 0xF0) return static_cast<int32_t>(b) - 8;
    return Int32();
  }

  /// A number: below 64 an interesting value, 64..0xFE a whole number -95..95, 0xFF a
  /// raw double (NaN and infinities included).
  double Number() {
    static constexpr double kInteresting[] = {
        0,
        1,
        -1,
        2.5,
        3.5,
        -2.5,
        0.5,
        12.75,
        -12.75,
        99,
        100,
        -10,
        1234.5,
        1e-5,
        2147483647,
        2147483648.0,
        -2147483648.0,
        -2147483649.0,
        2147483647.5,
        32767,
        32768,
        -32768,
        -32769,
        65535,
        4294967295.0,
        4294967296.0,
        9e9,
        -9e9,
        1e15,
        123456789012345.0,
        1e38,
        3.3e38,
        3.4e38,
        -1.1e38,
        -1.2e38,
        4e38,
        1e300,
        -1e300,
        1e-300,
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::max(),
        0.1,
        0.125,
        2.675,
        1.005,
        -0.001,
        -0.4,
        999999999999999.0,
        9007199254740993.0,
        2000,
        2050,
        1930,
        1999,
        9999,
        10000,
        29,
        30,
        31,
        12,
        13,
        -0.0,
    };
    const uint8_t b = Byte();
    if (b < std::size(kInteresting)) return kInteresting[b];
    if (b == 0xFF) return RawDouble();
    return static_cast<double>(static_cast<int>(b) - 160);
  }

  /// A code unit: below 0xF0 a character of `alphabet`, 0xF0..0xFE a control or odd
  /// unit, 0xFF a raw 16-bit unit.
  char16_t Unit(std::u16string_view alphabet) {
    static constexpr char16_t kOdd[] = {8,      3,      22,     24,     13,     27,     0, 127,
                                        0xD800, 0xDC00, 0xFFFF, 0x00E9, 0x4E2D, 0xFEFF, 9};
    const uint8_t b = Byte();
    if (b < 0xF0) return alphabet[b % alphabet.size()];
    if (b < 0xFF) return kOdd[(b - 0xF0) % std::size(kOdd)];
    return static_cast<char16_t>(Word());
  }

  /// A text: a length byte (below 0xF0: that many units up to 63; from 0xF0: a 16-bit
  /// length up to `maxLong`), then the units.
  std::u16string Text(std::u16string_view alphabet, size_t maxLong = 512) {
    const uint8_t b = Byte();
    size_t n = b < 0xF0 ? b % 64 : Word() % (maxLong + 1);
    std::u16string s;
    s.reserve(n);
    while (n-- > 0) {
      s.push_back(Unit(alphabet));
      if (AtEnd()) break;
    }
    return s;
  }

 private:
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
};

/// Characters that matter to the controls first, so that small bytes pick them.
inline constexpr std::u16string_view kAlphabet =
    u"0123456789-.,/ #&?%<>()_*eE+aAbBzZ:;!@$^[]\\'\"`~{}|=\tJanFebDecMay";

/// A text quoted for a failure message: printable ASCII as it is, anything else as \uXXXX.
inline std::string ShowText(std::u16string_view s) {
  std::string out = "\"";
  for (char16_t c : s) {
    if (c >= 32 && c < 127 && c != u'"' && c != u'\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      out += buf;
    }
  }
  return out + "\"";
}

}  // namespace entrybox::fuzz
