// A day of samples from two meters reduced for a trend display: the day's statistics of each
// meter, then one point per two-hour window with the minimum, maximum and mean of the
// meters' window averages.
#include <cstdio>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

constexpr long kSamples = 144;  // one sample every 10 minutes
constexpr long kWindow = 7200;  // two hours, centred on 00:00, 02:00, ... 24:00
constexpr long kWindows = CORVIXMATH_SECONDS_PER_DAY / kWindow + 1;

// Numbers through the library's own formatter, so the text is the same on every platform.
const char* Decimals(CMathOperation& math, double value, char* text, long size) {
  if (math.DoubleToSimpleString(text, value, 0, 2, 0, nullptr, size) != 1) return "?";
  return text;
}

}  // namespace

int main() {
  CMathOperation math;
  // Meter 1: a load that rises through the morning and falls in the evening. Meter 2 reports
  // every 10 minutes but was off between 06:00 and 10:00.
  double load[kSamples];
  long loadTimes[kSamples];
  double feed[kSamples];
  long feedTimes[kSamples];
  long feedCount = 0;
  for (long i = 0; i < kSamples; ++i) {
    long time = i * 600;
    long hour = time / 3600;
    loadTimes[i] = time;
    load[i] = 40.0 + (hour < 12 ? hour : 24 - hour) * 2.5 + (i % 3) * 0.25;
    if (hour < 6 || hour >= 10) {
      feedTimes[feedCount] = time;
      feed[feedCount] = 55.0 - (i % 6) * 0.5;
      ++feedCount;
    }
  }

  char a[32], b[32], c[32], d[32];
  double minimum, maximum, average, spread;
  math.CalculateMinMaxAvrSD(load, kSamples, &minimum, &maximum, &average, &spread);
  std::printf("meter 1: %ld samples, min %s, max %s, average %s, spread %s\n", kSamples,
              Decimals(math, minimum, a, 32), Decimals(math, maximum, b, 32),
              Decimals(math, average, c, 32), Decimals(math, spread, d, 32));
  math.CalculateMinMaxAvrSD(feed, feedCount, &minimum, &maximum, &average, &spread);
  std::printf("meter 2: %ld samples, min %s, max %s, average %s, spread %s\n", feedCount,
              Decimals(math, minimum, a, 32), Decimals(math, maximum, b, 32),
              Decimals(math, average, c, 32), Decimals(math, spread, d, 32));

  double* values[] = {load, feed};
  long* times[] = {loadTimes, feedTimes};
  long counts[] = {kSamples, feedCount};
  double low[kWindows], high[kWindows], mean[kWindows];
  long centres[kWindows];
  long windows = math.FilterValueArray(values, times, 2, counts, low, high, mean, centres, kWindow,
                                       kWindow, 0);
  std::printf("%ld two-hour windows:\n", windows);
  std::printf("  centre   minimum  maximum  mean\n");
  for (long i = 0; i < windows; ++i)
    std::printf("  %02ld:%02ld    %-8s %-8s %s\n", centres[i] / 3600, centres[i] % 3600 / 60,
                Decimals(math, low[i], a, 32), Decimals(math, high[i], b, 32),
                Decimals(math, mean[i], c, 32));
  return 0;
}
