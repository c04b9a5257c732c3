// How the cost of a keystroke grows with the text: the mask engine with masks of 10 to
// 10,000 placeholders, the numeric engines up to the longest texts their ranges allow.
// Each iteration types its keys and erases them with Backspace; the figure is per key.
#include <benchmark/benchmark.h>

#include <limits>
#include <string>

#include "entrybox/engines/clsLong.h"
#include "entrybox/engines/clsMask.h"
#include "entrybox/engines/clsReal.h"
#include "entrybox/headless/HeadlessPlatform.h"

namespace {

constexpr int16_t kBack = 8;

// KeyDown and KeyPress as a control sends them; what the engine passes on the field
// inserts itself.
template <typename Engine>
void Key(Engine& engine, entrybox::HeadlessField& field, char16_t c) {
  engine.KeyDown(field, static_cast<int16_t>(c == u'.' ? 190 : c), 0);
  const int16_t left = engine.KeyPress(field, static_cast<int16_t>(c));
  if (left >= 32) field.SetSelText(std::u16string(1, static_cast<char16_t>(left)));
}

// Ten digits typed at the start of a mask of state.range(0) placeholders, then erased.
void BM_MaskKeyByLength(benchmark::State& state) {
  const auto length = static_cast<size_t>(state.range(0));
  entrybox::HeadlessClipboard clipboard;
  entrybox::HeadlessField field(clipboard);
  entrybox::clsMask engine(clipboard);
  engine.SetMask(std::u16string(length, u'#'));
  const std::u16string empty(length, u'_');
  const std::u16string keys = u"5551234567";
  for (auto _ : state) {
    field.SetText(empty);
    field.SetSelStart(0);
    for (char16_t c : keys)
      Key(engine, field, c);
    for (size_t i = 0; i < keys.size(); ++i)
      Key(engine, field, kBack);
  }
  if (field.Text() != empty) state.SkipWithError("the keys did not come back out");
  state.SetItemsProcessed(state.iterations() * 2 * static_cast<int64_t>(keys.size()));
  state.counters["mask_chars"] = static_cast<double>(length);
}
BENCHMARK(BM_MaskKeyByLength)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

// A long box typed up to state.range(0) digits (10: the longest, "2,147,483,647").
void BM_LongKeyByLength(benchmark::State& state) {
  entrybox::HeadlessClipboard clipboard;
  entrybox::HeadlessField field(clipboard);
  entrybox::clsLong engine(clipboard);
  engine.SetFormatted(true);
  engine.SetMin(std::numeric_limits<int32_t>::min());
  engine.SetMax(std::numeric_limits<int32_t>::max());
  const std::u16string keys = std::u16string(u"2147483647").substr(0, state.range(0));
  for (auto _ : state) {
    field.SetText(u"");
    for (char16_t c : keys)
      Key(engine, field, c);
    for (size_t i = 0; i < keys.size(); ++i)
      Key(engine, field, kBack);
  }
  if (!field.Text().empty()) state.SkipWithError("the keys did not come back out");
  state.SetItemsProcessed(state.iterations() * 2 * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_LongKeyByLength)->Arg(1)->Arg(5)->Arg(10);

// A real box with two decimals typed up to state.range(0) digits before the point and
// both decimals (13 and 2 make the 15 significant digits a double holds).
void BM_RealKeyByLength(benchmark::State& state) {
  entrybox::HeadlessClipboard clipboard;
  entrybox::HeadlessField field(clipboard);
  entrybox::clsReal engine(clipboard);
  engine.SetFormatted(true);
  engine.SetDecimalPlaces(2);
  engine.SetMin(-1e15);
  engine.SetMax(1e15);
  const std::u16string keys = std::u16string(u"123456789012345").substr(0, state.range(0)) + u".99";
  for (auto _ : state) {
    field.SetText(u"");
    for (char16_t c : keys)
      Key(engine, field, c);
    for (size_t i = 0; i < keys.size(); ++i)
      Key(engine, field, kBack);
  }
  state.SetItemsProcessed(state.iterations() * 2 * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_RealKeyByLength)->Arg(1)->Arg(5)->Arg(10)->Arg(13);

}  // namespace
