// libFuzzer target: the scenario-script parser and runner on random bytes. Every line
// either runs and prints its output (library errors print as "error N ...") or is
// refused with a SyntaxError, which stops the script as `entrybox-script` stops it.
// Nothing else may escape, and every `save` line must read back as `load` pairs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "Runner.h"
#include "ScriptValue.h"
#include "entrybox/platform/Error.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** entrybox script invariant broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

// Commands that reach the file system: a fuzzer must not write files named by its
// input. The form-file loader has a target of its own.
bool TouchesFiles(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  line.remove_prefix(first);
  return line.rfind("bag", 0) == 0;
}

bool IsSave(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  line.remove_prefix(first);
  return line.rfind("save", 0) == 0 && (line.size() == 4 || line[4] == ' ' || line[4] == '\t');
}

// A `save` line pasted back into a `load` line reads as the same pairs.
void CheckSaveLine(const std::string& saved) {
  using namespace entrybox::script;
  std::vector<Token> tokens;
  try {
    tokens = Tokenize("load x " + (saved.size() > 4 ? saved.substr(4) : std::string()));
    for (size_t i = 2; i < tokens.size(); ++i) {
      if (tokens[i].kind != Token::Kind::Pair)
        Fail("save printed a word that is no pair: " + saved);
    }
  } catch (const SyntaxError& e) {
    Fail("a save line does not read back: " + saved + " (" + e.what() + ")");
  }
  std::string again = "bag";
  for (size_t i = 2; i < tokens.size(); ++i)
    again += " " + QuoteText(tokens[i].text) + "=" + FormatValue(tokens[i].value);
  if (again != saved) Fail("a save line reads back differently:\n  " + saved + "\n  " + again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace entrybox::script;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  Runner runner;
  size_t start = 0;
  int lines = 0;
  while (start <= input.size() && lines < 400) {
    size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    std::string line(input.substr(start, end - start));
    start = end + 1;
    ++lines;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#' || line.rfind("> ", 0) == 0) continue;
    if (TouchesFiles(line)) continue;
    try {
      const std::vector<std::string> out = runner.Execute(line);
      for (const auto& o : out) {
        if (IsSave(line) && o.rfind("bag", 0) == 0) CheckSaveLine(o);
      }
    } catch (const SyntaxError&) {
      break;  // the script stops here, with its line number
    } catch (const entrybox::Error& e) {
      Fail("line " + line + " let error " + std::to_string(e.Number()) + " escape the runner");
    } catch (const std::exception& e) {
      Fail("line " + line + " threw " + e.what());
    }
  }
  return 0;
}
