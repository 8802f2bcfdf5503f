// Statistics over sample arrays, and time windows over a day of sample series.
//
// CalculateMinMaxAvrSD runs beside the plain minimum/maximum/sum loop a host would write.
// FilterValueArray has no such twin; its "baseline" is itself on half the samples, so the
// ratio bench/compare prints is how its time grows when the sample count doubles. A plain
// read of the same arrays, doubled the same way, shows how much of that growth is the
// machine's caches.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "bench_inputs.h"

namespace {

constexpr long kSecondsPerDay = CORVIXMATH_SECONDS_PER_DAY;
constexpr long kMaxSeries = 32;

// --- Summary of one array.

const std::vector<double>& SampleArray(std::size_t count) {
  static std::map<std::size_t, std::vector<double>> arrays;
  auto found = arrays.find(count);
  if (found == arrays.end()) found = arrays.emplace(count, bench::Samples(count, count)).first;
  return found->second;
}

void Summary(benchmark::State& state, std::size_t count) {
  const std::vector<double>& samples = SampleArray(count);
  CMathOperation math;
  double minimum = 0, maximum = 0, average = 0, spread = 0;
  for (auto _ : state) {
    math.CalculateMinMaxAvrSD(const_cast<double*>(samples.data()),
                              static_cast<long>(samples.size()), &minimum, &maximum, &average,
                              &spread);
    benchmark::DoNotOptimize(spread);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

void PlainSummary(benchmark::State& state, std::size_t count) {
  const std::vector<double>& samples = SampleArray(count);
  for (auto _ : state) {
    const double* values = samples.data();
    benchmark::DoNotOptimize(values);
    double minimum = values[0], maximum = values[0], sum = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      if (values[i] < minimum) minimum = values[i];
      if (values[i] > maximum) maximum = values[i];
      sum += values[i];
    }
    benchmark::DoNotOptimize(minimum);
    benchmark::DoNotOptimize(maximum);
    benchmark::DoNotOptimize(sum / static_cast<double>(samples.size()));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

// --- Windows over a day of series: every series samples the whole day evenly, one or two
// samples a second.

struct Day {
  std::vector<std::vector<double>> values;
  std::vector<std::vector<long>> times;
  std::vector<double*> valuePointers;
  std::vector<long*> timePointers;
  std::vector<long> counts;
};

const Day& SeriesOfADay(long samplesPerSeries) {
  static std::map<long, Day> days;
  auto found = days.find(samplesPerSeries);
  if (found != days.end()) return found->second;
  Day& day = days[samplesPerSeries];
  for (long s = 0; s < kMaxSeries; ++s) {
    day.values.push_back(bench::Samples(static_cast<std::size_t>(samplesPerSeries),
                                        static_cast<std::uint64_t>(s + 1)));
    std::vector<long> times(static_cast<std::size_t>(samplesPerSeries));
    for (long i = 0; i < samplesPerSeries; ++i)
      times[static_cast<std::size_t>(i)] = i * kSecondsPerDay / samplesPerSeries;
    day.times.push_back(std::move(times));
  }
  for (long s = 0; s < kMaxSeries; ++s) {
    day.valuePointers.push_back(day.values[static_cast<std::size_t>(s)].data());
    day.timePointers.push_back(day.times[static_cast<std::size_t>(s)].data());
    day.counts.push_back(samplesPerSeries);
  }
  return day;
}

void Windows(benchmark::State& state, long series, long samples, long width, long step) {
  const Day& day = SeriesOfADay(samples);
  std::vector<double*> values = day.valuePointers;
  std::vector<long*> times = day.timePointers;
  std::vector<long> counts = day.counts;
  const std::size_t entries = static_cast<std::size_t>(kSecondsPerDay / step + 2);
  std::vector<double> minimum(entries), maximum(entries), mean(entries);
  std::vector<long> centres(entries);
  CMathOperation math;
  for (auto _ : state) {
    benchmark::DoNotOptimize(math.FilterValueArray(values.data(), times.data(), series,
                                                   counts.data(), minimum.data(), maximum.data(),
                                                   mean.data(), centres.data(), width, step, 0));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * series * samples);
}

// The machine's own part in the doubling: one plain pass over the same arrays (every value
// and time of every series), at both sample counts. Where this pass grows by more than 2 x,
// the larger day has outgrown a cache, whatever the algorithm.
void ReadOnce(benchmark::State& state, long series, long samples) {
  const Day& day = SeriesOfADay(samples);
  for (auto _ : state) {
    double values = 0.0;
    long times = 0;
    for (long s = 0; s < series; ++s) {
      const double* value = day.valuePointers[static_cast<std::size_t>(s)];
      const long* time = day.timePointers[static_cast<std::size_t>(s)];
      for (long i = 0; i < samples; ++i) {
        values += value[i];
        times += time[i];
      }
    }
    benchmark::DoNotOptimize(values);
    benchmark::DoNotOptimize(times);
  }
  state.SetItemsProcessed(state.iterations() * series * samples);
}

const bool kRegistered = [] {
  for (long count : {1000L, 1000000L}) {
    const std::string size = count == 1000 ? "1e3" : "1e6";
    const std::size_t n = static_cast<std::size_t>(count);
    benchmark::RegisterBenchmark(("CalculateMinMaxAvrSD/" + size).c_str(), Summary, n);
    benchmark::RegisterBenchmark(
        ("CalculateMinMaxAvrSD/" + size + "~plain min max sum loop").c_str(), PlainSummary, n);
  }
  struct Windowing {
    long width;
    long step;
    const char* name;
  };
  for (const Windowing& w : {Windowing{60, 60, "W=S=60"}, Windowing{3600, 60, "W=3600 S=60"}}) {
    for (long series : {1L, 8L, 32L}) {
      const std::string name = "FilterValueArray/" + std::to_string(series) + " series/" + w.name +
                               "/" + std::to_string(2 * kSecondsPerDay) + " samples";
      benchmark::RegisterBenchmark(name.c_str(), Windows, series, 2 * kSecondsPerDay, w.width,
                                   w.step);
      benchmark::RegisterBenchmark(
          (name + "~" + std::to_string(kSecondsPerDay) + " samples").c_str(), Windows, series,
          kSecondsPerDay, w.width, w.step);
    }
  }
  const std::string read =
      "Reading 32 series once/" + std::to_string(2 * kSecondsPerDay) + " samples";
  benchmark::RegisterBenchmark(read.c_str(), ReadOnce, kMaxSeries, 2 * kSecondsPerDay);
  benchmark::RegisterBenchmark((read + "~" + std::to_string(kSecondsPerDay) + " samples").c_str(),
                               ReadOnce, kMaxSeries, kSecondsPerDay);
  return true;
}();

}  // namespace
