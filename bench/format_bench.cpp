// Display formatters against the bare formatted print a host would otherwise call, over the
// same seeded values: magnitudes 1e-6 to 1e15, both signs, and the missing-value marker.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "CMathOperation.h"
#include "bench_inputs.h"

namespace {

// Room for any text below: the six-decimal text of 1e15 has 23 characters.
constexpr int kTextBytes = 64;

const std::vector<double>& Values() {
  static const std::vector<double> values = bench::DisplayValues();
  return values;
}

// Runs `format(text, value)` once per iteration over the value pool.
template <class Format>
void OverValues(benchmark::State& state, Format format) {
  const std::vector<double>& values = Values();
  char text[kTextBytes] = {};
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(format(text, values[next & bench::kValuePoolMask]));
    benchmark::ClobberMemory();
    ++next;
  }
  state.SetItemsProcessed(state.iterations());
}

// --- Baselines: a bare formatted print of the same value.

void PrintFixed(benchmark::State& state) {
  OverValues(state,
             [](char* text, double value) { return std::snprintf(text, kTextBytes, "%f", value); });
}

void PrintScientific(benchmark::State& state) {
  OverValues(state, [](char* text, double value) {
    return std::snprintf(text, kTextBytes, "%.3E", value);
  });
}

void PrintWhole(benchmark::State& state) {
  OverValues(state, [](char* text, double value) {
    return std::snprintf(text, kTextBytes, "%.0f", value);
  });
}

// --- Members, with the arguments a value display typically passes.

void EngString(benchmark::State& state) {
  CMathOperation math;
  char unit[] = "kW";
  OverValues(state, [&](char* text, double value) {
    return math.DoubleToEngString(text, value, unit, 4, 32, 1);  // 4 digits, Auto scale
  });
}

void SimpleString(benchmark::State& state) {
  CMathOperation math;
  char separator[] = ",";
  OverValues(state, [&](char* text, double value) {
    return math.DoubleToSimpleString(text, value, 0, 2, 0, separator, kTextBytes);
  });
}

void SevenSegEngineering(benchmark::State& state) {
  CMathOperation math;
  OverValues(state, [&](char*, double value) { return math.NumberTo4SevenSeg(value, 0); });
}

void SevenSegPlain(benchmark::State& state) {
  CMathOperation math;
  OverValues(state, [&](char*, double value) { return math.NumberTo4SevenSeg(value, 0x0200); });
}

void Scientific(benchmark::State& state) {
  CMathOperation math;
  OverValues(state, [&](char* text, double value) {
    math.SientificFormat(text, value, 3, 32);
    return text[0];
  });
}

void Price(benchmark::State& state) {
  CMathOperation math;
  OverValues(state, [&](char* text, double value) {
    math.PriceToString(text, value, 32, 0, ',');
    return text[0];
  });
}

}  // namespace

BENCHMARK(EngString)->Name("DoubleToEngString/Auto 4 digits");
BENCHMARK(PrintFixed)->Name("DoubleToEngString/Auto 4 digits~snprintf %f");
BENCHMARK(SimpleString)->Name("DoubleToSimpleString/2 decimals grouped");
BENCHMARK(PrintFixed)->Name("DoubleToSimpleString/2 decimals grouped~snprintf %f");
BENCHMARK(SevenSegEngineering)->Name("NumberTo4SevenSeg/engineering");
BENCHMARK(PrintFixed)->Name("NumberTo4SevenSeg/engineering~snprintf %f");
BENCHMARK(SevenSegPlain)->Name("NumberTo4SevenSeg/four decimals");
BENCHMARK(PrintFixed)->Name("NumberTo4SevenSeg/four decimals~snprintf %f");
BENCHMARK(Scientific)->Name("SientificFormat/3 decimals");
BENCHMARK(PrintScientific)->Name("SientificFormat/3 decimals~snprintf %.3E");
BENCHMARK(Price)->Name("PriceToString/grouped");
BENCHMARK(PrintWhole)->Name("PriceToString/grouped~snprintf %.0f");
