// Speed of the value operations every keystroke runs several times.
#include <benchmark/benchmark.h>

#include "entrybox/values/Number.h"

namespace {

void BM_ToNumber(benchmark::State& state) {
  const std::u16string text = u" -1,234,567.891e2 ";
  for (auto _ : state)
    benchmark::DoNotOptimize(entrybox::ToNumber(text));
}
BENCHMARK(BM_ToNumber);

void BM_FormatGrouped(benchmark::State& state) {
  const std::u16string pattern = u"###,###,###,###,###,##0.00";
  double value = 1234567.891;
  for (auto _ : state) {
    benchmark::DoNotOptimize(entrybox::FormatPattern(value, pattern));
    value += 1;
  }
}
BENCHMARK(BM_FormatGrouped);

void BM_NumberToText(benchmark::State& state) {
  double value = 0.1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(entrybox::NumberToText(value));
    value *= 1.5;
    if (value > 1e300) value = 0.1;
  }
}
BENCHMARK(BM_NumberToText);

}  // namespace
