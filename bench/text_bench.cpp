// Search, trimming and extraction against the runtime scan or copy a host would otherwise
// write, on texts of 16 and 256 units and of the longest length each member looks at.
//
// Searches put what they look for at the end of the part of the text the member examines, so
// the member and its baseline give the same position after the same scan: 2047 units for a
// unit, 1023 for a run of units. Trimming refuses a source longer than 1024 units, so its
// longest text is 1023 units; ExtractRightSide takes a 2047-unit text and looks at its first
// 1023.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "bench_inputs.h"

namespace {

constexpr std::size_t kSearchLengths[] = {16, 256, 2047};
constexpr std::size_t kTrimLengths[] = {16, 256, 1023};
constexpr std::size_t kLongestUnitSearch = 2047;
constexpr std::size_t kLongestRunSearch = 1023;
constexpr std::size_t kTrimRun = 4;

constexpr char kSought = '#';
const std::string kRun = "Level";

std::string Name(const char* family, const char* flavour, std::size_t length,
                 const char* baseline = nullptr) {
  std::string name = std::string(family) + "/" + flavour + "/" + std::to_string(length);
  if (baseline != nullptr) name += std::string("~") + baseline;
  return name;
}

// --- Searching for one unit, placed last.

template <class Unit>
std::vector<Unit> UnitSearchText(std::size_t length) {
  std::string text = bench::SeededText(length, length, std::string(1, kSought));
  text[(length < kLongestUnitSearch ? length : kLongestUnitSearch) - 1] = kSought;
  return bench::Terminated<Unit>(text);
}

template <class Unit>
long PlainFind(const Unit* text, Unit unit) {
  for (long i = 0; text[i] != Unit(0); ++i)
    if (text[i] == unit) return i;
  return -1;
}

void RegisterUnitSearch(std::size_t length) {
  benchmark::RegisterBenchmark(
      Name("FindCharposInString", "narrow", length).c_str(), [length](benchmark::State& state) {
        CMathOperation math;
        std::vector<char> text = UnitSearchText<char>(length);
        for (auto _ : state)
          benchmark::DoNotOptimize(math.FindCharposInString(text.data(), kSought));
      });
  benchmark::RegisterBenchmark(Name("FindCharposInString", "narrow", length, "memchr").c_str(),
                               [length](benchmark::State& state) {
                                 std::vector<char> text = UnitSearchText<char>(length);
                                 char* data = text.data();
                                 for (auto _ : state) {
                                   benchmark::DoNotOptimize(data);
                                   benchmark::DoNotOptimize(std::memchr(data, kSought, length));
                                 }
                               });
  benchmark::RegisterBenchmark(
      Name("FindCharposInString", "16-bit", length).c_str(), [length](benchmark::State& state) {
        CMathOperation math;
        std::vector<unsigned short> text = UnitSearchText<unsigned short>(length);
        for (auto _ : state)
          benchmark::DoNotOptimize(math.FindCharposInString(text.data(), kSought));
      });
  benchmark::RegisterBenchmark(
      Name("FindCharposInString", "16-bit", length, "plain loop").c_str(),
      [length](benchmark::State& state) {
        std::vector<unsigned short> text = UnitSearchText<unsigned short>(length);
        unsigned short* data = text.data();
        for (auto _ : state) {
          benchmark::DoNotOptimize(data);
          benchmark::DoNotOptimize(PlainFind<unsigned short>(data, kSought));
        }
      });
}

// --- Searching for a run of units, placed last within the 1023 units examined.

template <class Unit>
std::vector<Unit> RunSearchText(std::size_t length) {
  std::string text = bench::SeededText(length, length + 1, "");
  const std::size_t examined = length < kLongestRunSearch ? length : kLongestRunSearch;
  text.replace(examined - kRun.size(), kRun.size(), kRun);
  return bench::Terminated<Unit>(text);
}

template <class Unit>
long PlainFindRun(const Unit* text, const Unit* run) {
  for (long start = 0; text[start] != Unit(0); ++start) {
    long i = 0;
    while (run[i] != Unit(0) && text[start + i] == run[i])
      ++i;
    if (run[i] == Unit(0)) return start;
  }
  return -1;
}

void RegisterRunSearch(std::size_t length) {
  benchmark::RegisterBenchmark(
      Name("FindSubStringStartPos", "narrow", length).c_str(), [length](benchmark::State& state) {
        CMathOperation math;
        std::vector<char> text = RunSearchText<char>(length);
        std::vector<char> run = bench::Terminated<char>(kRun);
        for (auto _ : state)
          benchmark::DoNotOptimize(math.FindSubStringStartPos(text.data(), run.data()));
      });
  benchmark::RegisterBenchmark(Name("FindSubStringStartPos", "narrow", length, "strstr").c_str(),
                               [length](benchmark::State& state) {
                                 std::vector<char> text = RunSearchText<char>(length);
                                 std::vector<char> run = bench::Terminated<char>(kRun);
                                 char* data = text.data();
                                 for (auto _ : state) {
                                   benchmark::DoNotOptimize(data);
                                   benchmark::DoNotOptimize(std::strstr(data, run.data()));
                                 }
                               });
  // The unit-string search exists only as the wide member.
  benchmark::RegisterBenchmark(
      Name("FindSubStringStartPosW", "wide", length).c_str(), [length](benchmark::State& state) {
        CMathOperation math;
        std::vector<wchar_t> text = RunSearchText<wchar_t>(length);
        std::vector<wchar_t> run = bench::Terminated<wchar_t>(kRun);
        for (auto _ : state)
          benchmark::DoNotOptimize(math.FindSubStringStartPosW(text.data(), run.data()));
      });
  benchmark::RegisterBenchmark(
      Name("FindSubStringStartPosW", "wide", length, "plain loop").c_str(),
      [length](benchmark::State& state) {
        std::vector<wchar_t> text = RunSearchText<wchar_t>(length);
        std::vector<wchar_t> run = bench::Terminated<wchar_t>(kRun);
        wchar_t* data = text.data();
        for (auto _ : state) {
          benchmark::DoNotOptimize(data);
          benchmark::DoNotOptimize(PlainFindRun<wchar_t>(data, run.data()));
        }
      });
}

// --- Trimming and extraction against a copy of the bytes they write.

// Leading blanks or trailing zeros around a payload that holds neither.
template <class Unit>
std::vector<Unit> TrimText(std::size_t length, bool leading) {
  std::string text = bench::SeededText(length - kTrimRun, length + 2, " 0");
  text = leading ? std::string(kTrimRun, ' ') + text : text + std::string(kTrimRun, '0');
  return bench::Terminated<Unit>(text);
}

template <class Unit>
void CopyUnits(Unit* destination, const Unit* source, std::size_t count) {
  std::memcpy(destination, source, count * sizeof(Unit));
  destination[count] = Unit(0);
}

template <class Unit>
void RegisterTrim(const char* flavour, std::size_t length) {
  const unsigned int capacity = static_cast<unsigned int>(length + 1);
  benchmark::RegisterBenchmark(
      Name("TrimLeft", flavour, length).c_str(), [=](benchmark::State& state) {
        CMathOperation math;
        std::vector<Unit> text = TrimText<Unit>(length, true);
        std::vector<Unit> destination(length + 1);
        for (auto _ : state) {
          benchmark::DoNotOptimize(
              math.TrimLeft(text.data(), destination.data(), Unit(' '), capacity));
          benchmark::ClobberMemory();
        }
      });
  benchmark::RegisterBenchmark(
      Name("TrimLeft", flavour, length, "memcpy").c_str(), [=](benchmark::State& state) {
        std::vector<Unit> text = TrimText<Unit>(length, true);
        std::vector<Unit> destination(length + 1);
        for (auto _ : state) {
          CopyUnits(destination.data(), text.data() + kTrimRun, length - kTrimRun);
          benchmark::ClobberMemory();
        }
      });
  benchmark::RegisterBenchmark(
      Name("TrimRight", flavour, length).c_str(), [=](benchmark::State& state) {
        CMathOperation math;
        std::vector<Unit> text = TrimText<Unit>(length, false);
        std::vector<Unit> destination(length + 1);
        for (auto _ : state) {
          benchmark::DoNotOptimize(
              math.TrimRight(text.data(), destination.data(), Unit('0'), capacity));
          benchmark::ClobberMemory();
        }
      });
  benchmark::RegisterBenchmark(Name("TrimRight", flavour, length, "memcpy").c_str(),
                               [=](benchmark::State& state) {
                                 std::vector<Unit> text = TrimText<Unit>(length, false);
                                 std::vector<Unit> destination(length + 1);
                                 for (auto _ : state) {
                                   CopyUnits(destination.data(), text.data(), length - kTrimRun);
                                   benchmark::ClobberMemory();
                                 }
                               });
}

// The last half of the units ExtractRightSide looks at.
template <class Unit>
void RegisterRightSide(const char* flavour, std::size_t length) {
  const std::size_t examined = length < kLongestRunSearch ? length : kLongestRunSearch;
  const std::size_t count = examined / 2;
  benchmark::RegisterBenchmark(
      Name("ExtractRightSide", flavour, length).c_str(), [=](benchmark::State& state) {
        CMathOperation math;
        std::vector<Unit> text = bench::Terminated<Unit>(bench::SeededText(length, length, ""));
        std::vector<Unit> destination(count + 1);
        for (auto _ : state) {
          math.ExtractRightSide(text.data(), destination.data(), static_cast<long>(count));
          benchmark::ClobberMemory();
        }
      });
  benchmark::RegisterBenchmark(
      Name("ExtractRightSide", flavour, length, "memcpy").c_str(), [=](benchmark::State& state) {
        std::vector<Unit> text = bench::Terminated<Unit>(bench::SeededText(length, length, ""));
        std::vector<Unit> destination(count + 1);
        for (auto _ : state) {
          CopyUnits(destination.data(), text.data() + (examined - count), count);
          benchmark::ClobberMemory();
        }
      });
}

const bool kRegistered = [] {
  for (std::size_t length : kSearchLengths)
    RegisterUnitSearch(length);
  for (std::size_t length : kSearchLengths)
    RegisterRunSearch(length);
  for (std::size_t length : kTrimLengths) {
    RegisterTrim<char>("narrow", length);
    RegisterTrim<unsigned short>("16-bit", length);
  }
  for (std::size_t length : kSearchLengths) {
    RegisterRightSide<char>("narrow", length);
    RegisterRightSide<unsigned short>("16-bit", length);
  }
  return true;
}();

}  // namespace
