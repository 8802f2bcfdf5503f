// The native side of bench/js-speed: the same calls as js_speed.mjs through the C interface,
// timed the same way, so the two columns compare the cost of the JavaScript package's layer
// and WebAssembly with the library as a host calls it.
//
//   capi_speed        (prints "name nanoseconds-per-call" lines)
#include <corvixmath/CorvixLimits.h>
#include <corvixmath/corvixmath.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSeries = 32;
constexpr int64_t kDay = CORVIXMATH_SECONDS_PER_DAY;

template <class Work>
double NanosecondsPerCall(int calls, Work work) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i)
    work(i);
  const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / calls;
}

// A day of samples at 1 s for each series, the values the JavaScript side makes too.
void MakeDay(std::vector<std::vector<int64_t>>& times, std::vector<std::vector<double>>& values) {
  times.assign(kSeries, std::vector<int64_t>(kDay));
  values.assign(kSeries, std::vector<double>(kDay));
  for (int s = 0; s < kSeries; ++s)
    for (int64_t t = 0; t < kDay; ++t) {
      times[s][t] = t;
      values[s][t] = std::sin(static_cast<double>(t) / 1000.0 + s) * 100.0;
    }
}

}  // namespace

int main() {
  char text[CORVIXMATH_FORMAT_UNITS];
  char message[CORVIXMATH_MESSAGE_BYTES];
  volatile int32_t sink = 0;
  const double eng = NanosecondsPerCall(1000000, [&](int i) {
    sink = sink +
           cm_double_to_eng_string(text, 12345.678 + i, "W", 4, sizeof text, CORVIXMATH_SCALE_AUTO);
  });
  const double expression = NanosecondsPerCall(500000, [&](int) {
    sink = sink + cm_verify_reg_exp_string("a+b*(c-2)/4", message, "#a#b#c#");
  });
  std::vector<std::vector<int64_t>> times;
  std::vector<std::vector<double>> values;
  MakeDay(times, values);
  std::vector<cm_window> windows(64);
  const double day = NanosecondsPerCall(5, [&](int) {
    cm_reducer* reducer = nullptr;
    if (cm_reducer_create(3600, 3600, kSeries, 0, &reducer) != CORVIXMATH_REDUCER_OK) return;
    for (int s = 0; s < kSeries; ++s)
      cm_reducer_push(reducer, s, times[s].data(), values[s].data(), static_cast<int32_t>(kDay));
    cm_reducer_finish(reducer);
    sink = sink + cm_reducer_take(reducer, windows.data(), nullptr, 64);
    cm_reducer_destroy(reducer);
  });
  std::printf("eng %.1f\ncheckExpression %.1f\nwindows %.1f\n", eng, expression, day);
  return sink == -1 ? 1 : 0;
}
