// Writes a dated log of N series sampled every second for D days, as plant historians export
// it ("Time,Series 0,...", ISO date-times from 2025-01-01T00:00:00, four decimals), to standard
// output: for the speed and memory measurements of bench/tool-speed, never committed.
//   make_log 2 32 > two-days.csv
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_log DAYS SERIES\n");
    return 2;
  }
  const long days = std::atol(argv[1]);
  const int series = std::atoi(argv[2]);
  static char buffer[1 << 20];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  std::printf("Time");
  for (int s = 0; s < series; ++s)
    std::printf(",Series %d", s);
  std::printf("\n");
  static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int month = 0, day = 1;
  std::string line;
  for (long d = 0; d < days; ++d) {
    for (long second = 0; second < 86400; ++second) {
      line.resize(0);
      char head[32];
      std::snprintf(head, sizeof head, "%04d-%02d-%02dT%02ld:%02ld:%02ld", 2025 + static_cast<int>(d / 365),
                    month + 1, day, second / 3600, second / 60 % 60, second % 60);
      line += head;
      const long t = d * 86400 + second;
      for (int s = 0; s < series; ++s) {
        char value[24];
        std::snprintf(value, sizeof value, ",%.4f", s + 10 * std::sin(t / 3600.0 + s));
        line += value;
      }
      line += '\n';
      std::fwrite(line.data(), 1, line.size(), stdout);
    }
    if (++day > kMonthDays[month]) {
      day = 1;
      month = (month + 1) % 12;
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
