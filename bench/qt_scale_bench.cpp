// Scale on Qt: a form file of 10,000 controls loaded into widgets and saved from them, and
// the memory of one of our widgets beside a plain QLineEdit. Run offscreen:
//   QT_QPA_PLATFORM=offscreen entrybox_qt_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QLineEdit>
#include <memory>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/qt/QtControls.h"
#if ENTRYBOX_BENCH_FORMS
#include "entrybox/forms/FormFile.h"
#endif

namespace {

size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// The heap one widget takes (not shown), over state.range(0) widgets made by `make`.
template <typename Make>
void MeasureWidgets(benchmark::State& state, Make make) {
  const auto count = static_cast<size_t>(state.range(0));
  double perWidget = 0;
  for (auto _ : state) {
    QWidget parent;
    const size_t before = HeapInUse();
    for (size_t i = 0; i < count; ++i)
      make(&parent);
    perWidget = static_cast<double>(HeapInUse() - before) / static_cast<double>(count);
  }
  state.counters["bytes_per_widget"] = perWidget;
}

void BM_QtMemory_QLineEdit(benchmark::State& state) {
  MeasureWidgets(state, [](QWidget* parent) { new QLineEdit(parent); });
}
void BM_QtMemory_QtLong(benchmark::State& state) {
  MeasureWidgets(state, [](QWidget* parent) { new entrybox::QtLong(parent); });
}
void BM_QtMemory_QtReal(benchmark::State& state) {
  MeasureWidgets(state, [](QWidget* parent) { new entrybox::QtReal(parent); });
}
void BM_QtMemory_QtDate(benchmark::State& state) {
  MeasureWidgets(state, [](QWidget* parent) { new entrybox::QtDate(parent); });
}
void BM_QtMemory_QtMask(benchmark::State& state) {
  MeasureWidgets(state, [](QWidget* parent) { new entrybox::QtMask(parent); });
}
BENCHMARK(BM_QtMemory_QLineEdit)->Arg(1000)->Iterations(3);
BENCHMARK(BM_QtMemory_QtLong)->Arg(1000)->Iterations(3);
BENCHMARK(BM_QtMemory_QtReal)->Arg(1000)->Iterations(3);
BENCHMARK(BM_QtMemory_QtDate)->Arg(1000)->Iterations(3);
BENCHMARK(BM_QtMemory_QtMask)->Arg(1000)->Iterations(3);

#if ENTRYBOX_BENCH_FORMS
constexpr size_t kFormControls = 10'000;
const char* const kKinds[] = {"long", "real", "date", "mask"};

// A form of kFormControls controls, the four kinds in turn, as its file's text.
const std::string& FormText() {
  static const std::string text = [] {
    std::vector<entrybox::PropertyPairs> bags;
    for (const char* kind : kKinds) {
      entrybox::QtInputControl widget(kind);
      widget.InitProperties();
      entrybox::MemoryPropertyBag bag;
      widget.WriteProperties(bag);
      bags.push_back(bag.Pairs());
    }
    entrybox::FormModel form;
    for (size_t i = 0; i < kFormControls; ++i) {
      form.Controls.push_back(entrybox::FormControl{
          kKinds[i % 4], "c" + std::to_string(i),
          entrybox::ControlGeometry{0, static_cast<double>(i) * 300, 2000, 300}, bags[i % 4]});
    }
    return entrybox::FormToText(form);
  }();
  return text;
}

// The widgets of a loaded form, children of one form widget that is not shown.
std::unique_ptr<QWidget> LoadWidgets(const entrybox::FormModel& form,
                                     std::vector<entrybox::QtInputControl*>& widgets) {
  auto parent = std::make_unique<QWidget>();
  widgets.clear();
  widgets.reserve(form.Controls.size());
  for (const entrybox::FormControl& saved : form.Controls) {
    auto* widget = new entrybox::QtInputControl(saved.Kind, parent.get());
    widget->ReadProperties(entrybox::MemoryPropertyBag(saved.Properties));
    widgets.push_back(widget);
  }
  return parent;
}

void BM_QtFormLoad10000(benchmark::State& state) {
  const std::string& text = FormText();
  std::vector<entrybox::QtInputControl*> widgets;
  for (auto _ : state) {
    auto parent = LoadWidgets(entrybox::FormFromText(text), widgets);
    state.PauseTiming();
    parent.reset();  // destruction is not loading
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFormControls));
}
BENCHMARK(BM_QtFormLoad10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QtFormSave10000(benchmark::State& state) {
  const entrybox::FormModel loaded = entrybox::FormFromText(FormText());
  std::vector<entrybox::QtInputControl*> widgets;
  auto parent = LoadWidgets(loaded, widgets);
  for (auto _ : state) {
    entrybox::FormModel form;
    form.Controls.reserve(widgets.size());
    for (size_t i = 0; i < widgets.size(); ++i) {
      entrybox::MemoryPropertyBag bag;
      widgets[i]->WriteProperties(bag);
      form.Controls.push_back(entrybox::FormControl{loaded.Controls[i].Kind,
                                                    loaded.Controls[i].Name,
                                                    loaded.Controls[i].Geometry, bag.Pairs()});
    }
    benchmark::DoNotOptimize(entrybox::FormToText(form));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFormControls));
}
BENCHMARK(BM_QtFormSave10000)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
