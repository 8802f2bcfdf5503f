// Checks and decoders on typical inputs: nanoseconds per call, no baseline.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

// Each benchmark cycles through a few typical inputs so that no single branch is learnt.
template <std::size_t Count, class Call>
void OverInputs(benchmark::State& state, const char* const (&inputs)[Count], Call call) {
  char text[Count][128];
  for (std::size_t i = 0; i < Count; ++i) {
    std::size_t j = 0;
    for (; inputs[i][j] != '\0'; ++j)
      text[i][j] = inputs[i][j];
    text[i][j] = '\0';
  }
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(text[next % Count]));
    benchmark::ClobberMemory();
    ++next;
  }
}

const char* const kFormulas[] = {"(a+b)*2.5-c", "a>1&b<2|!c", "(a + b) / 2 - c * 0.75",
                                 "a*b+c*(a-b)/4"};

const char* const kAddresses[] = {"192.168.10.254", "10.0.0.1", "172.16.254.3", "192.168.1.300"};

const char* const kNumbers[] = {"12345.678", "-0.25", "  42  ", "1e5"};

const char* const kFonts[] = {"Tahoma,12,#FF0000,Bold", "Arial,10,255,", "Courier New,9,0,Italic",
                              "Segoe UI,14,#00FF00,BoldItalic"};

void VerifyFormula(benchmark::State& state) {
  CMathOperation math;
  char message[CORVIXMATH_MESSAGE_BYTES];
  char variables[] = "#a#b#c#";
  OverInputs(state, kFormulas,
             [&](char* formula) { return math.VerifyRegExpString(formula, message, variables); });
}

void CheckAddress(benchmark::State& state) {
  CMathOperation math;
  OverInputs(state, kAddresses, [&](char* address) { return math.IsValidIPString(address); });
}

// IsDigit trims the text in place, so each call works on a fresh copy of it.
void CheckNumber(benchmark::State& state) {
  CMathOperation math;
  OverInputs(state, kNumbers, [&](char* number) {
    char copy[16];
    for (std::size_t i = 0; i < sizeof copy; ++i)
      if ((copy[i] = number[i]) == '\0') break;
    return math.IsDigit(copy);
  });
}

void DecodeFont(benchmark::State& state) {
  CMathOperation math;
  char face[CORVIXMATH_FACE_BYTES];
  unsigned char size = 0;
  unsigned long colour = 0;
  unsigned char style = 0;
  OverInputs(state, kFonts, [&](char* descriptor) {
    math.DecodeFontString(descriptor, face, &size, &colour, &style);
    return style;
  });
}

}  // namespace

BENCHMARK(VerifyFormula)->Name("VerifyRegExpString/typical formulas");
BENCHMARK(CheckAddress)->Name("IsValidIPString/typical addresses");
BENCHMARK(CheckNumber)->Name("IsDigit/typical numbers");
BENCHMARK(DecodeFont)->Name("DecodeFontString/typical descriptors");
