// Scale on the headless platform: one control's bag written and read, a form file of
// 10,000 controls loaded and saved, and the memory a control takes.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"
#if ENTRYBOX_BENCH_FORMS
#include "entrybox/forms/FormFile.h"
#endif

namespace {

const char* const kKinds[] = {"long", "real", "date", "mask"};

// A control with its site, as a container keeps it.
struct Hosted {
  std::unique_ptr<entrybox::HeadlessSite> site;
  std::unique_ptr<entrybox::InputControl> control;
};

Hosted Make(entrybox::HeadlessContainer& container, entrybox::ControlEvents& host,
            const std::string& kind) {
  Hosted h;
  h.site = container.NewSite(host);
  h.control = entrybox::CreateControl(kind, *h.site);
  return h;
}

// The bag of a new control of `kind`, with a text so that something is stored.
entrybox::MemoryPropertyBag SampleBag(const std::string& kind) {
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  Hosted h = Make(container, host, kind);
  h.control->InitProperties();
  if (kind == "mask") h.control->SetProperty("Mask", std::u16string(u"(###) ###-####"));
  entrybox::MemoryPropertyBag bag;
  h.control->WriteProperties(bag);
  return bag;
}

void BM_SaveBag(benchmark::State& state, const char* kind) {
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  Hosted h = Make(container, host, kind);
  h.control->InitProperties();
  for (auto _ : state) {
    entrybox::MemoryPropertyBag bag;
    h.control->WriteProperties(bag);
    benchmark::DoNotOptimize(bag);
  }
}

void BM_LoadBag(benchmark::State& state, const char* kind) {
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  Hosted h = Make(container, host, kind);
  const entrybox::MemoryPropertyBag bag = SampleBag(kind);
  for (auto _ : state)
    h.control->ReadProperties(bag);
}

#define ENTRYBOX_PER_KIND(fn)          \
  BENCHMARK_CAPTURE(fn, long, "long"); \
  BENCHMARK_CAPTURE(fn, real, "real"); \
  BENCHMARK_CAPTURE(fn, date, "date"); \
  BENCHMARK_CAPTURE(fn, mask, "mask")
ENTRYBOX_PER_KIND(BM_SaveBag);
ENTRYBOX_PER_KIND(BM_LoadBag);

// Bytes in use on the heap (glibc's count), for memory per control.
size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// The heap a control takes with its site, over state.range(0) controls of each kind.
void BM_MemoryPerControl(benchmark::State& state, const char* kind) {
  const auto count = static_cast<size_t>(state.range(0));
  double perControl = 0;
  for (auto _ : state) {
    entrybox::HeadlessContainer container;
    entrybox::ControlEvents host;
    std::vector<Hosted> controls;
    controls.reserve(count);
    const size_t before = HeapInUse();
    for (size_t i = 0; i < count; ++i) {
      controls.push_back(Make(container, host, kind));
      controls.back().control->InitProperties();
    }
    perControl = static_cast<double>(HeapInUse() - before) / static_cast<double>(count);
  }
  state.counters["bytes_per_control"] = perControl;
}
BENCHMARK_CAPTURE(BM_MemoryPerControl, long, "long")->Arg(1000)->Iterations(3);
BENCHMARK_CAPTURE(BM_MemoryPerControl, real, "real")->Arg(1000)->Iterations(3);
BENCHMARK_CAPTURE(BM_MemoryPerControl, date, "date")->Arg(1000)->Iterations(3);
BENCHMARK_CAPTURE(BM_MemoryPerControl, mask, "mask")->Arg(1000)->Iterations(3);

#if ENTRYBOX_BENCH_FORMS
constexpr size_t kFormControls = 10'000;

// The text of a form of kFormControls controls, the four kinds in turn.
const std::string& FormText() {
  static const std::string text = [] {
    entrybox::FormModel form;
    std::vector<entrybox::PropertyPairs> bags;
    for (const char* kind : kKinds)
      bags.push_back(SampleBag(kind).Pairs());
    for (size_t i = 0; i < kFormControls; ++i) {
      form.Controls.push_back(entrybox::FormControl{
          kKinds[i % 4], "c" + std::to_string(i),
          entrybox::ControlGeometry{0, static_cast<double>(i) * 300, 2000, 300}, bags[i % 4]});
    }
    return entrybox::FormToText(form);
  }();
  return text;
}

// Text to controls: the file parsed, each control made and loaded from its bag.
void BM_FormLoad10000(benchmark::State& state) {
  const std::string& text = FormText();
  for (auto _ : state) {
    const entrybox::FormModel form = entrybox::FormFromText(text);
    entrybox::HeadlessContainer container;
    entrybox::ControlEvents host;
    std::vector<Hosted> controls;
    controls.reserve(form.Controls.size());
    for (const entrybox::FormControl& saved : form.Controls) {
      controls.push_back(Make(container, host, saved.Kind));
      controls.back().control->ReadProperties(entrybox::MemoryPropertyBag(saved.Properties));
    }
    benchmark::DoNotOptimize(controls.data());
  }
  state.counters["file_bytes"] = static_cast<double>(text.size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFormControls));
}
BENCHMARK(BM_FormLoad10000)->Unit(benchmark::kMillisecond);

// Controls to text: each control's bag written, the form turned into its file's text.
void BM_FormSave10000(benchmark::State& state) {
  const entrybox::FormModel loaded = entrybox::FormFromText(FormText());
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  std::vector<Hosted> controls;
  for (const entrybox::FormControl& saved : loaded.Controls) {
    controls.push_back(Make(container, host, saved.Kind));
    controls.back().control->ReadProperties(entrybox::MemoryPropertyBag(saved.Properties));
  }
  for (auto _ : state) {
    entrybox::FormModel form;
    form.Controls.reserve(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
      entrybox::MemoryPropertyBag bag;
      controls[i].control->WriteProperties(bag);
      form.Controls.push_back(entrybox::FormControl{loaded.Controls[i].Kind,
                                                    loaded.Controls[i].Name,
                                                    loaded.Controls[i].Geometry, bag.Pairs()});
    }
    benchmark::DoNotOptimize(entrybox::FormToText(form));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFormControls));
}
BENCHMARK(BM_FormSave10000)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
