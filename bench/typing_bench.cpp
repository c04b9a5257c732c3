// Keystrokes through a whole control on the headless platform: a key must cost far less
// than a frame even with a long text in the field.
#include <benchmark/benchmark.h>

#include <string>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"

namespace {

struct Box {
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  std::unique_ptr<entrybox::HeadlessSite> site = container.NewSite(host);
  std::unique_ptr<entrybox::InputControl> control;

  explicit Box(const char* kind) : control(entrybox::CreateControl(kind, *site)) {
    if (control) {
      control->InitProperties();
      control->Resize();
    }
  }
  void Type(char16_t c) {
    auto& field = site->Field();
    field.KeyDown(static_cast<int16_t>(c), 0);
    field.KeyPress(static_cast<int16_t>(c));
    field.KeyUp(static_cast<int16_t>(c), 0);
  }
};

// Types a nine-digit number, clears it, and again.
void BM_TypeNumber(benchmark::State& state, const char* kind) {
  Box box(kind);
  if (!box.control) {
    state.SkipWithError("kind not built");
    return;
  }
  const std::u16string digits = u"123456789";
  for (auto _ : state) {
    box.site->Field().SetText(u"");
    for (char16_t c : digits)
      box.Type(c);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(digits.size()));
}
BENCHMARK_CAPTURE(BM_TypeNumber, long, "long");
BENCHMARK_CAPTURE(BM_TypeNumber, real, "real");

void BM_TypeDate(benchmark::State& state) {
  Box box("date");
  if (!box.control) {
    state.SkipWithError("kind not built");
    return;
  }
  const std::u16string keys = u"12/31/1999";
  for (auto _ : state) {
    box.site->Field().SetText(u"//");
    for (char16_t c : keys)
      box.Type(c);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_TypeDate);

void BM_TypeMask(benchmark::State& state) {
  Box box("mask");
  if (!box.control) {
    state.SkipWithError("kind not built");
    return;
  }
  box.control->SetProperty("Mask", std::u16string(u"(###) ###-####"));
  const std::u16string keys = u"5551234567";
  for (auto _ : state) {
    box.control->SetProperty("Text", std::u16string());
    for (char16_t c : keys)
      box.Type(c);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_TypeMask);

}  // namespace
