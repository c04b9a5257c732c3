#include "ControlFuzzer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "entrybox/controls/Factory.h"
#include "entrybox/engines/clsMask.h"
#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/platform/Keys.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox::fuzz {

namespace {

using Pairs = std::vector<std::pair<std::string, Variant>>;

bool Tracing() {
  static const bool on = std::getenv("FUZZ_TRACE") != nullptr;
  return on;
}

std::string ShowValue(const Variant& v) {
  if (IsText(v)) return ShowText(std::get<std::u16string>(v));
  if (IsNumber(v)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", std::get<double>(v));
    return buf;
  }
  if (IsBool(v)) return std::get<bool>(v) ? "true" : "false";
  if (IsFont(v)) {
    const Font& f = std::get<Font>(v);
    char buf[40];
    std::snprintf(buf, sizeof buf, ",%.17g)", f.Size);
    return "font(" + ShowText(f.Name) + buf;
  }
  return "empty";
}

std::string ShowBag(const Pairs& pairs) {
  std::string out = "bag";
  for (const auto& [k, v] : pairs)
    out += " \"" + k + "\"=" + ShowValue(v);
  return out;
}

void Trace(const std::string& line) {
  if (Tracing()) std::fprintf(stderr, "  %s\n", line.c_str());
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** entrybox invariant broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

// Numbers compare equal when both are NaN: a NaN font size stored and read back is the
// same value, even though NaN != NaN.
bool SameNumber(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

bool SameVariant(const Variant& a, const Variant& b) {
  if (IsNumber(a) && IsNumber(b)) return SameNumber(std::get<double>(a), std::get<double>(b));
  if (IsFont(a) && IsFont(b)) {
    const Font& x = std::get<Font>(a);
    const Font& y = std::get<Font>(b);
    return x.Name == y.Name && SameNumber(x.Size, y.Size);
  }
  return a == b;
}

bool SamePairs(const Pairs& a, const Pairs& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].first != b[i].first || !SameVariant(a[i].second, b[i].second)) return false;
  }
  return true;
}

const Variant* Find(const Pairs& pairs, std::string_view key) {
  for (const auto& p : pairs) {
    if (p.first == key) return &p.second;
  }
  return nullptr;
}

// The number a saved text of a long or real box stands for: loading turns a text that
// is no number into 0, and the real box drops its group separators.
double SavedNumber(const Variant* v, const Variant& absent) {
  const Variant& value = v != nullptr ? *v : absent;
  if (IsNumber(value)) return std::get<double>(value);
  if (!IsText(value)) return 0;
  const auto& s = std::get<std::u16string>(value);
  try {
    return IsNumeric(s) ? ToNumber(s) : 0;
  } catch (const Error&) {
    return 0;
  }
}

bool Contains(std::initializer_list<int32_t> numbers, int32_t n) {
  return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

// The host: may cancel keys, and may read Text whenever the text changes, as hosts do
// in their Change handlers.
class FuzzHost : public ControlEvents {
 public:
  void Change() override;
  void KeyDown(int16_t& KeyCode, int16_t& /*Shift*/) override {
    if (zeroKeyDown) KeyCode = 0;
  }
  void KeyPress(int16_t& KeyAscii) override {
    if (zeroKeyPress) KeyAscii = 0;
  }

  bool zeroKeyDown = false;
  bool zeroKeyPress = false;
  bool readTextOnChange = false;
  InputControl* control = nullptr;

 private:
  bool inChange = false;
};

void FuzzHost::Change() {
  if (!readTextOnChange || control == nullptr || inChange) return;
  inChange = true;
  try {
    control->Text();
  } catch (const Error& e) {
    Fail("reading Text in the host's Change handler raised error " + std::to_string(e.Number()) +
         " " + e.Description());
  }
  inChange = false;
}

// Persisted keys per kind, for bags the fuzzer makes up.
const std::vector<std::string>& PersistedKeys(std::string_view kind) {
  static const std::vector<std::string> common = {
      "Appearance", "Alignment", "BorderStyle",    "MousePointer",  "BackColor",
      "ForeColor",  "Enabled",   "Font",           "OnFocusSelect", "ReadOnly",
      "AllowNull",  "DropDown",  "ButtonBackColor"};
  static const auto with = [](std::initializer_list<const char*> own) {
    std::vector<std::string> keys(own.begin(), own.end());
    keys.insert(keys.end(), common.begin(), common.end());
    keys.push_back("text");  // keys match exactly: this one is unknown
    keys.push_back("Unknown");
    return keys;
  };
  static const auto longKeys = with({"Text", "Formatted", "MaxNumber", "MinNumber", "Spin"});
  static const auto realKeys =
      with({"DecimalPlaces", "Formatted", "MaxNumber", "MinNumber", "Spin", "Text"});
  static const auto dateKeys =
      with({"Text", "Format", "DateCenturyOn", "DateY2KCeiling", "DateMin", "DateMax"});
  static const auto maskKeys = with({"Text", "Mask", "PromptChar"});
  if (kind == "long") return longKeys;
  if (kind == "real") return realKeys;
  if (kind == "date") return dateKeys;
  return maskKeys;
}

// Names that are no property of some kinds, or are read-only, or differ in case.
constexpr const char* kExtraNames[] = {
    "NoSuchProperty", "",          "TEXT",      "text ", "mask",  "Name", "About",        "IsNull",
    "IsValid",        "DateValue", "MaskValue", "Day",   "Month", "Year", "decimalplaces"};

// KeyDown codes worth trying; any other comes raw.
constexpr int16_t kKeyCodes[] = {8,   13,  27,  32,  35, 36, 37, 38, 39,  40, 45,  46,  47,
                                 48,  49,  53,  57,  65, 67, 86, 88, 90,  99, 118, 120, 186,
                                 188, 189, 190, 191, 0,  -1, 16, 17, 112, 96, 109, 110, 111};

// Named keys as `key NAME` delivers them: KeyDown code and KeyPress code (0: none).
struct NamedKey {
  int16_t code;
  int16_t press;
};
constexpr NamedKey kNamedKeys[] = {
    {keys::kBack, 8},   {keys::kReturn, 13}, {keys::kEscape, 27}, {keys::kDelete, 0},
    {keys::kInsert, 0}, {keys::kLeft, 0},    {keys::kUp, 0},      {keys::kRight, 0},
    {keys::kDown, 0},   {keys::kHome, 0},    {keys::kEnd, 0},     {keys::kF7, 0},
    {keys::kF9, 0},     {keys::kNumpad3, 0}, {'C', 'c'},          {'V', 'v'},
    {'X', 'x'},         {'A', 'a'},          {'Z', 'z'}};

class ControlFuzzer {
 public:
  ControlFuzzer(std::string_view kind, FuzzInput& in) : kind(kind), in(in) {}
  ~ControlFuzzer() { DropControl(); }

  bool Start();
  void Step();

  // The closing check of every input.
  void RoundTrip();

 private:
  enum class Area { Set, Get, Keys, Focus, Load, Resize, Method };

  void DropControl() {
    host.control = nullptr;
    control.reset();
    site.reset();
  }
  bool NewControl();
  void LoadRandomBag();

  // Runs `op`; an entrybox::Error must carry one of `allowed`; anything else thrown is a
  // fault. Returns whether the op raised.
  template <class Op>
  bool Guard(const std::string& what, std::initializer_list<int32_t> allowed, Op&& op);

  void CheckField(const std::string& after);
  Pairs Save(InputControl& c, const std::string& what);

  Variant RandomValue();
  std::string PropertyName(bool& known);
  void SetProperty();
  void GetProperty();

  // Keystrokes and their invariants.
  struct KeyState {
    std::u16string text;
    bool readOnly = false;
    bool rangeHeld = false;  // long/real: the value lay between Min and Max
    bool longText = false;   // over 32767 units: the engines' 16-bit positions overflow
  };
  KeyState BeforeKey();
  void AfterKey(const KeyState& before, const std::string& what, bool rangeKey);
  void KeyDown(int16_t code, int16_t shift);
  void KeyPress(int16_t code);
  void KeyUp(int16_t code, int16_t shift);
  void TypeUnit(char16_t c);
  void NamedKeystroke();

  double Value(const std::u16string& text);
  bool InRange(double v);
  void CheckMaskRendered(const std::string& what);
  void CheckDateAfterBlur();

  std::string kind;
  FuzzInput& in;
  HeadlessContainer container;
  FuzzHost host;
  std::unique_ptr<HeadlessSite> site;
  std::unique_ptr<InputControl> control;
  std::vector<std::string> names;
  // The field holds a text the control did not make (written straight into the field,
  // or loaded from a made-up bag): the saved Text then need not survive a round trip,
  // until the host writes Text again.
  bool foreign = false;
};

template <class Op>
bool ControlFuzzer::Guard(const std::string& what, std::initializer_list<int32_t> allowed,
                          Op&& op) {
  Trace(what);
  try {
    op();
    return false;
  } catch (const Error& e) {
    Trace("    -> error " + std::to_string(e.Number()) + " " + e.Description());
    if (!Contains(allowed, e.Number())) {
      Fail(kind + ": " + what + " raised error " + std::to_string(e.Number()) + " \"" +
           e.Description() + "\", which it must not");
    }
    return true;
  } catch (const std::exception& e) {
    Fail(kind + ": " + what + " threw a non-library exception: " + e.what());
  } catch (...) {
    Fail(kind + ": " + what + " threw something that is no exception");
  }
}

bool ControlFuzzer::NewControl() {
  DropControl();
  site = container.NewSite(host);
  control = CreateControl(kind, *site);
  if (!control) return false;
  host.control = control.get();
  names = control->PropertyNames();
  return true;
}

bool ControlFuzzer::Start() {
  if (!NewControl()) return false;
  if (in.Byte() % 4 == 0) {
    LoadRandomBag();
  } else {
    Guard("InitProperties", {}, [&] {
      control->InitProperties();
      control->Resize();
    });
  }
  CheckField("start");
  return true;
}

void ControlFuzzer::LoadRandomBag() {
  const auto& keys = PersistedKeys(kind);
  Pairs pairs;
  const int n = in.Byte() % 8;
  for (int i = 0; i < n; ++i) {
    std::string key = keys[in.Byte() % keys.size()];
    pairs.emplace_back(std::move(key), RandomValue());
  }
  NewControl();
  foreign = true;
  MemoryPropertyBag bag(pairs);
  // A bag from anywhere may hold wrong kinds and values: errors 6, 13, 380, 8000.
  const bool failed = Guard("ReadProperties " + ShowBag(pairs), {6, 13, 380, 8000},
                            [&] { control->ReadProperties(bag); });
  if (!failed) Guard("Resize", {380}, [&] { control->Resize(); });
}

void ControlFuzzer::CheckField(const std::string& after) {
  const HeadlessField& f = site->Field();
  const auto len = static_cast<int32_t>(f.Text().size());
  if (f.SelStart() < 0 || f.SelStart() > len || f.SelLength() < 0 ||
      f.SelLength() > len - f.SelStart()) {
    Fail(kind + ": after " + after + " the selection " + std::to_string(f.SelStart()) + "+" +
         std::to_string(f.SelLength()) + " lies outside the text " + ShowText(f.Text()));
  }
  if (Tracing()) {
    Trace("    field " + ShowText(f.Text()) + " " + std::to_string(f.SelStart()) + " " +
          std::to_string(f.SelLength()));
  }
}

Pairs ControlFuzzer::Save(InputControl& c, const std::string& what) {
  MemoryPropertyBag bag;
  Guard(what, {}, [&] { c.WriteProperties(bag); });
  return bag.Pairs();
}

Variant ControlFuzzer::RandomValue() {
  switch (in.Byte() % 7) {
    case 0:
    case 1:
      return in.Number();
    case 2:
      return in.Text(kAlphabet);
    case 3:
      return (in.Byte() & 1) != 0;
    case 4: {
      std::u16string name = in.Text(kAlphabet);
      return Font{std::move(name), in.Number()};
    }
    case 5:
      return Variant{};
    default:
      // A text made of number and date characters, as users type them.
      return in.Text(u"0123456789-.,/ e");
  }
}

std::string ControlFuzzer::PropertyName(bool& known) {
  const size_t total = names.size() + std::size(kExtraNames);
  const uint8_t b = in.Byte();
  std::string name;
  if (b == 0xFF) {
    // Spelt out, so that a hand-written seed does not depend on the order of the names.
    for (int n = in.Byte(); n > 0 && !in.AtEnd(); --n)
      name += static_cast<char>(in.Byte());
  } else {
    const size_t i = b % total;
    name = i < names.size() ? names[i] : kExtraNames[i - names.size()];
  }
  known = std::any_of(names.begin(), names.end(),
                      [&](const std::string& n) { return EqualsNoCase(n, name); });
  return name;
}

void ControlFuzzer::SetProperty() {
  bool known = false;
  const std::string name = PropertyName(known);
  const Variant value = RandomValue();
  const std::string what = "set " + name + " " + ShowValue(value);
  if (!known) {
    const bool raised = Guard(what, {438}, [&] { control->SetProperty(name, value); });
    if (!raised) Fail(kind + ": " + what + " (no such property) raised no error 438");
    return;
  }
  // 8000 is the library's own rejection: the real box's Min and Max, the date's Year.
  const bool may8000 =
      (kind == "real" && (EqualsNoCase(name, "Min") || EqualsNoCase(name, "Max"))) ||
      (kind == "date" && EqualsNoCase(name, "Year"));
  const std::u16string textBefore = site->Field().Text();
  const int32_t startBefore = site->Field().SelStart();
  const int32_t lengthBefore = site->Field().SelLength();
  const Pairs bagBefore = Save(*control, "save before " + what);
  bool raised;
  // A Text the host wrote is the control's own again, whatever the field held before.
  const bool text = EqualsNoCase(name, "Text");
  if (may8000) {
    raised = Guard(what, {6, 13, 380, 383, 8000}, [&] { control->SetProperty(name, value); });
  } else {
    raised = Guard(what, {6, 13, 380, 383}, [&] { control->SetProperty(name, value); });
  }
  CheckField(what);
  if (!raised && text && container.allowChanges) foreign = false;
  if (raised) {
    // A setter that fails changes nothing.
    const Pairs bagAfter = Save(*control, "save after " + what);
    if (site->Field().Text() != textBefore || site->Field().SelStart() != startBefore ||
        site->Field().SelLength() != lengthBefore || !SamePairs(bagBefore, bagAfter)) {
      Fail(kind + ": " + what + " failed but changed the control: field " + ShowText(textBefore) +
           " -> " + ShowText(site->Field().Text()) + ", " + ShowBag(bagBefore) + " -> " +
           ShowBag(bagAfter));
    }
  }
}

void ControlFuzzer::GetProperty() {
  bool known = false;
  const std::string name = PropertyName(known);
  const std::string what = "get " + name;
  if (!known) {
    const bool raised = Guard(what, {438}, [&] { control->GetProperty(name); });
    if (!raised) Fail(kind + ": " + what + " (no such property) raised no error 438");
    return;
  }
  // Only the date's parts fail to read: an empty or non-numeric part (13), one beyond
  // 16 bits (6). Text never fails, so a host may read it at any time.
  const bool part = kind == "date" && (EqualsNoCase(name, "Day") || EqualsNoCase(name, "Month") ||
                                       EqualsNoCase(name, "Year"));
  if (part) {
    Guard(what, {6, 13}, [&] { control->GetProperty(name); });
  } else {
    Guard(what, {}, [&] { control->GetProperty(name); });
  }
  CheckField(what);
}

// --- keystrokes ---

double ControlFuzzer::Value(const std::u16string& text) {
  std::u16string pattern = u"#################0";
  if (kind == "real") {
    const double dp = VariantToNumber(control->GetProperty("DecimalPlaces"));
    pattern += u".";
    pattern += Repeat(u'0', static_cast<std::ptrdiff_t>(dp));
  }
  return LeadingValue(FormatPattern(std::u16string_view(text), pattern));
}

bool ControlFuzzer::InRange(double v) {
  const double mn = VariantToNumber(control->GetProperty("Min"));
  const double mx = VariantToNumber(control->GetProperty("Max"));
  return v >= mn && v <= mx;
}

ControlFuzzer::KeyState ControlFuzzer::BeforeKey() {
  KeyState s;
  s.text = site->Field().Text();
  s.readOnly = site->Field().Locked();
  s.longText = s.text.size() > 32767;
  if ((kind == "long" || kind == "real") && IsNumeric(s.text)) {
    try {
      s.rangeHeld = InRange(Value(s.text));
    } catch (const Error&) {
      s.rangeHeld = false;
    }
  }
  return s;
}

void ControlFuzzer::AfterKey(const KeyState& before, const std::string& what, bool rangeKey) {
  CheckField(what);
  const std::u16string& text = site->Field().Text();
  if (before.readOnly && text != before.text) {
    Fail(kind + ": " + what + " changed the text of a read-only control: " + ShowText(before.text) +
         " -> " + ShowText(text));
  }
  if (rangeKey && before.rangeHeld) {
    const double v = Value(text);
    if (!InRange(v)) {
      Fail(kind + ": " + what + " took the value out of Min..Max: " + ShowText(before.text) +
           " -> " + ShowText(text));
    }
  }
  if (kind == "mask" && text != before.text) CheckMaskRendered(what);
}

void ControlFuzzer::CheckMaskRendered(const std::string& what) {
  const std::u16string prompt = VariantToText(control->GetProperty("PromptChar"));
  // With no prompt, or a longer one, the template is not a fixed length; only a
  // one-character prompt makes rendering a fixed point.
  if (prompt.size() != 1) return;
  const std::u16string mask = VariantToText(control->GetProperty("Mask"));
  HeadlessClipboard scratch;
  clsMask engine(scratch);
  engine.SetMask(mask);
  engine.SetPromptChar(prompt);
  const std::u16string& text = site->Field().Text();
  const std::u16string rendered = engine.MaskRefresh(text, mask);
  if (rendered != text) {
    Fail("mask: " + what + " left " + ShowText(text) + ", which is not the rendered form " +
         ShowText(rendered) + " of its input (mask " + ShowText(mask) + ", prompt " +
         ShowText(prompt) + ")");
  }
}

void ControlFuzzer::KeyDown(int16_t code, int16_t shift) {
  const KeyState before = BeforeKey();
  const bool ctrl = (shift & keys::kCtrl) != 0;
  const bool paste = (ctrl && (code == 86 || code == 118)) ||
                     (code == keys::kInsert && (shift & 3) == keys::kShift);
  const bool rangeKey = paste || code == keys::kUp || code == keys::kDown;
  const std::string what = "KeyDown(" + std::to_string(code) + "," + std::to_string(shift) + ")";
  if (before.longText) {
    Guard(what, {6}, [&] { site->Field().KeyDown(code, shift); });
  } else {
    Guard(what, {}, [&] { site->Field().KeyDown(code, shift); });
  }
  AfterKey(before, what, rangeKey);
}

void ControlFuzzer::KeyPress(int16_t code) {
  const KeyState before = BeforeKey();
  const bool rangeKey = (code >= '0' && code <= '9') || code == '-';
  const std::string what = "KeyPress(" + std::to_string(code) + ")";
  if (before.longText) {
    Guard(what, {6}, [&] { site->Field().KeyPress(code); });
  } else {
    Guard(what, {}, [&] { site->Field().KeyPress(code); });
  }
  AfterKey(before, what, rangeKey);
}

void ControlFuzzer::KeyUp(int16_t code, int16_t shift) {
  const KeyState before = BeforeKey();
  const std::string what = "KeyUp(" + std::to_string(code) + "," + std::to_string(shift) + ")";
  Guard(what, {}, [&] { site->Field().KeyUp(code, shift); });
  AfterKey(before, what, false);
  if (site->Field().Text() != before.text) Fail(kind + ": " + what + " changed the text");
}

void ControlFuzzer::TypeUnit(char16_t c) {
  const auto code = static_cast<int16_t>(c);
  if (const auto key = keys::KeystrokeFor(c)) {
    KeyDown(key->keyCode, key->shift);
    KeyPress(code);
    KeyUp(key->keyCode, key->shift);
  } else {
    KeyPress(code);
  }
}

void ControlFuzzer::NamedKeystroke() {
  const NamedKey key = kNamedKeys[in.Byte() % std::size(kNamedKeys)];
  const auto shift = static_cast<int16_t>(in.Byte() & 7);
  int16_t press = key.press;
  if (key.code >= 'A' && key.code <= 'Z') {
    if ((shift & keys::kCtrl) != 0) {
      press = static_cast<int16_t>(key.code - 'A' + 1);
    } else if ((shift & keys::kShift) != 0) {
      press = key.code;
    }
  }
  if ((shift & keys::kAlt) != 0) press = 0;
  KeyDown(key.code, shift);
  if (press != 0) KeyPress(press);
  KeyUp(key.code, shift);
}

void ControlFuzzer::CheckDateAfterBlur() {
  const std::u16string& text = site->Field().Text();
  const std::chrono::year y = container.clock.Today().year();
  if (!text.empty() && !IsDate(text, y)) {
    Fail("date: after losing the focus the field holds " + ShowText(text) +
         ", which is neither a date nor empty");
  }
}

void ControlFuzzer::Step() {
  const uint8_t op = in.Byte() % 24;
  switch (op) {
    case 0:
    case 1:
      SetProperty();
      break;
    case 2:
      GetProperty();
      break;
    case 3: {
      const std::u16string text = in.Text(kAlphabet);
      foreign = true;
      Guard("field " + ShowText(text), {}, [&] { site->Field().SetText(text); });
      CheckField("field text");
      break;
    }
    case 4: {
      const int32_t start = in.SmallInt();
      const int32_t length = in.SmallInt();
      Guard("caret " + std::to_string(start) + " " + std::to_string(length), {}, [&] {
        site->Field().SetSelStart(start);
        site->Field().SetSelLength(length);
      });
      CheckField("caret");
      break;
    }
    case 5:
    case 6: {
      const uint8_t b = in.Byte();
      const int16_t code =
          b < 0xC0 ? kKeyCodes[b % std::size(kKeyCodes)] : static_cast<int16_t>(in.Word());
      const uint8_t s = in.Byte();
      const auto shift = static_cast<int16_t>(s < 0xF8 ? (s & 7) : in.Word());
      KeyDown(code, shift);
      break;
    }
    case 7:
    case 8:
      KeyPress(static_cast<int16_t>(in.Unit(kAlphabet)));
      break;
    case 9: {
      const uint8_t b = in.Byte();
      KeyUp(b < 0xC0 ? kKeyCodes[b % std::size(kKeyCodes)] : static_cast<int16_t>(in.Word()),
            static_cast<int16_t>(in.Byte() & 7));
      break;
    }
    case 10:
    case 11:
      TypeUnit(in.Unit(kAlphabet));
      break;
    case 12:
    case 13:
      NamedKeystroke();
      break;
    case 14: {
      const std::u16string text = in.Text(kAlphabet);
      for (char16_t c : text)
        TypeUnit(c);
      break;
    }
    case 15: {
      Guard("focus", {}, [&] { site->Field().GotFocus(); });
      CheckField("focus");
      break;
    }
    case 16: {
      const bool enabled = site->Field().Enabled();
      Guard("blur", {}, [&] { site->Field().LostFocus(); });
      CheckField("blur");
      if (kind == "date" && enabled) CheckDateAfterBlur();
      break;
    }
    case 17: {
      const std::u16string text =
          in.Byte() % 2 == 0 ? in.Text(u"0123456789-.,/ eE") : in.Text(kAlphabet);
      Trace("clipboard " + ShowText(text));
      container.clipboard.SetText(text);
      break;
    }
    case 18:
      RoundTrip();
      break;
    case 19:
      LoadRandomBag();
      CheckField("load");
      break;
    case 20: {
      const uint8_t b = in.Byte();
      host.zeroKeyDown = (b & 1) != 0;
      host.zeroKeyPress = (b & 2) != 0;
      host.readTextOnChange = (b & 4) != 0;
      container.allowChanges = (b & 8) == 0;
      Trace("host " + std::to_string(b & 15));
      break;
    }
    case 21: {
      const uint8_t b = in.Byte() % 6;
      if (b == 0) {
        Guard("call Refresh", {}, [&] { control->CallMethod("Refresh"); });
      } else if (b == 1) {
        Guard("call AboutBox", {}, [&] { control->CallMethod("AboutBox"); });
        container.forms.shown.clear();
      } else if (b == 2) {
        Guard("click button", {}, [&] { site->Button().Click(); });
      } else if (b == 3) {
        Guard("click field", {}, [&] { site->Field().Click(); });
      } else if (b == 4) {
        Guard("dblclick field", {}, [&] { site->Field().DblClick(); });
      } else {
        const double w = in.Number();
        const double h = in.Number();
        site->SetSize(w, h);
        // A negative or NaN size is refused by the field.
        Guard("size", {380}, [&] { control->Resize(); });
      }
      CheckField("method");
      break;
    }
    case 22: {
      const int y = 1 + in.Word() % 9999;
      const unsigned m = 1 + in.Byte() % 12;
      const unsigned d = 1 + in.Byte() % 31;
      const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{m},
                                            std::chrono::day{d}};
      if (ymd.ok()) container.clock.SetToday(ymd);
      break;
    }
    default:
      // Keys, most often: the heart of the matter.
      TypeUnit(in.Unit(kAlphabet));
      break;
  }
  // Keep the container's records from growing without end.
  if (container.notified.size() > 4096) container.notified.clear();
}

void ControlFuzzer::RoundTrip() {
  const Pairs bag1 = Save(*control, "save");
  Trace("    " + ShowBag(bag1));
  FuzzHost quiet;
  const auto load = [&](const Pairs& pairs, const char* what) {
    auto otherSite = container.NewSite(quiet);
    auto other = CreateControl(kind, *otherSite);
    MemoryPropertyBag bag(pairs);
    Guard(std::string("load ") + what, {}, [&] {
      other->ReadProperties(bag);
      other->Resize();
    });
    Pairs saved = Save(*other, std::string("save ") + what);
    other.reset();
    return saved;
  };
  const Pairs bag2 = load(bag1, "saved bag");
  const Pairs bag3 = load(bag2, "bag saved again");

  // Loading may bring the value to its canonical form once; after that the bag is stable.
  if (!SamePairs(bag2, bag3)) {
    Fail(kind + ": save -> load -> save is not stable:\n  " + ShowBag(bag2) + "\n  " +
         ShowBag(bag3));
  }
  // Every key but the value comes back as it was saved.
  bool same = true;
  std::string differs;
  for (const auto* bag : {&bag1, &bag2}) {
    for (const auto& [key, value] : *bag) {
      if (key == "Text") continue;
      const Variant* a = Find(bag1, key);
      const Variant* b = Find(bag2, key);
      if (a == nullptr || b == nullptr || !SameVariant(*a, *b)) {
        same = false;
        differs = key;
      }
    }
  }
  // The value: exactly for the date and mask boxes; by its number for long and real
  // (loading writes the number in its plain form and turns a non-number into 0). A text
  // the control did not make itself need not survive.
  if (!foreign) {
    const Variant* a = Find(bag1, "Text");
    const Variant* b = Find(bag2, "Text");
    if (kind == "long" || kind == "real") {
      const Variant absent = kind == "real" ? Variant(std::u16string(u"0.00")) : Variant(0.0);
      const double saved = SavedNumber(a, absent);
      const double loaded = SavedNumber(b, absent);
      if (!SameNumber(saved, loaded)) {
        same = false;
        differs = "Text";
      }
    } else if ((a == nullptr) != (b == nullptr) || (a != nullptr && !SameVariant(*a, *b))) {
      same = false;
      differs = "Text";
    }
  }
  if (!same) {
    Fail(kind + ": save -> load -> save changed \"" + differs + "\":\n  " + ShowBag(bag1) + "\n  " +
         ShowBag(bag2));
  }
}

}  // namespace

int RunControlFuzz(std::string_view kind, const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  ControlFuzzer fuzzer(kind, in);
  if (!fuzzer.Start()) return 0;
  // Bounded, so that one input cannot run for long.
  for (int steps = 0; steps < 2000 && !in.AtEnd(); ++steps)
    fuzzer.Step();
  fuzzer.RoundTrip();
  return 0;
}

}  // namespace entrybox::fuzz
