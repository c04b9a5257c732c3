#include "ScriptValue.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox::script {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted string starting at line[pos] == '"'; pos ends after the closing quote.
std::u16string ReadString(std::string_view line, size_t& pos) {
  std::u16string out;
  std::string raw;  // pending UTF-8 bytes
  const auto flush = [&] {
    out += FromUtf8(raw);
    raw.clear();
  };
  ++pos;
  while (true) {
    if (pos >= line.size()) throw SyntaxError("unterminated string");
    const char c = line[pos++];
    if (c == '"') break;
    if (c != '\\') {
      raw.push_back(c);
      continue;
    }
    if (pos >= line.size()) throw SyntaxError("unterminated string");
    const char e = line[pos++];
    switch (e) {
      case '"':
        raw.push_back('"');
        break;
      case '\\':
        raw.push_back('\\');
        break;
      case 'n':
        raw.push_back('\n');
        break;
      case 't':
        raw.push_back('\t');
        break;
      case 'u': {
        if (pos + 4 > line.size()) throw SyntaxError("bad \\u escape");
        int code = 0;
        for (int i = 0; i < 4; ++i) {
          const int d = HexDigit(line[pos + static_cast<size_t>(i)]);
          if (d < 0) throw SyntaxError("bad \\u escape");
          code = code * 16 + d;
        }
        pos += 4;
        flush();
        out.push_back(static_cast<char16_t>(code));
        break;
      }
      default:
        throw SyntaxError(std::string("unknown escape \\") + e);
    }
  }
  flush();
  return out;
}

// Reads a bare word; font(...) may hold blanks inside its quoted name.
std::string ReadWord(std::string_view line, size_t& pos) {
  const size_t start = pos;
  if (line.substr(pos, 5) == "font(") {
    pos += 5;
    bool quoted = false;
    while (pos < line.size()) {
      const char c = line[pos++];
      if (quoted && c == '\\' && pos < line.size()) {
        ++pos;
      } else if (c == '"') {
        quoted = !quoted;
      } else if (c == ')' && !quoted) {
        return std::string(line.substr(start, pos - start));
      }
    }
    throw SyntaxError("unterminated font(...)");
  }
  while (pos < line.size() && !IsBlank(line[pos]))
    ++pos;
  return std::string(line.substr(start, pos - start));
}

Variant ParseWordValue(const std::string& word) {
  if (word == "true") return true;
  if (word == "false") return false;
  if (word == "empty") return std::monostate{};
  if (word.rfind("font(", 0) == 0) {
    size_t pos = 5;
    if (pos >= word.size() || word[pos] != '"') throw SyntaxError("bad font: " + word);
    Font font;
    font.Name = ReadString(word, pos);
    if (pos >= word.size() || word[pos] != ',') throw SyntaxError("bad font: " + word);
    const std::string size = word.substr(pos + 1, word.size() - pos - 2);
    if (!ParseNumber(size, font.Size)) throw SyntaxError("bad font size: " + word);
    return font;
  }
  double number = 0;
  if (ParseNumber(word, number)) return number;
  throw SyntaxError("bad value: " + word);
}

}  // namespace

bool ParseNumber(std::string_view word, double& out) {
  size_t i = 0;
  const auto digits = [&] {
    const size_t from = i;
    while (i < word.size() && word[i] >= '0' && word[i] <= '9')
      ++i;
    return i - from;
  };
  if (i < word.size() && word[i] == '-') ++i;
  if (digits() == 0) return false;
  if (i < word.size() && word[i] == '.') {
    ++i;
    if (digits() == 0) return false;
  }
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    ++i;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  if (i != word.size()) return false;
  out = std::strtod(std::string(word).c_str(), nullptr);
  return true;
}

std::string QuoteText(std::u16string_view text) {
  std::string out = "\"";
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      out += buf;
    }
  }
  out.push_back('"');
  return out;
}

std::string FormatValue(const Variant& value) {
  if (const auto* s = std::get_if<std::u16string>(&value)) return QuoteText(*s);
  if (const auto* d = std::get_if<double>(&value)) return ToUtf8(NumberToText(*d));
  if (const auto* b = std::get_if<bool>(&value)) return *b ? "true" : "false";
  if (const auto* f = std::get_if<Font>(&value)) {
    return "font(" + QuoteText(f->Name) + "," + ToUtf8(NumberToText(f->Size)) + ")";
  }
  return "empty";
}

std::vector<Token> Tokenize(std::string_view line) {
  std::vector<Token> tokens;
  size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsBlank(line[pos]))
      ++pos;
    if (pos >= line.size()) break;
    Token token;
    if (line[pos] == '"') {
      token.kind = Token::Kind::String;
      token.text = ReadString(line, pos);
      if (pos < line.size() && line[pos] == '=') {
        ++pos;
        token.kind = Token::Kind::Pair;
        if (pos >= line.size() || IsBlank(line[pos])) throw SyntaxError("pair without a value");
        if (line[pos] == '"') {
          token.value = ReadString(line, pos);
        } else {
          token.value = ParseWordValue(ReadWord(line, pos));
        }
      }
      if (pos < line.size() && !IsBlank(line[pos])) throw SyntaxError("text after a string");
    } else {
      token.word = ReadWord(line, pos);
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

Variant ParseValue(const Token& token) {
  switch (token.kind) {
    case Token::Kind::String:
      return token.text;
    case Token::Kind::Word:
      return ParseWordValue(token.word);
    case Token::Kind::Pair:
      break;
  }
  throw SyntaxError("a \"KEY\"=VALUE pair is not a value here");
}

}  // namespace entrybox::script
