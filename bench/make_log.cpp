// Writes a dated log of N series sampled every second for D days, as plant historians export
// it ("Time,Series 0,...", ISO date-times from 2025-01-01T00:00:00, values with four decimals),
// to standard output: the long logs of bench/tool-speed, made faster than the tool reads them
// and never committed.
//   make_log 2 32 > two-days.csv
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Writes the decimal digits of `value` (at least `width` of them) before `end`; returns the
// new start.
char* Digits(char* end, std::uint64_t value, int width) {
  for (int written = 0; value != 0 || written < width; ++written) {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return end;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_log DAYS SERIES\n");
    return 2;
  }
  const long days = std::atol(argv[1]);
  const int series = std::atoi(argv[2]);
  std::vector<char> out(1 << 22);
  std::size_t used = 0;
  bool failed = false;
  const auto flush = [&] {
    failed = failed || std::fwrite(out.data(), 1, used, stdout) != used;
    used = 0;
  };
  const auto put = [&](const char* text, std::size_t length) {
    std::memcpy(out.data() + used, text, length);
    used += length;
  };
  put("Time", 4);
  for (int s = 0; s < series; ++s) {
    char name[32];
    put(name, static_cast<std::size_t>(std::snprintf(name, sizeof name, ",Series %d", s)));
  }
  put("\n", 1);
  static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int month = 0, day = 1, year = 2025;
  // Each series wanders by small steps around its own level, in ten-thousandths.
  std::vector<std::int64_t> level(static_cast<std::size_t>(series));
  for (int s = 0; s < series; ++s)
    level[static_cast<std::size_t>(s)] = s * 10000;
  std::uint64_t random = 88172645463325252ULL;
  for (long d = 0; d < days && !failed; ++d) {
    for (int second = 0; second < 86400; ++second) {
      if (used + 64 + 16 * static_cast<std::size_t>(series) > out.size()) flush();
      char time[20];
      char* end = time + sizeof time;
      end = Digits(end, static_cast<std::uint64_t>(second % 60), 2);
      *--end = ':';
      end = Digits(end, static_cast<std::uint64_t>(second / 60 % 60), 2);
      *--end = ':';
      end = Digits(end, static_cast<std::uint64_t>(second / 3600), 2);
      *--end = 'T';
      end = Digits(end, static_cast<std::uint64_t>(day), 2);
      *--end = '-';
      end = Digits(end, static_cast<std::uint64_t>(month + 1), 2);
      *--end = '-';
      end = Digits(end, static_cast<std::uint64_t>(year), 4);
      put(end, static_cast<std::size_t>(time + sizeof time - end));
      for (int s = 0; s < series; ++s) {
        random ^= random << 13;
        random ^= random >> 7;
        random ^= random << 17;
        std::int64_t& value = level[static_cast<std::size_t>(s)];
        value += static_cast<std::int64_t>(random % 201) - 100;
        if (value > 999999 || value < -999999) value /= 2;
        char text[24];
        char* at = text + sizeof text;
        const std::uint64_t magnitude = static_cast<std::uint64_t>(value < 0 ? -value : value);
        at = Digits(at, magnitude % 10000, 4);
        *--at = '.';
        at = Digits(at, magnitude / 10000, 1);
        if (value < 0) *--at = '-';
        *--at = ',';
        put(at, static_cast<std::size_t>(text + sizeof text - at));
      }
      put("\n", 1);
    }
    if (++day > kMonthDays[month]) {
      day = 1;
      if (++month == 12) {
        month = 0;
        ++year;
      }
    }
  }
  flush();
  return failed || std::fflush(stdout) != 0 ? 1 : 0;
}
