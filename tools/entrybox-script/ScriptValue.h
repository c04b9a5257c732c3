// Values in scenario scripts: how they are written and read back.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "entrybox/platform/Variant.h"

namespace entrybox::script {

/// A malformed line: the runner stops with the line number.
class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A string as scripts print it: quoted, printable ASCII as is but `"` and `\`
/// escaped, every other code unit as \uXXXX.
std::string QuoteText(std::u16string_view text);
/// A value as scripts print it: "text", 12.5, true, font("Sans",8), empty.
std::string FormatValue(const Variant& value);

/// One word of a command line.
struct Token {
  enum class Kind { Word, String, Pair };
  Kind kind = Kind::Word;
  std::string word;     // Word: the bare text
  std::u16string text;  // String: the unquoted text; Pair: the key
  Variant value;        // Pair: the value
};

/// Splits a command line into words, strings and "KEY"=VALUE pairs.
std::vector<Token> Tokenize(std::string_view line);
/// The value a token stands for: a string, a number, true/false, font(...) or empty.
Variant ParseValue(const Token& token);
/// A number as scripts write it: optional "-", digits, optional "." and digits,
/// optional exponent.
bool ParseNumber(std::string_view word, double& out);

}  // namespace entrybox::script
