// The scans every text member is built on: the length of a terminated text within a bound, the
// first unit equal to a given one, the first unit that is either that one or the terminator,
// and the first and last units that differ from a given one.
//
// Narrow texts go to the runtime's strnlen and memchr where they answer the question asked, and
// 16-bit texts (and the 16-bit wchar_t of Windows) to block bodies: SSE2 on x86, which both x86
// builds assume, NEON on ARM where the compiler targets it, and eight-byte words everywhere
// else. The 32-bit wchar_t of other systems goes to wcsnlen and wmemchr, and any other unit a
// unit at a time.
//
// A block body never reads what may fault. It loads whole aligned blocks: an aligned block
// that holds a unit the scan has to read lies within that unit's page, so a scan that stops at
// a terminator or at its bound never touches the page after it, however far its last block
// reaches past them. Blocks are taken four at a time only from an address aligned to all four.
// AddressSanitizer checks the bytes such a block reads past the terminator (never past the
// page) and would report them, so under it, and under MemorySanitizer, every scan goes a unit
// at a time with its exact bound: what is read there is exactly what a member may read.
#ifndef CORVIXMATH_FRAME_INTERNAL_SCAN_H
#define CORVIXMATH_FRAME_INTERNAL_SCAN_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <limits>
#include <type_traits>

#if defined(__SANITIZE_ADDRESS__)
#define CORVIXMATH_SCAN_EXACT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define CORVIXMATH_SCAN_EXACT 1
#endif
#endif

#if defined(CORVIXMATH_SCAN_EXACT)
#define CORVIXMATH_SCAN_BODY_EXACT 1
#elif defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define CORVIXMATH_SCAN_BODY_SSE2 1
#elif defined(__ARM_NEON) && defined(__ARM_ARCH) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#include <arm_neon.h>
#define CORVIXMATH_SCAN_BODY_NEON 1
#else
#define CORVIXMATH_SCAN_BODY_WORDS 1
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

inline unsigned LowestBit(std::uint64_t mask) {
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

inline unsigned HighestBit(std::uint64_t mask) {
#if defined(__GNUC__) || defined(__clang__)
  return 63u - static_cast<unsigned>(__builtin_clzll(mask));
#else
  unsigned bit = 63;
  while ((mask >> bit) == 0)
    --bit;
  return bit;
#endif
}

// The bits of a mask that stand for the first `bytes` bytes of a block.
template <class Body>
std::uint64_t BitsBelow(std::size_t bytes) {
  const std::size_t bits = bytes * Body::kBitsPerByte;
  return bits >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << bits) - 1;
}

// --- Block bodies. Each loads an aligned block of kBlockBytes bytes, compares its units with a
// pattern (a unit repeated over a block), and turns a comparison into a mask of kBitsPerByte
// bits per byte of the block, lowest bits first; a unit that compares equal sets the bits of
// all its bytes or, in the word body, the top bit of its last byte. AllUnits is the mask of a
// block whose every unit compares equal.

#if defined(CORVIXMATH_SCAN_BODY_SSE2)
struct Sse2Body {
  using Block = __m128i;
  static constexpr std::size_t kBlockBytes = 16;
  static constexpr unsigned kBitsPerByte = 1;

  static Block Load(const unsigned char* aligned) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(aligned));
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
  static Block Or(Block a, Block b) { return _mm_or_si128(a, b); }
  static std::uint64_t Mask(Block equal) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(equal));
  }
  static bool Any(Block equal) { return _mm_movemask_epi8(equal) != 0; }
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
  static constexpr std::size_t kBlockBytes = 16;
  static constexpr unsigned kBitsPerByte = 4;

  static Block Load(const unsigned char* aligned) { return vld1q_u8(aligned); }
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
  static Block Or(Block a, Block b) { return vorrq_u8(a, b); }
  // Four bits a byte: each 16-bit lane shifted right by four and narrowed keeps one nibble of
  // each of its two bytes.
  static std::uint64_t Mask(Block equal) {
    const uint8x8_t nibbles = vshrn_n_u16(vreinterpretq_u16_u8(equal), 4);
    return vget_lane_u64(vreinterpret_u64_u8(nibbles), 0);
  }
  static bool Any(Block equal) { return Mask(equal) != 0; }
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
  static constexpr std::size_t kBlockBytes = 8;
  static constexpr unsigned kBitsPerByte = 8;

  static Block Load(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
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
  static Block Or(Block a, Block b) {
    return a | b;
  }
  static std::uint64_t Mask(Block equal) {
    return equal;
  }
  static bool Any(Block equal) {
    return equal != 0;
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

// Position of the first of the `limit` units from `units` where `equal` (a block to its
// comparison) is true, or `limit`. Only blocks that hold a unit before the first hit are read.
template <class Body, class Unit, class Equal>
std::size_t FirstInBlocks(const Unit* units, std::size_t limit, Equal equal) {
  if (limit == 0) return 0;
  constexpr std::size_t kBlock = Body::kBlockBytes;
  constexpr std::size_t kGroup = 4 * kBlock;
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(units);
  const std::uintptr_t base = address & ~std::uintptr_t(kBlock - 1);
  const unsigned char* block = reinterpret_cast<const unsigned char*>(units) - (address - base);
  const std::size_t lead = address - base;
  const std::size_t end = lead + limit * sizeof(Unit);

  std::size_t at = 0;
  std::uint64_t mask = Body::Mask(equal(Body::Load(block))) & ~BitsBelow<Body>(lead);
  while (mask == 0) {
    at += kBlock;
    if (at >= end) return limit;
    // Whole groups, each aligned to its size and so within one page, while they end before
    // the bound and hold no hit.
    if ((base + at) % kGroup == 0) {
      while (end - at >= kGroup) {
        const typename Body::Block hits = Body::Or(
            Body::Or(equal(Body::Load(block + at)), equal(Body::Load(block + at + kBlock))),
            Body::Or(equal(Body::Load(block + at + 2 * kBlock)),
                     equal(Body::Load(block + at + 3 * kBlock))));
        if (Body::Any(hits)) break;
        at += kGroup;
      }
      if (at >= end) return limit;
    }
    mask = Body::Mask(equal(Body::Load(block + at)));
  }
  const std::size_t hit = at + LowestBit(mask) / Body::kBitsPerByte;
  return hit < end ? (hit - lead) / sizeof(Unit) : limit;
}

// One past the last of the `count` units from `units` where `equal` is true, or 0. All the
// units are the caller's to read.
template <class Body, class Unit, class Equal>
std::size_t EndOfLastInBlocks(const Unit* units, std::size_t count, Equal equal) {
  if (count == 0) return 0;
  constexpr std::size_t kBlock = Body::kBlockBytes;
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(units);
  const std::size_t lead = address & (kBlock - 1);
  const unsigned char* block = reinterpret_cast<const unsigned char*>(units) - lead;
  const std::size_t end = lead + count * sizeof(Unit);

  std::size_t at = (end - 1) & ~(kBlock - 1);
  std::uint64_t mask = Body::Mask(equal(Body::Load(block + at))) & BitsBelow<Body>(end - at);
  for (;;) {
    if (at == 0) mask &= ~BitsBelow<Body>(lead);
    if (mask != 0) break;
    if (at == 0) return 0;
    at -= kBlock;
    mask = Body::Mask(equal(Body::Load(block + at)));
  }
  return (at + HighestBit(mask) / Body::kBitsPerByte - lead) / sizeof(Unit) + 1;
}

// The comparisons the scans look for, on one body.
template <class Body, class Unit>
struct Comparisons {
  using Block = typename Body::Block;

  struct IsUnit {
    Block pattern;
    Block operator()(Block block) const { return Body::template Equal<Unit>(block, pattern); }
  };
  struct IsUnitOrEnd {
    Block pattern;
    Block zero;
    Block operator()(Block block) const {
      return Body::Or(Body::template Equal<Unit>(block, pattern),
                      Body::template Equal<Unit>(block, zero));
    }
  };
  // A mask, not a block: the complement of the equal units' bits.
  struct IsOther {
    Block pattern;
    std::uint64_t operator()(Block block) const {
      return Body::template AllUnits<Unit>() &
             ~Body::Mask(Body::template Equal<Unit>(block, pattern));
    }
  };
};

// A body whose comparisons are masks already: for the scans that look for a unit that differs.
template <class Body, class Unit>
struct OtherBody : Body {
  using Block = std::uint64_t;
  using Raw = typename Body::Block;
  static Raw Load(const unsigned char* aligned) { return Body::Load(aligned); }
  static std::uint64_t Mask(std::uint64_t mask) { return mask; }
  static std::uint64_t Or(std::uint64_t a, std::uint64_t b) { return a | b; }
  static bool Any(std::uint64_t mask) { return mask != 0; }
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

}  // namespace detail

// The block body this build uses, for the tests and the benchmarks to name.
#if defined(CORVIXMATH_SCAN_BODY_EXACT)
constexpr const char* kBodyName = "units";
#elif defined(CORVIXMATH_SCAN_BODY_SSE2)
constexpr const char* kBodyName = "SSE2";
#elif defined(CORVIXMATH_SCAN_BODY_NEON)
constexpr const char* kBodyName = "NEON";
#else
constexpr const char* kBodyName = "words";
#endif

// Length of the terminated `text`, looking at no more than `limit` units.
template <class Unit>
std::size_t BoundedLength(const Unit* text, std::size_t limit) {
  if (detail::kNarrow<Unit>) return strnlen(reinterpret_cast<const char*>(text), limit);
  if (detail::kWideRuntime<Unit>) return wcsnlen(reinterpret_cast<const wchar_t*>(text), limit);
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (detail::InBlocks(text)) {
    using Compare = detail::Comparisons<detail::Body, Unit>;
    return detail::FirstInBlocks<detail::Body>(
        text, detail::ClampedLimit<Unit>(limit),
        typename Compare::IsUnit{detail::Body::Pattern(Unit(0))});
  }
#endif
  return detail::ScanUntil(text, limit, [](Unit u) { return u == Unit(0); });
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
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (detail::InBlocks(units)) {
    using Compare = detail::Comparisons<detail::Body, Unit>;
    return detail::FirstInBlocks<detail::Body>(
        units, detail::ClampedLimit<Unit>(count),
        typename Compare::IsUnit{detail::Body::Pattern(unit)});
  }
#endif
  return detail::ScanUntil(units, count, [unit](Unit u) { return u == unit; });
}

// Position of the first `unit` or terminator within the first `limit` units of `text`, or
// `limit`: one pass that stops at whichever comes first.
template <class Unit>
std::size_t FirstOrEnd(const Unit* text, std::size_t limit, Unit unit) {
  if (detail::kNarrow<Unit> || detail::kWideRuntime<Unit>) {
    // The runtime's two scans, each reading many units a step, beat one pass here.
    const std::size_t length = BoundedLength(text, limit);
    return FindUnit(text, length, unit);
  }
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (detail::InBlocks(text)) {
    using Compare = detail::Comparisons<detail::Body, Unit>;
    return detail::FirstInBlocks<detail::Body>(
        text, detail::ClampedLimit<Unit>(limit),
        typename Compare::IsUnitOrEnd{detail::Body::Pattern(unit), detail::Body::Pattern(Unit(0))});
  }
#endif
  return detail::ScanUntil(text, limit, [unit](Unit u) { return u == Unit(0) || u == unit; });
}

// Position of the first of the `count` units that differs from `unit`, or `count`.
template <class Unit>
std::size_t FirstOther(const Unit* units, std::size_t count, Unit unit) {
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (count != 0 && (detail::kNarrow<Unit> || detail::InBlocks(units))) {
    using Compare = detail::Comparisons<detail::Body, Unit>;
    return detail::FirstInBlocks<detail::OtherBody<detail::Body, Unit>>(
        units, detail::ClampedLimit<Unit>(count),
        typename Compare::IsOther{detail::Body::Pattern(unit)});
  }
#endif
  return detail::ScanUntil(units, count, [unit](Unit u) { return u != unit; });
}

// One past the last of the `count` units that differs from `unit`, or 0.
template <class Unit>
std::size_t EndOfLastOther(const Unit* units, std::size_t count, Unit unit) {
#if !defined(CORVIXMATH_SCAN_BODY_EXACT)
  if (count != 0 && (detail::kNarrow<Unit> || detail::InBlocks(units))) {
    using Compare = detail::Comparisons<detail::Body, Unit>;
    return detail::EndOfLastInBlocks<detail::OtherBody<detail::Body, Unit>>(
        units, count, typename Compare::IsOther{detail::Body::Pattern(unit)});
  }
#endif
  return detail::ScanBackUntil(units, count, [unit](Unit u) { return u != unit; });
}

}  // namespace scan
}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_SCAN_H
