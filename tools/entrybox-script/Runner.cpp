#include "Runner.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "entrybox/controls/Factory.h"
#include "entrybox/platform/Error.h"
#include "entrybox/platform/Keys.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox::script {

namespace {

std::string Num(double value) {
  return ToUtf8(NumberToText(value));
}

std::string ErrorLine(const Error& e) {
  return "error " + std::to_string(e.Number()) + " " + QuoteText(FromUtf8(e.Description()));
}

const std::string& Word(const std::vector<Token>& tokens, size_t i, const char* what) {
  if (i >= tokens.size() || tokens[i].kind != Token::Kind::Word) {
    throw SyntaxError(std::string("expected ") + what);
  }
  return tokens[i].word;
}

std::u16string String(const std::vector<Token>& tokens, size_t i, const char* what) {
  if (i >= tokens.size() || tokens[i].kind != Token::Kind::String) {
    throw SyntaxError(std::string("expected ") + what + " in double quotes");
  }
  return tokens[i].text;
}

double NumberArg(const std::vector<Token>& tokens, size_t i, const char* what) {
  double value = 0;
  if (!ParseNumber(Word(tokens, i, what), value)) throw SyntaxError(std::string("bad ") + what);
  return value;
}

int16_t Code16(const std::vector<Token>& tokens, size_t i, const char* what) {
  const double value = NumberArg(tokens, i, what);
  if (value < -32768 || value > 65535 || value != static_cast<int32_t>(value)) {
    throw SyntaxError(std::string("bad ") + what);
  }
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int32_t>(value)));
}

void ExpectEnd(const std::vector<Token>& tokens, size_t n) {
  if (tokens.size() > n) throw SyntaxError("too many words");
}

std::string KeyCall(const char* event, int16_t code, int16_t shift) {
  return std::string(event) + "(" + std::to_string(code) + "," + std::to_string(shift) + ")";
}

}  // namespace

void EventRecorder::KeyDown(int16_t& KeyCode, int16_t& Shift) {
  events.push_back(KeyCall("KeyDown", KeyCode, Shift));
  if (zeroKeyDown) KeyCode = 0;
}

void EventRecorder::KeyPress(int16_t& KeyAscii) {
  events.push_back("KeyPress(" + std::to_string(KeyAscii) + ")");
  if (zeroKeyPress) KeyAscii = 0;
}

void EventRecorder::KeyUp(int16_t& KeyCode, int16_t& Shift) {
  events.push_back(KeyCall("KeyUp", KeyCode, Shift));
}

Runner::Runner() : Runner(MakeHeadlessPlatform()) {}

Runner::Runner(std::unique_ptr<ScriptPlatform> platform) : platform(std::move(platform)) {
  AddExtensions(*this);
}

HeadlessContainer& Runner::Container() {
  HeadlessContainer* container = platform->Headless();
  if (container == nullptr) {
    throw std::logic_error("no headless container on the " + std::string(platform->Name()) +
                           " platform");
  }
  return *container;
}

void Runner::AddCommands(std::unique_ptr<CommandSet> commands) {
  extensions.push_back(std::move(commands));
}

InputControl& Runner::CurrentControl() {
  return *Current().control;
}

InputControl& Runner::ControlNamed(const std::string& name) {
  for (auto& c : controls) {
    if (!name.empty() && c.name == name) return *c.control;
  }
  throw SyntaxError("no control named " + name);
}

Runner::~Runner() {
  // Controls go before the platform that holds their container.
  controls.clear();
}

const std::string& Runner::CurrentName() {
  return Current().name;
}

std::pair<double, double> Runner::CurrentSize() {
  const ScriptControl& on = *Current().on;
  return {on.Width(), on.Height()};
}

InputControl& Runner::Load(std::string_view kind, const std::string& name, const PropertyBag& bag,
                           double width, double height) {
  Control& c = Create(kind, name);
  c.control->ReadProperties(bag);
  c.on->SetSize(width, height);
  c.control->Resize();
  return *c.control;
}

Runner::Control& Runner::Current() {
  if (current == nullptr) throw SyntaxError("no current control");
  return *current;
}

Runner::Control& Runner::Create(const std::vector<Token>& tokens, size_t& next) {
  const std::string& kind = Word(tokens, 1, "a kind");
  std::string name;
  next = 2;
  if (next < tokens.size() && tokens[next].kind == Token::Kind::Word && tokens[next].word == "as") {
    name = Word(tokens, next + 1, "a name");
    next += 2;
  }
  return Create(kind, name);
}

Runner::Control& Runner::Create(std::string_view kind, const std::string& name) {
  for (const auto& c : controls) {
    if (!name.empty() && c.name == name) {
      throw SyntaxError("a control named " + name + " exists already");
    }
  }
  Control c;
  c.name = name;
  c.kind = kind;
  c.on = platform->NewControl(kind, recorder);
  if (!c.on) throw SyntaxError("unknown kind " + std::string(kind));
  c.control = &c.on->Control();
  controls.push_back(std::move(c));
  current = &controls.back();
  return *current;
}

void Runner::TypeText(const std::u16string& text) {
  ScriptControl& on = *Current().on;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    // A character outside the Basic Multilingual Plane is one keystroke of two KeyPress
    // codes, so that a platform can take it whole.
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      on.Keystroke(std::nullopt, text.substr(i, 2));
      ++i;
      continue;
    }
    on.Keystroke(keys::KeystrokeFor(c), std::u16string(1, c));
  }
}

void Runner::PressNamedKey(const std::string& keyName) {
  int16_t shift = 0;
  std::string name = keyName;
  while (true) {
    if (name.rfind("Shift+", 0) == 0) {
      shift |= keys::kShift;
      name = name.substr(6);
    } else if (name.rfind("Ctrl+", 0) == 0) {
      shift |= keys::kCtrl;
      name = name.substr(5);
    } else if (name.rfind("Alt+", 0) == 0) {
      shift |= keys::kAlt;
      name = name.substr(4);
    } else {
      break;
    }
  }
  struct Named {
    const char* name;
    int16_t code;
    int16_t press;  // KeyPress code, 0 for none
  };
  static constexpr Named named[] = {
      {"Backspace", keys::kBack, 8}, {"Enter", keys::kReturn, 13},  {"Escape", keys::kEscape, 27},
      {"Delete", keys::kDelete, 0},  {"Insert", keys::kInsert, 0},  {"Left", keys::kLeft, 0},
      {"Up", keys::kUp, 0},          {"Right", keys::kRight, 0},    {"Down", keys::kDown, 0},
      {"Home", keys::kHome, 0},      {"End", keys::kEnd, 0},        {"F7", keys::kF7, 0},
      {"F9", keys::kF9, 0},          {"Numpad3", keys::kNumpad3, 0}};
  int16_t code = 0;
  int16_t press = 0;
  bool found = false;
  for (const auto& n : named) {
    if (name == n.name) {
      code = n.code;
      press = n.press;
      found = true;
    }
  }
  if (!found && name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    code = upper;
    if (shift & keys::kCtrl) {
      press = static_cast<int16_t>(upper - 'A' + 1);
    } else if (shift & keys::kShift) {
      press = upper;
    } else {
      press = static_cast<int16_t>(upper + 32);
    }
    found = true;
  }
  if (!found) throw SyntaxError("unknown key " + keyName);
  if (shift & keys::kAlt) press = 0;
  const std::u16string chars =
      press != 0 ? std::u16string(1, static_cast<char16_t>(press)) : std::u16string();
  Current().on->Keystroke(keys::Keystroke{code, shift}, chars);
}

std::vector<std::string> Runner::Execute(std::string_view line) {
  const std::vector<Token> tokens = Tokenize(line);
  std::vector<std::string> out;
  if (tokens.empty()) return out;
  const std::string& command = Word(tokens, 0, "a command");

  // Checks the words of the command before it runs, so a malformed line never half runs.
  try {
    if (command == "new") {
      size_t next = 0;
      Control& c = Create(tokens, next);
      ExpectEnd(tokens, next);
      c.control->InitProperties();
      c.control->Resize();
    } else if (command == "load") {
      size_t next = 0;
      std::vector<std::pair<std::string, Variant>> pairs;
      // Validate the pairs before creating anything.
      for (size_t i = 2; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Kind::Word && tokens[i].word == "as" && i == 2) {
          ++i;
          continue;
        }
        if (tokens[i].kind != Token::Kind::Pair) throw SyntaxError("expected \"KEY\"=VALUE");
        pairs.emplace_back(ToUtf8(tokens[i].text), tokens[i].value);
      }
      Control& c = Create(tokens, next);
      MemoryPropertyBag bag(std::move(pairs));
      c.control->ReadProperties(bag);
      c.control->Resize();
    } else if (command == "use") {
      const std::string& name = Word(tokens, 1, "a name");
      ExpectEnd(tokens, 2);
      Control* found = nullptr;
      for (auto& c : controls) {
        if (!name.empty() && c.name == name) found = &c;
      }
      if (found == nullptr) throw SyntaxError("no control named " + name);
      current = found;
    } else if (command == "save") {
      ExpectEnd(tokens, 1);
      MemoryPropertyBag bag;
      Current().control->WriteProperties(bag);
      std::string text = "bag";
      for (const auto& [key, value] : bag.Pairs()) {
        text += " " + QuoteText(FromUtf8(key)) + "=" + FormatValue(value);
      }
      out.push_back(text);
    } else if (command == "set") {
      const std::string& name = Word(tokens, 1, "a property");
      if (tokens.size() < 3) throw SyntaxError("expected a value");
      const Variant value = ParseValue(tokens[2]);
      ExpectEnd(tokens, 3);
      Current().control->SetProperty(name, value);
    } else if (command == "get") {
      const std::string& name = Word(tokens, 1, "a property");
      ExpectEnd(tokens, 2);
      Control& c = Current();
      out.push_back(name + " " + FormatValue(c.control->GetProperty(name)));
    } else if (command == "call") {
      const std::string& name = Word(tokens, 1, "a method");
      ExpectEnd(tokens, 2);
      Control& c = Current();
      platform->TakeShownForms();
      c.control->CallMethod(name);
      for (const auto& caption : platform->TakeShownForms()) {
        out.push_back("about " + QuoteText(caption));
      }
    } else if (command == "field") {
      const std::u16string text = String(tokens, 1, "a text");
      const bool hasStart = tokens.size() > 2;
      const bool hasLength = tokens.size() > 3;
      const double start = hasStart ? NumberArg(tokens, 2, "SELSTART") : 0;
      const double length = hasLength ? NumberArg(tokens, 3, "SELLENGTH") : 0;
      ExpectEnd(tokens, 4);
      EditField& field = Current().on->Field();
      field.SetText(text);
      if (hasStart) field.SetSelStart(ToInt32(start));
      if (hasLength) field.SetSelLength(ToInt32(length));
      // The state is set up, not typed: nothing to undo back to.
      field.ClearHistory();
    } else if (command == "caret") {
      const double start = NumberArg(tokens, 1, "SELSTART");
      const bool hasLength = tokens.size() > 2;
      const double length = hasLength ? NumberArg(tokens, 2, "SELLENGTH") : 0;
      ExpectEnd(tokens, 3);
      EditField& field = Current().on->Field();
      field.SetSelStart(ToInt32(start));
      if (hasLength) field.SetSelLength(ToInt32(length));
    } else if (command == "show") {
      ExpectEnd(tokens, 1);
      const EditField& field = Current().on->Field();
      out.push_back("field " + QuoteText(field.Text()) + " " + std::to_string(field.SelStart()) +
                    " " + std::to_string(field.SelLength()));
    } else if (command == "focus" || command == "blur") {
      ExpectEnd(tokens, 1);
      ScriptControl& on = *Current().on;
      if (command == "focus") {
        on.Focus();
      } else {
        on.Blur();
      }
    } else if (command == "size") {
      const double w = NumberArg(tokens, 1, "a width");
      const double h = NumberArg(tokens, 2, "a height");
      ExpectEnd(tokens, 3);
      Control& c = Current();
      c.on->SetSize(w, h);
      c.control->Resize();
    } else if (command == "click" || command == "dblclick") {
      const std::string& what = Word(tokens, 1, "button or field");
      ExpectEnd(tokens, 2);
      if (what == "button" && command == "click") {
        Current().on->ClickButton();
      } else if (what == "field") {
        ScriptControl& on = *Current().on;
        if (command == "click") {
          on.ClickField();
        } else {
          on.DblClickField();
        }
      } else {
        throw SyntaxError("cannot " + command + " " + what);
      }
    } else if (command == "clipboard") {
      const std::u16string text = String(tokens, 1, "a text");
      ExpectEnd(tokens, 2);
      platform->Clipboard().SetText(text);
    } else if (command == "today") {
      const std::string& date = Word(tokens, 1, "YYYY-MM-DD");
      ExpectEnd(tokens, 2);
      int y = 0;
      unsigned m = 0, d = 0;
      char tail = 0;
      if (date.size() != 10 || std::sscanf(date.c_str(), "%4d-%2u-%2u%c", &y, &m, &d, &tail) != 3) {
        throw SyntaxError("expected YYYY-MM-DD");
      }
      const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{m},
                                            std::chrono::day{d}};
      if (!ymd.ok()) throw SyntaxError("no such date " + date);
      platform->SetToday(ymd);
    } else if (command == "container") {
      const std::string& answer = Word(tokens, 1, "deny or allow");
      const std::string& property = Word(tokens, 2, "a property");
      ExpectEnd(tokens, 3);
      if ((answer != "deny" && answer != "allow") || !EqualsNoCase(property, "Text")) {
        throw SyntaxError("expected container deny|allow Text");
      }
      platform->SetAllowChanges(answer == "allow");
    } else if (command == "host") {
      const std::string& what = Word(tokens, 1, "KeyDown, KeyPress or pass");
      if (what == "pass") {
        ExpectEnd(tokens, 2);
        recorder.zeroKeyDown = recorder.zeroKeyPress = false;
      } else if ((what == "KeyDown" || what == "KeyPress") && tokens.size() == 3 &&
                 Word(tokens, 2, "0") == "0") {
        (what == "KeyDown" ? recorder.zeroKeyDown : recorder.zeroKeyPress) = true;
      } else {
        throw SyntaxError("expected host KeyDown 0, host KeyPress 0 or host pass");
      }
    } else if (command == "print") {
      const std::string& what = Word(tokens, 1, "what to print");
      ExpectEnd(tokens, 2);
      if (what == "events") {
        std::string text = "events";
        for (const auto& e : recorder.events)
          text += " " + e;
        recorder.events.clear();
        out.push_back(text);
      } else if (what == "notified") {
        std::string text = "notified";
        for (const auto& n : platform->TakeNotified())
          text += " " + QuoteText(FromUtf8(n));
        out.push_back(text);
      } else if (what == "clipboard") {
        out.push_back("clipboard " + QuoteText(platform->Clipboard().GetText()));
      } else if (what == "layout") {
        Control& c = Current();
        const EditField& f = c.on->Field();
        const twButton& b = c.on->Button();
        out.push_back("layout field " + Num(f.Left()) + " " + Num(f.Top()) + " " + Num(f.Width()) +
                      " " + Num(f.Height()) + " button " + (b.Visible() ? "true" : "false") + " " +
                      Num(b.Left()) + " " + Num(b.Top()) + " " + Num(b.Width()) + " " +
                      Num(b.Height()));
      } else if (!RunExtensions(tokens, out)) {
        throw SyntaxError("cannot print " + what);
      }
    } else if (command == "type" || command == "key" || command == "down" || command == "press" ||
               command == "up") {
      Deliver(tokens, out);
    } else if (!RunExtensions(tokens, out)) {
      throw SyntaxError("unknown command " + command);
    }
  } catch (const Error& e) {
    out.push_back(ErrorLine(e));
  }
  return out;
}

bool Runner::RunExtensions(const std::vector<Token>& tokens, std::vector<std::string>& out) {
  for (auto& set : extensions) {
    if (set->Execute(*this, tokens, out)) return true;
  }
  return false;
}

void Runner::Deliver(const std::vector<Token>& tokens, std::vector<std::string>& /*out*/) {
  const std::string& command = tokens[0].word;
  if (command == "type") {
    const std::u16string text = String(tokens, 1, "a text");
    ExpectEnd(tokens, 2);
    TypeText(text);
  } else if (command == "key") {
    const std::string& name = Word(tokens, 1, "a key");
    ExpectEnd(tokens, 2);
    PressNamedKey(name);
  } else if (command == "press") {
    const int16_t code = Code16(tokens, 1, "CODE");
    ExpectEnd(tokens, 2);
    Current().on->KeyPress(code);
  } else {
    const int16_t code = Code16(tokens, 1, "CODE");
    const int16_t shift = tokens.size() > 2 ? Code16(tokens, 2, "SHIFT") : int16_t{0};
    ExpectEnd(tokens, 3);
    ScriptControl& on = *Current().on;
    if (command == "down") {
      on.KeyDown(code, shift);
    } else {
      on.KeyUp(code, shift);
    }
  }
}

int RunFile(const std::string& path, bool check, std::ostream& out, std::ostream& err,
            const PlatformFactory& makePlatform) {
  std::unique_ptr<ScriptPlatform> platform = makePlatform();
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << path << ": cannot open\n";
    return 2;
  }
  struct Command {
    int line;
    std::string text;
    std::vector<std::pair<int, std::string>> expected;
  };
  std::vector<Command> commands;
  std::string text;
  int lineNo = 0;
  while (std::getline(file, text)) {
    ++lineNo;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const size_t first = text.find_first_not_of(" \t");
    // The comment lines before the first command may mark the script headless-only.
    static constexpr std::string_view kHeadlessOnly = "#! headless-only:";
    if (commands.empty() && text.rfind(kHeadlessOnly, 0) == 0 && platform->Name() != "headless") {
      const size_t reason = text.find_first_not_of(" \t", kHeadlessOnly.size());
      out << path << ": skipped on the " << platform->Name()
          << " platform: " << (reason == std::string::npos ? std::string() : text.substr(reason))
          << "\n";
      return kSkipped;
    }
    if (first == std::string::npos || text[first] == '#') continue;
    if (text.rfind("> ", 0) == 0 || text == ">") {
      if (commands.empty()) {
        err << path << ":" << lineNo << ": expected output before any command\n";
        return 2;
      }
      commands.back().expected.emplace_back(lineNo, text.size() > 2 ? text.substr(2) : "");
      continue;
    }
    commands.push_back({lineNo, text, {}});
  }

  Runner runner(std::move(platform));
  int passed = 0;
  int failed = 0;
  for (const auto& command : commands) {
    std::vector<std::string> got;
    try {
      got = runner.Execute(command.text);
    } catch (const SyntaxError& e) {
      err << path << ":" << command.line << ": " << e.what() << "\n";
      return 2;
    }
    if (!check) {
      for (const auto& line : got)
        out << line << "\n";
      continue;
    }
    bool ok = true;
    const size_t n = std::max(got.size(), command.expected.size());
    for (size_t i = 0; i < n; ++i) {
      const bool hasExpected = i < command.expected.size();
      const bool hasGot = i < got.size();
      if (hasExpected && hasGot && command.expected[i].second == got[i]) continue;
      ok = false;
      const int where = hasExpected ? command.expected[i].first : command.line;
      out << path << ":" << where << ": expected "
          << (hasExpected ? command.expected[i].second : "nothing") << " got "
          << (hasGot ? got[i] : "nothing") << "\n";
    }
    (ok ? passed : failed) += 1;
  }
  if (check) out << path << ": " << passed << " passed, " << failed << " failed\n";
  return failed > 0 ? 1 : 0;
}

}  // namespace entrybox::script
