// The text scans in each block body this build has, side by side: the eight-byte word body
// that serves every platform without vectors, the build's own vector body (SSE2 or NEON), and
// on x86-64 the AVX2 and AVX-512BW bodies the processor runs. Each row is the scanning a member
// does on its longest text; the times are the best of many runs, in nanoseconds a call, and
// the last column is how many times faster than the word body the fastest vector body is.
//
// It needs no benchmark library, so that a cross build runs it under qemu-user; there the
// times are only good as a ratio between the bodies of one run.
#define CORVIXMATH_SCAN_TEST_WORDS 1
#include "frame/internal/scan.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

namespace {

namespace detail = corvix::scan::detail;
using detail::Look;

volatile std::size_t sink;

template <class Call>
double BestNanoseconds(Call call, int repeats) {
  double best = 1e300;
  for (int round = 0; round < repeats; ++round) {
    constexpr int kCalls = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i)
      sink = call();
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    best = std::min(best, spent.count() / kCalls);
  }
  return best;
}

// A text of `length` letters (no terminator inside), terminated, with `ends` at both ends.
template <class Unit>
std::vector<Unit> Text(std::size_t length, Unit ends, std::size_t run) {
  std::vector<Unit> text(length + 64, Unit(0));
  for (std::size_t i = 0; i < length; ++i)
    text[i] = static_cast<Unit>('A' + (i * 7) % 26);
  for (std::size_t i = 0; i < run; ++i) {
    text[i] = ends;
    text[length - 1 - i] = ends;
  }
  return text;
}

enum class Member { kFindChar, kFindRun, kTrimLeft, kTrimRight, kRightSide };

template <class Unit, class ScanIn>
std::size_t RunMember(Member member, const Unit* text, ScanIn scan) {
  switch (member) {
    case Member::kFindChar:  // the unit sought is absent: the scan stops at the bound
      return scan(Look::kUnitOrEnd, text, 2047, Unit('#'), Unit(0));
    case Member::kFindRun: {  // measure, then the pairs of the run's first two units
      const std::size_t length = scan(Look::kUnit, text, 1023, Unit(0), Unit(0));
      return scan(Look::kPair, text, length, Unit('#'), Unit('$'));
    }
    case Member::kTrimLeft: {
      const std::size_t length = scan(Look::kUnit, text, 1025, Unit(0), Unit(0));
      return scan(Look::kOther, text, length, Unit(' '), Unit(0));
    }
    case Member::kTrimRight: {
      const std::size_t length = scan(Look::kUnit, text, 1025, Unit(0), Unit(0));
      return scan(Look::kLastOther, text, length, Unit(' '), Unit(0));
    }
    case Member::kRightSide:
      return scan(Look::kUnit, text, 1023, Unit(0), Unit(0));
  }
  return 0;
}

struct MemberRow {
  Member member;
  const char* name;
  std::size_t textLength;
};

const MemberRow kRows[] = {
    {Member::kFindChar, "FindCharposInString 2047", 2047},
    {Member::kFindRun, "FindSubStringStartPos 2047", 2047},
    {Member::kTrimLeft, "TrimLeft 1023", 1023},
    {Member::kTrimRight, "TrimRight 1023", 1023},
    {Member::kRightSide, "ExtractRightSide 2047", 2047},
};

template <class Body>
struct InBody {
  template <class Unit>
  std::size_t operator()(Look look, const Unit* text, std::size_t limit, Unit unit,
                         Unit second) const {
    return detail::ScanInBlocks<Body>(look, text, limit, unit, second);
  }
};

#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
template <int kLevel>
struct InWideBody {
  template <class Unit>
  std::size_t operator()(Look look, const Unit* text, std::size_t limit, Unit unit,
                         Unit second) const {
    using Same = typename std::conditional<sizeof(Unit) == 1, std::uint8_t, std::uint16_t>::type;
    const Same* same = reinterpret_cast<const Same*>(text);
    return kLevel == 2 ? detail::Avx512Scan(look, same, limit, static_cast<Same>(unit),
                                            static_cast<Same>(second))
                       : detail::Avx2Scan(look, same, limit, static_cast<Same>(unit),
                                          static_cast<Same>(second));
  }
};
#endif

template <class Unit>
void Table(const char* flavour, int repeats) {
  std::vector<std::string> names = {"words"};
#if defined(CORVIXMATH_SCAN_BODY_SSE2)
  names.push_back("SSE2");
#elif defined(CORVIXMATH_SCAN_BODY_NEON)
  names.push_back("NEON");
#endif
#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
  if (detail::WideLevel() >= 1) names.push_back("AVX2");
  if (detail::WideLevel() >= 2) names.push_back("AVX-512BW");
#endif
  std::printf("%-36s", flavour);
  for (const std::string& name : names)
    std::printf(" %10s", name.c_str());
  std::printf(" %9s\n", "speed-up");

  for (const MemberRow& row : kRows) {
    const std::vector<Unit> text = Text<Unit>(row.textLength, Unit(' '), 4);
    std::vector<double> times;
    std::vector<std::size_t> answers;
    const auto time = [&](auto scan) {
      answers.push_back(RunMember(row.member, text.data(), scan));
      times.push_back(
          BestNanoseconds([&] { return RunMember(row.member, text.data(), scan); }, repeats));
    };
    time(InBody<detail::WordBody>());
#if defined(CORVIXMATH_SCAN_BODY_SSE2) || defined(CORVIXMATH_SCAN_BODY_NEON)
    time(InBody<detail::Body>());
#endif
#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
    if (detail::WideLevel() >= 1) time(InWideBody<1>());
    if (detail::WideLevel() >= 2) time(InWideBody<2>());
#endif
    std::printf("  %-34s", row.name);
    for (double ns : times)
      std::printf(" %10.1f", ns);
    const double fastest =
        *std::min_element(times.begin() + (times.size() > 1 ? 1 : 0), times.end());
    std::printf(" %8.2fx\n", times.front() / fastest);
    for (std::size_t answer : answers) {
      if (answer != answers.front()) {
        std::printf("the bodies disagree on %s\n", row.name);
        std::exit(1);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  Table<char>("narrow (ns a call)", repeats);
  Table<std::uint16_t>("16-bit (ns a call)", repeats);
  return 0;
}
