// The scans every text member is built on: the length of a terminated text within a bound, the
// first unit equal to a given one, the first unit that is either that one or the terminator,
// the first and last units that differ from a given one, and the first place where two given
// units stand together.
//
// 8- and 16-bit units (the 16-bit wchar_t of Windows among them) go to block bodies: SSE2 on
// x86, which both x86 builds assume, NEON on ARM where the compiler targets it, and eight-byte
// words everywhere else; on x86-64 Linux, 32-byte (AVX2) and 64-byte (AVX-512BW) bodies where
// the processor has them. A narrow text's length without those, and a narrow unit within a
// measured range, go to the runtime's strnlen and memchr. The 32-bit wchar_t of other systems
// goes to wcsnlen and wmemchr, and any other unit a unit at a time.
//
// A block body never reads what may fault. It loads whole aligned blocks: an aligned block
// that holds a unit the scan has to read lies within that unit's page, so a scan that stops at
// a terminator or at its bound never touches the page after it, however far its last block
// reaches past them. Blocks are taken four at a time only from an address aligned to all four,
// and a block read from any address (the pair search's second one) only within the range.
// AddressSanitizer checks the bytes such a block reads past the terminator (never past the
// page) and would report them, and ThreadSanitizer would take them for a race where they are
// another thread's; under either, and under MemorySanitizer, every scan goes a unit at a time
// with its exact bound: what is read there is exactly what a member may read.
#ifndef CORVIXMATH_FRAME_INTERNAL_SCAN_H
#define CORVIXMATH_FRAME_INTERNAL_SCAN_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <limits>
#include <type_traits>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CORVIXMATH_SCAN_EXACT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || \
    __has_feature(thread_sanitizer)
#define CORVIXMATH_SCAN_EXACT 1
#endif
#endif

// CORVIXMATH_SCAN_FORCE_WORDS builds the word body where a vector one would serve, so that the
// two can be timed against each other on one machine.
#if defined(CORVIXMATH_SCAN_EXACT)
#define CORVIXMATH_SCAN_BODY_EXACT 1
#elif defined(CORVIXMATH_SCAN_FORCE_WORDS)
#define CORVIXMATH_SCAN_BODY_WORDS 1
#elif defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define CORVIXMATH_SCAN_BODY_SSE2 1
#elif defined(__ARM_NEON) && defined(__ARM_ARCH) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#include <arm_neon.h>
#define CORVIXMATH_SCAN_BODY_NEON 1
#else
#define CORVIXMATH_SCAN_BODY_WORDS 1
#endif

// The wider x86-64 bodies are built where the build says so (CORVIXMATH_SCAN_WIDE).
#if defined(CORVIXMATH_SCAN_WIDE) && !defined(CORVIXMATH_SCAN_EXACT) && \
    !defined(CORVIXMATH_SCAN_FORCE_WORDS)
#define CORVIXMATH_SCAN_WIDE_BODIES 1
#endif

namespace corvix {
namespace scan {

namespace detail {

// --- A unit at a time, with the exact bound.

// Position of the first of the `limit` units of `units` for which `stops` holds, or `limit`.
// Four units a step, so the limit is tested once for four units; each unit is still read only
// after the one before it, so a scan never reads past a terminator it stops at.
template <class Unit, class Stops>
std::size_t ScanUntil(const Unit* units, std::size_t limit, Stops stops) {
  constexpr std::size_t kStep = 4;
  std::size_t i = 0;
  for (; limit - i >= kStep; i += kStep) {
    if (stops(units[i])) return i;
    if (stops(units[i + 1])) return i + 1;
    if (stops(units[i + 2])) return i + 2;
    if (stops(units[i + 3])) return i + 3;
  }
  for (; i < limit; ++i)
    if (stops(units[i])) return i;
  return limit;
}

// One past the last of the `count` units of `units` for which `stops` holds, or 0.
template <class Unit, class Stops>
std::size_t ScanBackUntil(const Unit* units, std::size_t count, Stops stops) {
  while (count > 0 && !stops(units[count - 1]))
    --count;
  return count;
}

// --- Bit positions in a block's mask.

static inline unsigned LowestBit(std::uint64_t mask) {
#if defined(__GNUC__) || defined(__clang__)
  return static_cast<unsigned>(__builtin_ctzll(mask));
#else
  unsigned bit = 0;
  while ((mask & 1u) == 0) {
    mask >>= 1;
    ++bit;
  }
  return bit;
#endif
}

static inline unsigned HighestBit(std::uint64_t mask) {
#if defined(__GNUC__) || defined(__clang__)
  return 63u - static_cast<unsigned>(__builtin_clzll(mask));
#else
  unsigned bit = 63;
  while ((mask >> bit) == 0)
    --bit;
  return bit;
#endif
}

// The lowest `bits` bits.
static inline std::uint64_t BitsBelow(std::size_t bits) {
  return bits >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << bits) - 1;
}

// --- Block bodies. Each loads an aligned block of kBlockBytes bytes, compares its units with a
// pattern (a unit repeated over a block) into Hits, and turns Hits into a mask of BitsPerUnit
// bits per unit of the block, lowest bits first: a unit that compares equal sets its bits (in
// the word body, only the top one). AllUnits is the mask of a block whose every unit compares
// equal.

#if defined(CORVIXMATH_SCAN_BODY_SSE2)
struct Sse2Body {
  using Block = __m128i;
  using Hits = __m128i;
  static constexpr std::size_t kBlockBytes = 16;
  template <class Unit>
  static constexpr unsigned BitsPerUnit() {
    return sizeof(Unit);
  }

  static Block Load(const unsigned char* aligned) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(aligned));
  }
  static Block LoadAnywhere(const unsigned char* bytes) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  }
  template <class Unit>
  static Block Pattern(Unit unit) {
    if (sizeof(Unit) == 1) return _mm_set1_epi8(static_cast<char>(unit));
    return _mm_set1_epi16(static_cast<short>(unit));
  }
  template <class Unit>
  static Block Equal(Block block, Block pattern) {
    if (sizeof(Unit) == 1) return _mm_cmpeq_epi8(block, pattern);
    return _mm_cmpeq_epi16(block, pattern);
  }
  template <class Unit>
  static Block Or(Block a, Block b) {
    return _mm_or_si128(a, b);
  }
  template <class Unit>
  static std::uint64_t Mask(Block equal) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(equal));
  }
  template <class Unit>
  static bool Any(Block equal) {
    return _mm_movemask_epi8(equal) != 0;
  }
  template <class Unit>
  static Hits Both(Hits a, Hits b) {
    return _mm_and_si128(a, b);
  }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return 0xFFFF;
  }
};
using Body = Sse2Body;
#endif

#if defined(CORVIXMATH_SCAN_BODY_NEON)
struct NeonBody {
  using Block = uint8x16_t;
  using Hits = uint8x16_t;
  static constexpr std::size_t kBlockBytes = 16;
  template <class Unit>
  static constexpr unsigned BitsPerUnit() {
    return 4 * sizeof(Unit);
  }

  static Block Load(const unsigned char* aligned) { return vld1q_u8(aligned); }
  static Block LoadAnywhere(const unsigned char* bytes) { return vld1q_u8(bytes); }
  template <class Unit>
  static Block Pattern(Unit unit) {
    if (sizeof(Unit) == 1) return vdupq_n_u8(static_cast<std::uint8_t>(unit));
    return vreinterpretq_u8_u16(vdupq_n_u16(static_cast<std::uint16_t>(unit)));
  }
  template <class Unit>
  static Block Equal(Block block, Block pattern) {
    if (sizeof(Unit) == 1) return vceqq_u8(block, pattern);
    return vreinterpretq_u8_u16(
        vceqq_u16(vreinterpretq_u16_u8(block), vreinterpretq_u16_u8(pattern)));
  }
  template <class Unit>
  static Block Or(Block a, Block b) {
    return vorrq_u8(a, b);
  }
  // Four bits a byte: each 16-bit lane shifted right by four and narrowed keeps one nibble of
  // each of its two bytes.
  template <class Unit>
  static std::uint64_t Mask(Block equal) {
    const uint8x8_t nibbles = vshrn_n_u16(vreinterpretq_u16_u8(equal), 4);
    return vget_lane_u64(vreinterpret_u64_u8(nibbles), 0);
  }
  // The two halves as plain words: cheaper than narrowing where only "any" is asked.
  template <class Unit>
  static bool Any(Block equal) {
    const uint64x2_t halves = vreinterpretq_u64_u8(equal);
    return (vgetq_lane_u64(halves, 0) | vgetq_lane_u64(halves, 1)) != 0;
  }
  template <class Unit>
  static Hits Both(Hits a, Hits b) {
    return vandq_u8(a, b);
  }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return ~std::uint64_t(0);
  }
};
using Body = NeonBody;
#endif

#if defined(CORVIXMATH_SCAN_BODY_WORDS) || defined(CORVIXMATH_SCAN_TEST_WORDS)
// Eight bytes in a 64-bit word, the byte at the lowest address in the lowest bits whatever the
// byte order, so that masks read the same everywhere.
struct WordBody {
  using Block = std::uint64_t;
  using Hits = std::uint64_t;
  static constexpr std::size_t kBlockBytes = 8;
  template <class Unit>
  static constexpr unsigned BitsPerUnit() {
    return 8 * sizeof(Unit);
  }

  static Block Load(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
  }
  static Block LoadAnywhere(const unsigned char* bytes) {
    return Load(bytes);
  }
  template <class Unit>
  static Block Pattern(Unit unit) {
    unsigned char bytes[kBlockBytes];
    for (std::size_t at = 0; at < kBlockBytes; at += sizeof(Unit))
      std::memcpy(bytes + at, &unit, sizeof(Unit));
    return Load(bytes);
  }
  // The top bit of each unit that equals its pattern unit, with no false hits: a lane of x is
  // zero exactly when adding the lane's low bits to all-but-top ones carries nothing into the
  // top bit and the top bit itself is clear.
  template <class Unit>
  static Block Equal(Block block, Block pattern) {
    const std::uint64_t low = sizeof(Unit) == 1 ? 0x7F7F7F7F7F7F7F7Full : 0x7FFF7FFF7FFF7FFFull;
    const std::uint64_t x = block ^ pattern;
    return ~(((x & low) + low) | x) & ~low;
  }
  template <class Unit>
  static Block Or(Block a, Block b) {
    return a | b;
  }
  template <class Unit>
  static std::uint64_t Mask(Block equal) {
    return equal;
  }
  template <class Unit>
  static bool Any(Block equal) {
    return equal != 0;
  }
  template <class Unit>
  static Hits Both(Hits a, Hits b) {
    return a & b;
  }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return sizeof(Unit) == 1 ? 0x8080808080808080ull : 0x8000800080008000ull;
  }
};
#if defined(CORVIXMATH_SCAN_BODY_WORDS)
using Body = WordBody;
#endif
#endif

// --- The scans over blocks.

// Position of the first of the `limit` units from `units` where `compare` (a block to its
// Hits) finds a hit, or `limit`. Only blocks that hold a unit before the first hit are read.
template <class Body, class Unit, class Compare>
std::size_t FirstInBlocks(const Unit* units, std::size_t limit, Compare compare) {
  if (limit == 0) return 0;
  constexpr std::size_t kBlock = Body::kBlockBytes;
  constexpr std::size_t kBlockUnits = kBlock / sizeof(Unit);
  constexpr std::size_t kGroup = 4 * kBlock;
  constexpr unsigned kBits = Body::template BitsPerUnit<Unit>();
  const std::size_t leadBytes = reinterpret_cast<std::uintptr_t>(units) & (kBlock - 1);
  const unsigned char* block = reinterpret_cast<const unsigned char*>(units) - leadBytes;
  const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(block);
  // Positions count units from the start of the first block.
  const std::size_t lead = leadBytes / sizeof(Unit);
  const std::size_t end = lead + limit;

  std::size_t at = 0;
  std::uint64_t mask =
      Body::template Mask<Unit>(compare(Body::Load(block))) & ~BitsBelow(lead * kBits);
  while (mask == 0) {
    at += kBlockUnits;
    if (at >= end) return limit;
    // Whole groups, each aligned to its size and so within one page, while they end before
    // the bound and hold no hit.
    if ((base + at * sizeof(Unit)) % kGroup == 0) {
      while (end - at >= 4 * kBlockUnits) {
        const unsigned char* group = block + at * sizeof(Unit);
        const typename Body::Hits hits = Body::template Or<Unit>(
            Body::template Or<Unit>(compare(Body::Load(group)),
                                    compare(Body::Load(group + kBlock))),
            Body::template Or<Unit>(compare(Body::Load(group + 2 * kBlock)),
                                    compare(Body::Load(group + 3 * kBlock))));
        if (Body::template Any<Unit>(hits)) break;
        at += 4 * kBlockUnits;
      }
      if (at >= end) return limit;
    }
    mask = Body::template Mask<Unit>(compare(Body::Load(block + at * sizeof(Unit))));
  }
  const std::size_t hit = at + LowestBit(mask) / kBits;
  return hit < end ? hit - lead : limit;
}

// One past the last of the `count` units from `units` where `compare` finds a hit, or 0. All
// the units are the caller's to read.
template <class Body, class Unit, class Compare>
std::size_t EndOfLastInBlocks(const Unit* units, std::size_t count, Compare compare) {
  if (count == 0) return 0;
  constexpr std::size_t kBlockUnits = Body::kBlockBytes / sizeof(Unit);
  constexpr unsigned kBits = Body::template BitsPerUnit<Unit>();
  const std::size_t leadBytes = reinterpret_cast<std::uintptr_t>(units) & (Body::kBlockBytes - 1);
  const unsigned char* block = reinterpret_cast<const unsigned char*>(units) - leadBytes;
  const std::size_t lead = leadBytes / sizeof(Unit);
  const std::size_t end = lead + count;

  std::size_t at = (end - 1) / kBlockUnits * kBlockUnits;
  std::uint64_t mask = Body::template Mask<Unit>(compare(Body::Load(block + at * sizeof(Unit)))) &
                       BitsBelow((end - at) * kBits);
  for (;;) {
    if (at == 0) mask &= ~BitsBelow(lead * kBits);
    if (mask != 0) break;
    if (at == 0) return 0;
    at -= kBlockUnits;
    mask = Body::template Mask<Unit>(compare(Body::Load(block + at * sizeof(Unit))));
  }
  return at + HighestBit(mask) / kBits - lead + 1;
}

// Position of the first of the `count` units from `units` that is `first` and is followed
// within them by `second`, or `count`. Each block is compared with `first` and the block one
// unit further on with `second`; that second read may start anywhere, so it is made only
// while its last unit is one of the `count`, and the last block pairs its own units.
template <class Body, class Unit>
std::size_t FirstPairInBlocks(const Unit* units, std::size_t count, Unit first, Unit second) {
  if (count < 2) return count;
  constexpr std::size_t kBlockUnits = Body::kBlockBytes / sizeof(Unit);
  constexpr unsigned kBits = Body::template BitsPerUnit<Unit>();
  const std::size_t leadBytes = reinterpret_cast<std::uintptr_t>(units) & (Body::kBlockBytes - 1);
  const unsigned char* block = reinterpret_cast<const unsigned char*>(units) - leadBytes;
  const std::size_t lead = leadBytes / sizeof(Unit);
  const std::size_t end = lead + count;
  const typename Body::Block firstPattern = Body::Pattern(first);
  const typename Body::Block secondPattern = Body::Pattern(second);
  const auto pairs = [&](std::size_t at) {
    const unsigned char* here = block + at * sizeof(Unit);
    return Body::template Mask<Unit>(Body::template Both<Unit>(
        Body::template Equal<Unit>(Body::Load(here), firstPattern),
        Body::template Equal<Unit>(Body::LoadAnywhere(here + sizeof(Unit)), secondPattern)));
  };

  std::size_t at = 0;
  std::uint64_t mask = 0;
  for (; at + kBlockUnits < end; at += kBlockUnits) {
    mask = pairs(at);
    if (at == 0) mask &= ~BitsBelow(lead * kBits);
    if (mask != 0) return at + LowestBit(mask) / kBits - lead;
  }
  // The last block: its own pairs, read from the one aligned block (the pair that ends in its
  // first unit was the previous block's last).
  const typename Body::Block last = Body::Load(block + at * sizeof(Unit));
  const std::uint64_t firsts =
      Body::template Mask<Unit>(Body::template Equal<Unit>(last, firstPattern));
  const std::uint64_t seconds =
      Body::template Mask<Unit>(Body::template Equal<Unit>(last, secondPattern));
  mask = firsts & (seconds >> kBits) & BitsBelow((end - 1 - at) * kBits);
  if (at == 0) mask &= ~BitsBelow(lead * kBits);
  return mask != 0 ? at + LowestBit(mask) / kBits - lead : count;
}

// The comparisons the scans look for, on one body.
template <class Body, class Unit>
struct Comparisons {
  using Block = typename Body::Block;
  using Hits = typename Body::Hits;

  struct IsUnit {
    Block pattern;
    Hits operator()(Block block) const { return Body::template Equal<Unit>(block, pattern); }
  };
  struct IsUnitOrEnd {
    Block pattern;
    Block zero;
    Hits operator()(Block block) const {
      return Body::template Or<Unit>(Body::template Equal<Unit>(block, pattern),
                                     Body::template Equal<Unit>(block, zero));
    }
  };
  // A mask, not a block: the complement of the equal units' bits.
  struct IsOther {
    Block pattern;
    std::uint64_t operator()(Block block) const {
      return Body::template AllUnits<Unit>() &
             ~Body::template Mask<Unit>(Body::template Equal<Unit>(block, pattern));
    }
  };
};

// A body whose comparisons are masks already: for the scans that look for a unit that differs.
template <class Body>
struct OtherBody : Body {
  using Hits = std::uint64_t;
  template <class>
  static std::uint64_t Mask(std::uint64_t mask) {
    return mask;
  }
  template <class>
  static std::uint64_t Or(std::uint64_t a, std::uint64_t b) {
    return a | b;
  }
  template <class>
  static bool Any(std::uint64_t mask) {
    return mask != 0;
  }
};

// 8- and 16-bit integer units go to the block bodies; a unit whose address is not a multiple of
// its size (a host's misplaced 16-bit text) goes a unit at a time.
template <class Unit>
constexpr bool kBlockUnit = std::is_integral<Unit>::value &&
                            (sizeof(Unit) == 1 || sizeof(Unit) == 2);

template <class Unit>
bool InBlocks(const Unit* units) {
#if defined(CORVIXMATH_SCAN_BODY_EXACT)
  static_cast<void>(units);
  return false;
#else
  return kBlockUnit<Unit> && reinterpret_cast<std::uintptr_t>(units) % sizeof(Unit) == 0;
#endif
}

// A bound no scan can reach, so that offsets in bytes never wrap.
template <class Unit>
std::size_t ClampedLimit(std::size_t limit) {
  constexpr std::size_t kMost = (std::numeric_limits<std::size_t>::max() / 2) / sizeof(Unit);
  return limit < kMost ? limit : kMost;
}

template <class Unit>
constexpr bool kNarrow = sizeof(Unit) == 1 && std::is_integral<Unit>::value;
template <class Unit>
constexpr bool kWideRuntime = std::is_same<Unit, wchar_t>::value && sizeof(wchar_t) == 4;

// --- Wider blocks on x86-64: 32-byte (AVX2) and 64-byte (AVX-512BW) bodies, each compiled in a
// file of its own for its instruction set and taken only when the processor has it.

enum class Look { kUnit, kUnitOrEnd, kOther, kLastOther, kPair };

#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
std::size_t Avx2Scan(Look look, const std::uint8_t* units, std::size_t limit, std::uint8_t unit,
                     std::uint8_t second);
std::size_t Avx2Scan(Look look, const std::uint16_t* units, std::size_t limit, std::uint16_t unit,
                     std::uint16_t second);
std::size_t Avx512Scan(Look look, const std::uint8_t* units, std::size_t limit, std::uint8_t unit,
                       std::uint8_t second);
std::size_t Avx512Scan(Look look, const std::uint16_t* units, std::size_t limit, std::uint16_t unit,
                       std::uint16_t second);

// The widest body this processor runs: 2 for AVX-512BW, 1 for AVX2, 0 for neither. The
// runtime reads the processor's features once, at start-up.
inline int WideLevel() {
  if (__builtin_cpu_supports("avx512bw")) return 2;
  if (__builtin_cpu_supports("avx2")) return 1;
  return 0;
}

// Runs a scan in the widest body when there is one; false leaves it to the build's own body.
template <class Unit>
bool WideScan(Look look, const Unit* units, std::size_t limit, Unit unit, Unit second,
              std::size_t* result) {
  if (!InBlocks(units)) return false;
  using Same = typename std::conditional<sizeof(Unit) == 1, std::uint8_t, std::uint16_t>::type;
  const Same* same = reinterpret_cast<const Same*>(units);
  switch (WideLevel()) {
    case 2:
      *result = Avx512Scan(look, same, ClampedLimit<Unit>(limit), static_cast<Same>(unit),
                           static_cast<Same>(second));
      return true;
    case 1:
      *result = Avx2Scan(look, same, ClampedLimit<Unit>(limit), static_cast<Same>(unit),
                         static_cast<Same>(second));
      return true;
    default:
      return false;
  }
}
#else
template <class Unit>
bool WideScan(Look, const Unit*, std::size_t, Unit, Unit, std::size_t*) {
  return false;
}
#endif

// Every scan of a body, by what it looks for; the wide bodies' files instantiate it too.
template <class Body, class Unit>
std::size_t ScanInBlocks(Look look, const Unit* units, std::size_t limit, Unit unit,
                         Unit second = Unit(0)) {
  using Compare = Comparisons<Body, Unit>;
  using Other = OtherBody<Body>;
  switch (look) {
    case Look::kUnit:
      return FirstInBlocks<Body>(units, limit, typename Compare::IsUnit{Body::Pattern(unit)});
    case Look::kUnitOrEnd:
      return FirstInBlocks<Body>(
          units, limit, typename Compare::IsUnitOrEnd{Body::Pattern(unit), Body::Pattern(Unit(0))});
    case Look::kOther:
      return FirstInBlocks<Other>(units, limit, typename Compare::IsOther{Body::Pattern(unit)});
    case Look::kLastOther:
      return EndOfLastInBlocks<Other>(units, limit, typename Compare::IsOther{Body::Pattern(unit)});
    case Look::kPair:
      return FirstPairInBlocks<Body>(units, limit, unit, second);
  }
  return limit;
}

}  // namespace detail

namespace detail {

// A scan in the widest body there is, then the build's own body, then a unit at a time.
template <class Unit, class Stops>
std::size_t Scan(Look look, const Unit* units, std::size_t limit, Unit unit, Stops stops,
                 Unit second = Unit(0)) {
  std::size_t result = 0;
  if (WideScan(look, units, limit, unit, second, &result)) return result;
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (InBlocks(units))
    return ScanInBlocks<Body>(look, units, ClampedLimit<Unit>(limit), unit, second);
#endif
  return look == Look::kLastOther ? ScanBackUntil(units, limit, stops)
                                  : ScanUntil(units, limit, stops);
}

}  // namespace detail

// Length of the terminated `text`, looking at no more than `limit` units.
template <class Unit>
std::size_t BoundedLength(const Unit* text, std::size_t limit) {
  std::size_t wide = 0;
  if (detail::WideScan(detail::Look::kUnit, text, limit, Unit(0), Unit(0), &wide)) return wide;
  if (detail::kNarrow<Unit>) return strnlen(reinterpret_cast<const char*>(text), limit);
  if (detail::kWideRuntime<Unit>) return wcsnlen(reinterpret_cast<const wchar_t*>(text), limit);
  return detail::Scan(detail::Look::kUnit, text, limit, Unit(0),
                      [](Unit u) { return u == Unit(0); });
}

// Position of the first of the `count` units equal to `unit`, or `count`. Terminators among
// them are ordinary units: the caller has measured the range.
template <class Unit>
std::size_t FindUnit(const Unit* units, std::size_t count, Unit unit) {
  if (count == 0) return 0;
  if (detail::kNarrow<Unit>) {
    const void* hit = std::memchr(units, static_cast<unsigned char>(unit), count);
    return hit == nullptr ? count
                          : static_cast<std::size_t>(static_cast<const unsigned char*>(hit) -
                                                     reinterpret_cast<const unsigned char*>(units));
  }
  if (detail::kWideRuntime<Unit>) {
    const wchar_t* start = reinterpret_cast<const wchar_t*>(units);
    const wchar_t* hit = std::wmemchr(start, static_cast<wchar_t>(unit), count);
    return hit == nullptr ? count : static_cast<std::size_t>(hit - start);
  }
  return detail::Scan(detail::Look::kUnit, units, count, unit,
                      [unit](Unit u) { return u == unit; });
}

// Position of the first `unit` or terminator within the first `limit` units of `text`, or
// `limit`: one pass that stops at whichever comes first.
template <class Unit>
std::size_t FirstOrEnd(const Unit* text, std::size_t limit, Unit unit) {
  if (detail::kWideRuntime<Unit>) return FindUnit(text, BoundedLength(text, limit), unit);
  return detail::Scan(detail::Look::kUnitOrEnd, text, limit, unit,
                      [unit](Unit u) { return u == Unit(0) || u == unit; });
}

// Position of the first of the `count` units that differs from `unit`, or `count`.
template <class Unit>
std::size_t FirstOther(const Unit* units, std::size_t count, Unit unit) {
  return detail::Scan(detail::Look::kOther, units, count, unit,
                      [unit](Unit u) { return u != unit; });
}

// One past the last of the `count` units that differs from `unit`, or 0.
template <class Unit>
std::size_t EndOfLastOther(const Unit* units, std::size_t count, Unit unit) {
  return detail::Scan(detail::Look::kLastOther, units, count, unit,
                      [unit](Unit u) { return u != unit; });
}

// Position of the first of the `count` units that is `first` followed (within them) by
// `second`, or `count`: the candidates of a search for a run of units.
template <class Unit>
std::size_t FirstPair(const Unit* units, std::size_t count, Unit first, Unit second) {
  if (count < 2) return count;
  std::size_t position = 0;
  if (detail::kWideRuntime<Unit>) {
    // The runtime finds the first units; few of them are not followed by the second.
    for (;;) {
      position += FindUnit(units + position, count - 1 - position, first);
      if (position >= count - 1) return count;
      if (units[position + 1] == second) return position;
      ++position;
    }
  }
  if (detail::WideScan(detail::Look::kPair, units, count, first, second, &position))
    return position;
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (detail::InBlocks(units))
    return detail::FirstPairInBlocks<detail::Body>(units, count, first, second);
#endif
  for (; position + 1 < count; ++position)
    if (units[position] == first && units[position + 1] == second) return position;
  return count;
}

}  // namespace scan
}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_SCAN_H
