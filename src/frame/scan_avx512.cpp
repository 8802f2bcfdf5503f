// The scans in 64-byte blocks, for processors with AVX-512BW: this file alone is compiled for
// them, and the library calls into it only on such a processor.
#include "frame/internal/scan.h"

#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
#include <immintrin.h>

namespace corvix {
namespace scan {
namespace detail {
namespace {

// Internal, with every scan instantiated on it: no code built for AVX-512 is shared with the
// rest of the library. A comparison leaves the units' differences from the pattern, zero where
// a unit is equal, so that the hits of two comparisons join in their unsigned minimum and four
// blocks are tested at once with one test into a mask register, as the C library's scans do.
struct Avx512Body {
  using Block = __m512i;
  using Hits = __m512i;
  static constexpr std::size_t kBlockBytes = 64;
  template <class Unit>
  static constexpr unsigned BitsPerUnit() {
    return 1;
  }

  static Block Load(const unsigned char* aligned) { return _mm512_load_si512(aligned); }
  static Block LoadAnywhere(const unsigned char* bytes) { return _mm512_loadu_si512(bytes); }
  template <class Unit>
  static Block Pattern(Unit unit) {
    if (sizeof(Unit) == 1) return _mm512_set1_epi8(static_cast<char>(unit));
    return _mm512_set1_epi16(static_cast<short>(unit));
  }
  template <class Unit>
  static Hits Equal(Block block, Block pattern) {
    return _mm512_xor_si512(block, pattern);
  }
  template <class Unit>
  static Hits Or(Hits a, Hits b) {
    if (sizeof(Unit) == 1) return _mm512_min_epu8(a, b);
    return _mm512_min_epu16(a, b);
  }
  template <class Unit>
  static std::uint64_t Mask(Hits hits) {
    if (sizeof(Unit) == 1) return _mm512_testn_epi8_mask(hits, hits);
    return _mm512_testn_epi16_mask(hits, hits);
  }
  template <class Unit>
  static Hits Both(Hits a, Hits b) {
    return _mm512_or_si512(a, b);
  }
  template <class Unit>
  static bool Any(Hits hits) {
    return Mask<Unit>(hits) != 0;
  }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return sizeof(Unit) == 1 ? ~std::uint64_t(0) : 0xFFFFFFFFu;
  }
};

}  // namespace

std::size_t Avx512Scan(Look look, const std::uint8_t* units, std::size_t limit, std::uint8_t unit,
                       std::uint8_t second) {
  return ScanInBlocks<Avx512Body>(look, units, limit, unit, second);
}

std::size_t Avx512Scan(Look look, const std::uint16_t* units, std::size_t limit, std::uint16_t unit,
                       std::uint16_t second) {
  return ScanInBlocks<Avx512Body>(look, units, limit, unit, second);
}

}  // namespace detail
}  // namespace scan
}  // namespace corvix

#endif
