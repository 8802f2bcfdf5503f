// The scans in 32-byte blocks, for processors with AVX2: this file alone is compiled for them,
// and the library calls into it only on such a processor.
#include "frame/internal/scan.h"

#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
#include <immintrin.h>

namespace corvix {
namespace scan {
namespace detail {
namespace {

// Internal, with every scan instantiated on it: no code built for AVX2 is shared with the
// rest of the library. A comparison leaves the units' differences from the pattern, zero where
// a unit is equal, so that the hits of two comparisons join in their unsigned minimum and four
// blocks are tested at once.
struct Avx2Body {
  using Block = __m256i;
  using Hits = __m256i;
  static constexpr std::size_t kBlockBytes = 32;
  template <class Unit>
  static constexpr unsigned BitsPerUnit() {
    return sizeof(Unit);
  }

  static Block Load(const unsigned char* aligned) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(aligned));
  }
  static Block LoadAnywhere(const unsigned char* bytes) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
  }
  template <class Unit>
  static Block Pattern(Unit unit) {
    if (sizeof(Unit) == 1) return _mm256_set1_epi8(static_cast<char>(unit));
    return _mm256_set1_epi16(static_cast<short>(unit));
  }
  template <class Unit>
  static Hits Equal(Block block, Block pattern) {
    return _mm256_xor_si256(block, pattern);
  }
  template <class Unit>
  static Hits Or(Hits a, Hits b) {
    if (sizeof(Unit) == 1) return _mm256_min_epu8(a, b);
    return _mm256_min_epu16(a, b);
  }
  template <class Unit>
  static std::uint64_t Mask(Hits hits) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i equal =
        sizeof(Unit) == 1 ? _mm256_cmpeq_epi8(hits, zero) : _mm256_cmpeq_epi16(hits, zero);
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(equal));
  }
  template <class Unit>
  static Hits Both(Hits a, Hits b) {
    return _mm256_or_si256(a, b);
  }
  template <class Unit>
  static bool Any(Hits hits) {
    return Mask<Unit>(hits) != 0;
  }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return 0xFFFFFFFFu;
  }
};

}  // namespace

std::size_t Avx2Scan(Look look, const std::uint8_t* units, std::size_t limit, std::uint8_t unit,
                     std::uint8_t second) {
  return ScanInBlocks<Avx2Body>(look, units, limit, unit, second);
}

std::size_t Avx2Scan(Look look, const std::uint16_t* units, std::size_t limit, std::uint16_t unit,
                     std::uint16_t second) {
  return ScanInBlocks<Avx2Body>(look, units, limit, unit, second);
}

}  // namespace detail
}  // namespace scan
}  // namespace corvix

#endif
