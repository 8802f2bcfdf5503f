// Seeded inputs of the benchmark suite, the same on every run and every machine.
//
// Names of the benchmarks pair a member with its baseline for bench/compare: a member runs
// as "Family/case", its baseline as "Family/case~what the host would otherwise write". A
// member without a baseline has no "~" twin.
#ifndef CORVIXMATH_BENCH_BENCH_INPUTS_H
#define CORVIXMATH_BENCH_BENCH_INPUTS_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "CorvixLimits.h"

namespace bench {

// One seed for the whole suite: inputs never change between a "before" and an "after" run.
constexpr std::uint64_t kSeed = 20261208;

// Measured values cycle through a pool of this many (a power of two, for a cheap index).
constexpr std::size_t kValuePoolSize = 4096;
constexpr std::size_t kValuePoolMask = kValuePoolSize - 1;

// Display values: magnitudes spread evenly over 1e-6 to 1e15 on a log scale, both signs, and
// about one in fifty the missing-value marker (-999 exactly or a little beyond it).
inline std::vector<double> DisplayValues() {
  std::mt19937_64 random(kSeed);
  std::uniform_real_distribution<double> exponent(-6.0, 15.0);
  std::uniform_int_distribution<int> coin(0, 99);
  std::vector<double> values(kValuePoolSize);
  for (double& value : values) {
    const int draw = coin(random);
    if (draw < 2) {
      value = draw == 0 ? CORVIXMATH_MISSING_VALUE : CORVIXMATH_MISSING_VALUE - 0.25;
    } else {
      value = std::pow(10.0, exponent(random));
      if (draw % 2 == 1) value = -value;
    }
  }
  return values;
}

// Samples of a measured signal: a slow wave with noise around a level, as loggers record.
inline std::vector<double> Samples(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 random(kSeed ^ seed);
  std::normal_distribution<double> noise(0.0, 2.5);
  std::vector<double> values(count);
  for (std::size_t i = 0; i < count; ++i)
    values[i] = 230.0 + 10.0 * std::sin(static_cast<double>(i) * 1e-3) + noise(random);
  return values;
}

// A text of `length` units drawn from letters, digits and a few separators, without
// `excluded` (so that a search finds only what the benchmark places).
inline std::string SeededText(std::size_t length, std::uint64_t seed, const std::string& excluded) {
  static const std::string kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 _-+*/:;";
  std::string alphabet;
  for (char unit : kAlphabet)
    if (excluded.find(unit) == std::string::npos) alphabet += unit;
  std::mt19937_64 random(kSeed ^ (seed * 0x9E3779B97F4A7C15ull));
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string text(length, ' ');
  for (char& unit : text)
    unit = alphabet[pick(random)];
  return text;
}

// A terminated string of any unit type holding the ASCII `text`.
template <class Unit>
std::vector<Unit> Terminated(const std::string& text) {
  std::vector<Unit> units(text.size() + 1, Unit(0));
  for (std::size_t i = 0; i < text.size(); ++i)
    units[i] = static_cast<Unit>(static_cast<unsigned char>(text[i]));
  return units;
}

}  // namespace bench

#endif  // CORVIXMATH_BENCH_BENCH_INPUTS_H
