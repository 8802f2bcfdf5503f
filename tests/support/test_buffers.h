// Destination buffers for the tests and the fuzz targets (tests/support/test_units.h,
// fuzz/fuzz_input.h, tests/hardening/guard_page.h); they need no test framework.
#ifndef CORVIXMATH_TESTS_SUPPORT_TEST_BUFFERS_H
#define CORVIXMATH_TESTS_SUPPORT_TEST_BUFFERS_H

#include <cstddef>
#include <string>
#include <vector>

namespace corvix_test {

// The units before the first terminator among the `count` units, each cut to a byte; without a
// terminator all of them followed by "<unterminated>", so a missing terminator shows in a
// comparison instead of being read past.
template <class Unit>
std::string NarrowText(const Unit* units, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (units[i] == Unit(0)) return text;
    text.push_back(static_cast<char>(units[i]));
  }
  return text + "<unterminated>";
}

// `capacity` units preset to a fill (the last one a terminator), followed by canary units that
// no member may touch. The block ends right after the canaries, so AddressSanitizer also sees a
// write further out.

template <class Unit>
class CanaryBuffer {
 public:
  static constexpr std::size_t kCanaryUnits = 16;

// GCC 12 at -O3 takes capacity + kCanaryUnits - kCanaryUnits for a possibly wrapped size and
// warns about a fill it cannot prove bounded; the vector is always capacity + 16 units long.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#endif
  explicit CanaryBuffer(std::size_t capacity, Unit fill = static_cast<Unit>('#'))
      : capacity_(capacity), units_(capacity + kCanaryUnits) {
    for (std::size_t i = 0; i < capacity; ++i)
      units_[i] = fill;
    if (capacity > 0) units_[capacity - 1] = Unit(0);
    for (std::size_t i = 0; i < kCanaryUnits; ++i)
      units_[capacity + i] = Canary(i);
  }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

  Unit* data() {
    return units_.data();
  }
  const Unit* data() const {
    return units_.data();
  }
  std::size_t capacity() const {
    return capacity_;
  }

  bool CanariesIntact() const {
    for (std::size_t i = 0; i < kCanaryUnits; ++i)
      if (units_[capacity_ + i] != Canary(i)) return false;
    return true;
  }

  // The destination's units as they stand (terminator and preset fill included).
  std::vector<Unit> Contents() const {
    return std::vector<Unit>(units_.begin(), units_.begin() + static_cast<long>(capacity_));
  }

  // The units before the first terminator within the capacity (all of them when there is none).
  std::size_t Length() const {
    std::size_t length = 0;
    while (length < capacity_ && units_[length] != Unit(0))
      ++length;
    return length;
  }
  // Is there a terminator within the capacity?
  bool Terminated() const {
    return Length() < capacity_;
  }
  // The text as NarrowText reads it.
  std::string Narrow() const {
    return NarrowText(units_.data(), capacity_);
  }

 private:
  // Canaries that differ from unit to unit, so a shifted copy of them is seen as well.
  static Unit Canary(std::size_t index) {
    return static_cast<Unit>(0xA5 ^ (index * 0x1B));
  }

  std::size_t capacity_;
  std::vector<Unit> units_;
};

}  // namespace corvix_test

#endif  // CORVIXMATH_TESTS_SUPPORT_TEST_BUFFERS_H
