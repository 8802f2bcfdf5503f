// Shared by every fuzz target: turns the fuzzer's bytes into member arguments, and gives the
// buffers the members write into canary units right after their stated capacity.
//
// Byte stream (read from the front; an exhausted stream reads as zero bytes), so that seed
// files can be written by hand or by fuzz/make_corpus.py:
//   Byte      one byte
//   U16..U64  little endian
//   Length    one byte s: s < 0x80 gives s itself; otherwise a working-buffer size near
//             kLengthAnchors[(s >> 3) & 15], moved by (s & 7) - 3
//   Text      a Length L, a byte p (the pattern's units, 0 read as 1), p Units; the text is the
//             pattern repeated to L units, so one short pattern fills a 2047-unit text
//   Unit      one byte b: 0x01-0x7F stand for themselves; 0x80-0xFE are entries of the target's
//             alphabet (b itself when it has none); 0xFF is followed by a raw unit (one byte for
//             narrow texts, U16 otherwise); 0 stands for a blank, since texts hold no NUL
//   Value     a selector byte, then its payload (see Value())
//
// A broken invariant prints what broke and aborts, which libFuzzer reports as a crash with the
// input that caused it.
#ifndef CORVIXMATH_FUZZ_FUZZ_INPUT_H
#define CORVIXMATH_FUZZ_FUZZ_INPUT_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "CorvixLimits.h"
#include "tests/support/test_buffers.h"

namespace corvix_fuzz {

// What the current input stands for, printed with a broken invariant.
inline std::string& Context() {
  static std::string context;
  return context;
}

template <class... Arguments>
void Note(const char* format, Arguments... arguments) {
  char text[512];
  std::snprintf(text, sizeof text, format, arguments...);
  Context() = text;
  // CORVIX_FUZZ_SHOW=1 prints what every input stands for (to check seed files by hand).
  static const bool show = std::getenv("CORVIX_FUZZ_SHOW") != nullptr;
  if (show) std::fprintf(stderr, "input: %s\n", text);
}

[[noreturn]] inline void Fail(const char* file, int line, const char* condition) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n  input: %s\n", file, line, condition,
               Context().c_str());
  std::fflush(stderr);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::corvix_fuzz::Fail(__FILE__, __LINE__, #condition))

// FUZZ_CHECK that notes what the input stands for only when the check breaks: for checks made
// in a loop, where noting every round would cost more than the checks.
#define FUZZ_CHECK_NOTING(condition, ...) \
  ((condition)                            \
       ? static_cast<void>(0)             \
       : (::corvix_fuzz::Note(__VA_ARGS__), ::corvix_fuzz::Fail(__FILE__, __LINE__, #condition)))

// Sizes that texts and capacities cluster around: the members' working buffers and their
// neighbours, where a unit too many or too few shows.
constexpr std::size_t kLengthAnchors[16] = {5,
                                            6,
                                            7,
                                            CORVIXMATH_CONTROL_ID_BYTES,
                                            CORVIXMATH_SEVENSEG_TEXT_UNITS,
                                            CORVIXMATH_FIELD_UNITS,
                                            CORVIXMATH_FACE_BYTES,
                                            CORVIXMATH_NAME_BYTES,
                                            CORVIXMATH_EXPRESSION_UNITS,
                                            CORVIXMATH_PATH_UNITS,
                                            CORVIXMATH_MESSAGE_BYTES,
                                            CORVIXMATH_FORMAT_UNITS - 1,
                                            CORVIXMATH_FORMAT_UNITS,
                                            CORVIXMATH_TEXT_UNITS - 1,
                                            CORVIXMATH_TEXT_UNITS,
                                            2 * CORVIXMATH_TEXT_UNITS};

// Units of every flavour travel as 32-bit values until a target picks its flavour.
using UnitValues = std::vector<std::uint32_t>;

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Exhausted() const { return position_ >= size_; }

  std::uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }

  std::uint16_t U16() {
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | (static_cast<std::uint32_t>(U16()) << 16);
  }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | (static_cast<std::uint64_t>(U32()) << 32);
  }

  // One of `count` choices.
  std::size_t Pick(std::size_t count) { return count == 0 ? 0 : Byte() % count; }

  std::size_t Length() {
    const std::uint8_t selector = Byte();
    if (selector < 0x80) return selector;
    const std::size_t anchor = kLengthAnchors[(selector >> 3) & 15];
    return anchor + (selector & 7) - 3;
  }

  // A capacity for a text of `length` units: around the length (one short, exact, one over),
  // around a working-buffer size, or tiny.
  std::size_t Capacity(std::size_t length) {
    switch (Byte() % 10) {
      case 0:
        return length;
      case 1:
        return length + 1;
      case 2:
        return length == 0 ? 0 : length - 1;
      case 3:
        return length + 2 + Byte() % 8;
      case 4:
        return Byte() % 4;
      case 5:
        return Length();
      default:
        return length + 1 + Byte() % 64;
    }
  }

  // A `long` as hosts pass them: small, around the 32-bit limits, -999 (the missing value),
  // or any 32-bit value. Only the 32 bits of a 32-bit Windows `long` are meaningful.
  long Long() {
    switch (Byte() % 8) {
      case 0:
        return static_cast<long>(Byte() % 9) - 4;
      case 1:
        return CORVIXMATH_MISSING_VALUE;
      case 2: {
        static const long kEdges[] = {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX, -1, 0};
        return kEdges[Byte() % 6];
      }
      case 3:
        return static_cast<long>(Length());
      default:
        return static_cast<long>(static_cast<std::int32_t>(U32()));
    }
  }

  // A double: any bit pattern, integers, short decimals, powers of ten and their neighbours,
  // and the values the formatters treat specially.
  double Value() {
    switch (Byte() % 8) {
      case 0: {
        const std::uint64_t bits = U64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
      }
      case 1:
        return static_cast<double>(static_cast<std::int32_t>(U32()));
      case 2: {
        static const double kSpecial[] = {0.0,
                                          -0.0,
                                          std::numeric_limits<double>::quiet_NaN(),
                                          -std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          std::numeric_limits<double>::max(),
                                          -std::numeric_limits<double>::max(),
                                          std::numeric_limits<double>::min(),
                                          std::numeric_limits<double>::denorm_min(),
                                          1e15,
                                          -1e15,
                                          std::nextafter(1e15, 2e15),
                                          std::nextafter(-1e15, -2e15),
                                          CORVIXMATH_MISSING_VALUE,
                                          CORVIXMATH_MISSING_VALUE - 0.5,
                                          -999.999999,
                                          -1000.0,
                                          -998.9,
                                          0.001,
                                          0.0011,
                                          0.1,
                                          0.0999,
                                          5e-7,
                                          4.9e-7,
                                          -5e-7,
                                          999999.99995,
                                          1e6,
                                          -99999.99995,
                                          -1e5,
                                          12345.678,
                                          -12345.678,
                                          1234567.891,
                                          0.05,
                                          9.9999995,
                                          2147483647.5,
                                          9223372036854775808.0,
                                          -9223372036854775808.0};
        return kSpecial[Byte() % (sizeof kSpecial / sizeof kSpecial[0])];
      }
      case 3: {
        const int exponent = static_cast<int>(Byte() % 48) - 16;
        double value = std::pow(10.0, exponent);
        const int step = static_cast<int>(Byte() % 3) - 1;
        if (step != 0) value = std::nextafter(value, step > 0 ? 1e300 : 0.0);
        return Bool() ? -value : value;
      }
      default: {
        // A decimal with up to 15 significant digits and up to 15 decimals.
        const std::uint64_t mantissa = U64() % 1000000000000000ull;
        const int decimals = Byte() % 16;
        const double value = static_cast<double>(mantissa) / std::pow(10.0, decimals);
        return Bool() ? -value : value;
      }
    }
  }

  // A text of units of at most `unitBits` bits (8 or 16), drawn as the stream format says.
  // `alphabet` names the characters that mean something to the members under test.
  UnitValues Text(const char* alphabet, unsigned unitBits) {
    const std::size_t length = Length();
    UnitValues text(length);
    if (length == 0) return text;
    std::size_t pattern = Byte();
    if (pattern == 0) pattern = 1;
    if (pattern > length) pattern = length;
    for (std::size_t i = 0; i < pattern; ++i)
      text[i] = Unit(alphabet, unitBits);
    for (std::size_t i = pattern; i < length; ++i)
      text[i] = text[i % pattern];
    return text;
  }

 private:
  std::uint32_t Unit(const char* alphabet, unsigned unitBits) {
    const std::uint8_t byte = Byte();
    if (byte == 0) return ' ';
    if (byte < 0x80) return byte;
    if (byte == 0xFF) {
      const std::uint32_t raw = unitBits == 8 ? Byte() : U16();
      return raw != 0 ? raw : (unitBits == 8 ? 0xFFu : 0xFFFFu);
    }
    if (alphabet == nullptr || alphabet[0] == '\0') return byte;
    return static_cast<unsigned char>(alphabet[(byte - 0x80u) % std::strlen(alphabet)]);
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// --- Texts -----------------------------------------------------------------------------------

// The units of a text in the flavour `Unit` (a narrow text keeps each value's low byte).
template <class Unit>
std::vector<Unit> As(const UnitValues& values) {
  std::vector<Unit> units;
  units.reserve(values.size());
  for (std::uint32_t value : values) {
    Unit unit = static_cast<Unit>(value);
    if (unit == Unit(0)) unit = static_cast<Unit>(0xFF);
    units.push_back(unit);
  }
  return units;
}

inline bool IsAscii(const UnitValues& values) {
  for (std::uint32_t value : values)
    if (value >= 0x80) return false;
  return true;
}

// The units of a text as values again, so that the flavours' outcomes compare.
template <class Unit>
UnitValues ValuesOf(const Unit* units, std::size_t count) {
  UnitValues values;
  for (std::size_t i = 0; i < count; ++i)
    values.push_back(static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Unit>>(units[i])));
  return values;
}
template <class Unit>
UnitValues ValuesOf(const std::vector<Unit>& units) {
  return ValuesOf(units.data(), units.size());
}

// A terminated text in a heap block of exactly its length + 1 units, so that reading one unit
// past the terminator is caught by AddressSanitizer.
template <class Unit>
class Source {
 public:
  explicit Source(const std::vector<Unit>& units)
      : length_(units.size()), units_(new Unit[units.size() + 1]) {
    for (std::size_t i = 0; i < length_; ++i)
      units_[i] = units[i];
    units_[length_] = Unit(0);
  }
  explicit Source(const char* ascii) : Source(FromAscii(ascii)) {}

  Unit* data() { return units_.get(); }
  std::size_t length() const { return length_; }
  std::vector<Unit> Units() const {
    return std::vector<Unit>(units_.get(), units_.get() + length_);
  }
  bool Holds(const std::vector<Unit>& units) const {
    if (units.size() != length_) return false;
    for (std::size_t i = 0; i <= length_; ++i)
      if (units_[i] != (i < length_ ? units[i] : Unit(0))) return false;
    return true;
  }

 private:
  static std::vector<Unit> FromAscii(const char* ascii) {
    std::vector<Unit> units;
    for (const char* c = ascii; *c != '\0'; ++c)
      units.push_back(static_cast<Unit>(static_cast<unsigned char>(*c)));
    return units;
  }

  std::size_t length_;
  std::unique_ptr<Unit[]> units_;
};

// A destination of `capacity` units, preset with a fuzzed text, followed by canary units that
// no member may touch (the tests' buffer), and what it held before the call.
template <class Unit>
class Destination : public corvix_test::CanaryBuffer<Unit> {
 public:
  explicit Destination(std::size_t capacity, Unit fill = static_cast<Unit>('#'))
      : corvix_test::CanaryBuffer<Unit>(capacity, fill) {
    Keep();
  }

  // Remembers the contents, for Unchanged().
  void Keep() { kept_ = this->Contents(); }
  bool Unchanged() const { return this->Contents() == kept_; }
  Unit KeptAt(std::size_t index) const { return kept_[index]; }

  // The text before the terminator (the whole capacity when there is none).
  std::vector<Unit> Text() const {
    return std::vector<Unit>(this->data(), this->data() + this->Length());
  }
  bool Holds(const std::vector<Unit>& units) const { return this->Terminated() && Text() == units; }

 private:
  std::vector<Unit> kept_;
};

// A destination of `capacity` units (more than the text's length) that already holds `text` and
// its terminator, kept for Unchanged(): a buffer that a member edits where it lies.
template <class Unit>
Destination<Unit> Holding(const std::vector<Unit>& text, std::size_t capacity) {
  Destination<Unit> buffer(capacity);
  for (std::size_t i = 0; i < text.size(); ++i)
    buffer.data()[i] = text[i];
  buffer.data()[text.size()] = Unit(0);
  buffer.Keep();
  return buffer;
}

// --- Small helpers for references ---------------------------------------------------------------

template <class Unit>
std::vector<Unit> UnitsOf(const char* ascii) {
  std::vector<Unit> units;
  for (const char* c = ascii; *c != '\0'; ++c)
    units.push_back(static_cast<Unit>(static_cast<unsigned char>(*c)));
  return units;
}

inline std::string StringOf(const std::vector<char>& units) {
  return std::string(units.begin(), units.end());
}

// The first `limit` units of `units`.
template <class Unit>
std::vector<Unit> Cut(const std::vector<Unit>& units, std::size_t limit) {
  return units.size() <= limit ? units : std::vector<Unit>(units.begin(), units.begin() + limit);
}

// atol of the 32-bit Windows C runtime: white space, a sign, digits; saturating.
template <class Unit>
long Atol32(const std::vector<Unit>& text) {
  std::size_t i = 0;
  const auto space = [](Unit unit) {
    return unit == Unit(' ') || (unit >= Unit('\t') && unit <= Unit('\r'));
  };
  while (i < text.size() && space(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == Unit('+') || text[i] == Unit('-'))) {
    negative = text[i] == Unit('-');
    ++i;
  }
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= Unit('0') && text[i] <= Unit('9'); ++i) {
    if (magnitude <= 4294967296LL) magnitude = magnitude * 10 + (text[i] - Unit('0'));
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<long>(value);
}

// 10 to the power `exponent` by repeated squaring, as the scale limits and price divisors are
// documented to be computed (so large powers round as theirs do).
inline double PowerOfTen(unsigned exponent) {
  double result = 1.0;
  double square = 10.0;
  for (; exponent != 0; exponent >>= 1) {
    if ((exponent & 1) != 0) result *= square;
    square *= square;
  }
  return result;
}

// Equal, or both not-a-number.
inline bool SameValue(double first, double second) {
  if (std::isnan(first) || std::isnan(second)) return std::isnan(first) && std::isnan(second);
  return first == second;
}

}  // namespace corvix_fuzz

#endif  // CORVIXMATH_FUZZ_FUZZ_INPUT_H
