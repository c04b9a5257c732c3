// Fixed keystroke sequences for the instruction-count gate (scripts/keystroke-gate.sh).
//
// Each case types a text and erases it again with Backspace, a number of times, once
// through an engine alone and once through a whole control on the headless platform.
// Under callgrind every case is measured on its own: the counters are zeroed before it
// and dumped after it under the case's name, so the dump holds that case's instructions
// and nothing of the start-up. Run plainly, the program only checks that each sequence
// ends where it should and prints the per-case key counts.
//
//   entrybox-keystrokes            -> "case <name> keys <n> typed <text> erased <text>"
//   entrybox-keystrokes --build    -> the compiler and flags the counts depend on
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name) static_cast<void>(name)
#endif

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/engines/clsDate.h"
#include "entrybox/engines/clsLong.h"
#include "entrybox/engines/clsMask.h"
#include "entrybox/engines/clsReal.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/values/Strings.h"

#ifndef ENTRYBOX_BUILD_ID
#define ENTRYBOX_BUILD_ID "unknown"
#endif

namespace {

using entrybox::EditField;
using entrybox::HeadlessField;

constexpr int kRounds = 20;
constexpr char16_t kBackspace = 8;

std::string Utf8(const std::u16string& text) {
  return entrybox::ToUtf8(text);
}

// One measured case: `reset` puts the field back to its empty state, `key` sends one
// keystroke, `text` reads the field.
struct Case {
  std::string name;
  std::u16string keys;
  std::u16string typed;   // the field after the keys
  std::u16string erased;  // the field after as many Backspaces
  std::function<void()> reset;
  std::function<void(char16_t)> key;
  std::function<std::u16string()> text;
};

// Types the keys and erases them once; false (with a message) when the field does not
// end as expected, so that a dropped key never passes for a fast one.
bool Cycle(const Case& c) {
  c.reset();
  for (char16_t k : c.keys)
    c.key(k);
  const std::u16string typed = c.text();
  for (size_t i = 0; i < c.keys.size(); ++i)
    c.key(kBackspace);
  const std::u16string erased = c.text();
  if (typed == c.typed && erased == c.erased) return true;
  std::fprintf(stderr, "%s: typed \"%s\" (want \"%s\"), erased \"%s\" (want \"%s\")\n",
               c.name.c_str(), Utf8(typed).c_str(), Utf8(c.typed).c_str(), Utf8(erased).c_str(),
               Utf8(c.erased).c_str());
  return false;
}

// The virtual key of a character the sequences use: digits and Backspace are their own
// codes, "." and "/" the US keyboard's punctuation keys.
int16_t VirtualKey(char16_t c) {
  if (c == u'.') return 190;
  if (c == u'/') return 191;
  return static_cast<int16_t>(c);
}

// An engine driven as the control drives it: KeyDown, then KeyPress of what it left;
// a key the engine passes on is the field's own to insert.
template <typename Engine>
void EngineKey(Engine& engine, HeadlessField& field, char16_t c) {
  engine.KeyDown(field, VirtualKey(c), 0);
  int16_t ascii = static_cast<int16_t>(c);
  if constexpr (std::is_same_v<Engine, entrybox::clsDate>) {
    engine.KeyPress(field, ascii);
  } else {
    ascii = engine.KeyPress(field, ascii);
    if (ascii >= 32) field.SetSelText(std::u16string(1, static_cast<char16_t>(ascii)));
  }
}

// A control on the headless platform, keys through its field as the platform sends them.
struct Box {
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  std::unique_ptr<entrybox::HeadlessSite> site = container.NewSite(host);
  std::unique_ptr<entrybox::InputControl> control;

  explicit Box(const char* kind) : control(entrybox::CreateControl(kind, *site)) {
    control->InitProperties();
    control->Resize();
  }
  void Key(char16_t c) {
    auto& field = site->Field();
    field.KeyDown(VirtualKey(c), 0);
    field.KeyPress(static_cast<int16_t>(c));
    field.KeyUp(VirtualKey(c), 0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--build") == 0) {
    std::printf("%s\n", ENTRYBOX_BUILD_ID);
    return 0;
  }

  const bool growth = argc > 1 && std::strcmp(argv[1], "--growth") == 0;
  entrybox::HeadlessClipboard clipboard;
  entrybox::HeadlessClock clock;
  HeadlessField longField(clipboard), realField(clipboard), dateField(clipboard),
      maskField(clipboard);
  entrybox::clsLong longEngine(clipboard);
  entrybox::clsReal realEngine(clipboard);
  entrybox::clsDate dateEngine(clipboard, clock);
  entrybox::clsMask maskEngine(clipboard);
  const std::u16string phoneMask = u"(###) ###-####";
  maskEngine.SetMask(phoneMask);
  maskEngine.SetPromptChar(u"_");
  // The engines set up as a new control sets them up.
  longEngine.SetMax(2147483647);
  longEngine.SetMin(-2147483647 - 1);
  longEngine.SetFormatted(true);
  realEngine.SetDecimalPlaces(2);
  realEngine.SetMax(9000000000.0);
  realEngine.SetMin(-9000000000.0);
  realEngine.SetFormatted(true);
  const std::u16string dateFormat = u"mm/dd/yyyy";
  dateEngine.SetFormat(dateFormat);

  Box longBox("long"), realBox("real"), dateBox("date"), maskBox("mask");
  maskBox.control->SetProperty("Mask", phoneMask);
  dateBox.control->SetProperty("DateFormat", dateFormat);

  const auto fieldText = [](HeadlessField& f) { return [&f] { return f.Text(); }; };
  const auto boxText = [](Box& b) { return [&b] { return b.site->Field().Text(); }; };
  const auto setField = [](HeadlessField& f, std::u16string text) {
    return [&f, text] {
      f.SetText(text);
      f.SetSelStart(0);
    };
  };

  std::vector<Case> cases;
  cases.push_back({"engine.long", u"123456789", u"123,456,789", u"", setField(longField, u""),
                   [&](char16_t c) { EngineKey(longEngine, longField, c); }, fieldText(longField)});
  cases.push_back({"engine.real", u"1234567.89", u"1,234,567.89", u"0.00", setField(realField, u""),
                   [&](char16_t c) { EngineKey(realEngine, realField, c); }, fieldText(realField)});
  cases.push_back({"engine.date", u"12251999", u"12/25/1999", u"//", setField(dateField, u"//"),
                   [&](char16_t c) { EngineKey(dateEngine, dateField, c); }, fieldText(dateField)});
  cases.push_back({"engine.mask", u"5551234567", u"(555) 123-4567", u"(___) ___-____",
                   setField(maskField, u"(___) ___-____"),
                   [&](char16_t c) { EngineKey(maskEngine, maskField, c); }, fieldText(maskField)});
  cases.push_back({"control.long", u"123456789", u"123,456,789", u"",
                   [&] { longBox.site->Field().SetText(u""); }, [&](char16_t c) { longBox.Key(c); },
                   boxText(longBox)});
  cases.push_back({"control.real", u"1234567.89", u"1,234,567.89", u"0.00",
                   [&] { realBox.site->Field().SetText(u""); }, [&](char16_t c) { realBox.Key(c); },
                   boxText(realBox)});
  cases.push_back({"control.date", u"12251999", u"12/25/1999", u"//",
                   [&] { dateBox.site->Field().SetText(u"//"); },
                   [&](char16_t c) { dateBox.Key(c); }, boxText(dateBox)});
  cases.push_back({"control.mask", u"5551234567", u"(555) 123-4567", u"(___) ___-____",
                   [&] { maskBox.control->SetProperty("Text", std::u16string()); },
                   [&](char16_t c) { maskBox.Key(c); }, boxText(maskBox)});

  // With --growth, instead: the mask engine with masks of 10 to 10,000 placeholders, ten
  // digits typed at the start and erased, and the numeric engines with ever longer
  // numbers (not part of the gate: the long masks take a while under callgrind).
  std::vector<std::unique_ptr<HeadlessField>> growthFields;
  std::vector<std::unique_ptr<entrybox::clsMask>> growthEngines;
  std::vector<std::unique_ptr<entrybox::clsLong>> growthLongs;
  std::vector<std::unique_ptr<entrybox::clsReal>> growthReals;
  if (growth) {
    cases.clear();
    for (const size_t length : {10, 100, 1000, 10000}) {
      auto& field = *growthFields.emplace_back(std::make_unique<HeadlessField>(clipboard));
      auto& engine = *growthEngines.emplace_back(std::make_unique<entrybox::clsMask>(clipboard));
      engine.SetMask(std::u16string(length, u'#'));
      engine.SetPromptChar(u"_");
      const std::u16string empty(length, u'_');
      cases.push_back({"mask." + std::to_string(length), u"5551234567",
                       u"5551234567" + empty.substr(10), empty, setField(field, empty),
                       [&engine, &field](char16_t c) { EngineKey(engine, field, c); },
                       fieldText(field)});
    }
    // The numeric engines up to the longest texts their ranges allow (the real box up to
    // 15 significant digits, all a double holds).
    const std::pair<int, std::u16string> longs[] = {
        {1, u"2"}, {5, u"21,474"}, {10, u"2,147,483,647"}};
    for (const auto& [digits, typed] : longs) {
      auto& field = *growthFields.emplace_back(std::make_unique<HeadlessField>(clipboard));
      auto& engine = *growthLongs.emplace_back(std::make_unique<entrybox::clsLong>(clipboard));
      engine.SetMax(2147483647);
      engine.SetMin(-2147483647 - 1);
      engine.SetFormatted(true);
      cases.push_back(
          {"long." + std::to_string(digits), std::u16string(u"2147483647").substr(0, digits), typed,
           u"", setField(field, u""),
           [&engine, &field](char16_t c) { EngineKey(engine, field, c); }, fieldText(field)});
    }
    const std::pair<int, std::u16string> reals[] = {
        {1, u"1.99"}, {5, u"12,345.99"}, {10, u"1,234,567,890.99"}, {13, u"1,234,567,890,123.99"}};
    for (const auto& [digits, typed] : reals) {
      auto& field = *growthFields.emplace_back(std::make_unique<HeadlessField>(clipboard));
      auto& engine = *growthReals.emplace_back(std::make_unique<entrybox::clsReal>(clipboard));
      engine.SetDecimalPlaces(2);
      engine.SetMax(1e15);
      engine.SetMin(-1e15);
      engine.SetFormatted(true);
      cases.push_back({"real." + std::to_string(digits),
                       std::u16string(u"123456789012345").substr(0, digits) + u".99", typed,
                       u"0.00", setField(field, u""),
                       [&engine, &field](char16_t c) { EngineKey(engine, field, c); },
                       fieldText(field)});
    }
  }

  int failures = 0;
  for (const Case& c : cases) {
    // One cycle first, so that what runs once (first allocations, lazy set-up) stays out
    // of the count.
    if (!Cycle(c)) {
      ++failures;
      continue;
    }
    CALLGRIND_ZERO_STATS;
    bool ok = true;
    for (int round = 0; round < kRounds; ++round)
      ok = Cycle(c) && ok;
    CALLGRIND_DUMP_STATS_AT(c.name.c_str());
    if (!ok) ++failures;
    std::printf("case %s keys %zu typed \"%s\" erased \"%s\"\n", c.name.c_str(),
                2 * c.keys.size() * kRounds, Utf8(c.typed).c_str(), Utf8(c.erased).c_str());
  }
  return failures == 0 ? 0 : 1;
}
