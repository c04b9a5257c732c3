#include "entrybox/values/Strings.h"

#include <algorithm>

namespace entrybox {

namespace {
char16_t LowerAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}
char16_t UpperAscii(char16_t c) {
  return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}
}  // namespace

std::u16string Left(std::u16string_view s, std::ptrdiff_t n) {
  if (n <= 0) return {};
  return std::u16string(s.substr(0, static_cast<size_t>(n)));
}

std::u16string Right(std::u16string_view s, std::ptrdiff_t n) {
  if (n <= 0) return {};
  const auto len = static_cast<std::ptrdiff_t>(s.size());
  if (n >= len) return std::u16string(s);
  return std::u16string(s.substr(static_cast<size_t>(len - n)));
}

std::u16string Mid(std::u16string_view s, std::ptrdiff_t start, std::ptrdiff_t length) {
  if (start < 1) start = 1;
  const auto len = static_cast<std::ptrdiff_t>(s.size());
  if (start > len || length == 0) return {};
  const auto from = static_cast<size_t>(start - 1);
  if (length < 0) return std::u16string(s.substr(from));
  return std::u16string(s.substr(from, static_cast<size_t>(length)));
}

std::ptrdiff_t InStr(std::ptrdiff_t start, std::u16string_view s, std::u16string_view find) {
  if (start < 1) start = 1;
  const auto len = static_cast<std::ptrdiff_t>(s.size());
  if (start > len + 1) return 0;
  if (find.empty()) return start;
  const auto pos = s.find(find, static_cast<size_t>(start - 1));
  return pos == std::u16string_view::npos ? 0 : static_cast<std::ptrdiff_t>(pos) + 1;
}

std::u16string CharAt(std::u16string_view s, std::ptrdiff_t i) {
  // Mid starts a position below 1 at 1; a character before the text is none.
  if (i < 1) return {};
  return Mid(s, i, 1);
}

std::u16string Repeat(char16_t c, std::ptrdiff_t n) {
  return n <= 0 ? std::u16string() : std::u16string(static_cast<size_t>(n), c);
}

std::u16string LCase(std::u16string_view s) {
  std::u16string r(s);
  std::transform(r.begin(), r.end(), r.begin(), LowerAscii);
  return r;
}

std::u16string UCase(std::u16string_view s) {
  std::u16string r(s);
  std::transform(r.begin(), r.end(), r.begin(), UpperAscii);
  return r;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(static_cast<unsigned char>(x)) ==
                  LowerAscii(static_cast<unsigned char>(y));
         });
}

std::u16string FromUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    char32_t cp = 0xFFFD;
    size_t need = 0;
    if (b0 < 0x80) {
      cp = b0;
    } else if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2) {
      cp = b0 & 0x1F;
      need = 1;
    } else if ((b0 & 0xF0) == 0xE0) {
      cp = b0 & 0x0F;
      need = 2;
    } else if ((b0 & 0xF8) == 0xF0 && b0 <= 0xF4) {
      cp = b0 & 0x07;
      need = 3;
    }
    size_t j = 1;
    bool ok = b0 < 0x80 || need > 0;
    for (; ok && j <= need; ++j) {
      if (i + j >= s.size()) {
        ok = false;
        break;
      }
      const auto b = static_cast<unsigned char>(s[i + j]);
      if ((b & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    if (ok && need == 2 && cp < 0x800) ok = false;
    if (ok && need == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ok = false;
    if (!ok) {
      out.push_back(u'\uFFFD');
      i += std::max<size_t>(1, j == 0 ? 1 : j);
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += need + 1;
  }
  return out;
}

std::string ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace entrybox
