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
// rest of the library. Comparisons give mask registers, one bit a unit.
struct Avx512Body {
  using Block = __m512i;
  using Hits = std::uint64_t;
  static constexpr std::size_t kBlockBytes = 64;
  template <class Unit>
  static constexpr unsigned BitsPerUnit() {
    return 1;
  }

  static Block Load(const unsigned char* aligned) { return _mm512_load_si512(aligned); }
  template <class Unit>
  static Block Pattern(Unit unit) {
    if (sizeof(Unit) == 1) return _mm512_set1_epi8(static_cast<char>(unit));
    return _mm512_set1_epi16(static_cast<short>(unit));
  }
  template <class Unit>
  static Hits Equal(Block block, Block pattern) {
    if (sizeof(Unit) == 1) return _mm512_cmpeq_epi8_mask(block, pattern);
    return _mm512_cmpeq_epi16_mask(block, pattern);
  }
  static Hits Or(Hits a, Hits b) { return a | b; }
  static std::uint64_t Mask(Hits hits) { return hits; }
  static bool Any(Hits hits) { return hits != 0; }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return sizeof(Unit) == 1 ? ~std::uint64_t(0) : 0xFFFFFFFFu;
  }
};

}  // namespace

std::size_t Avx512Scan(Look look, const std::uint8_t* units, std::size_t limit,
                       std::uint8_t unit) {
  return ScanInBlocks<Avx512Body>(look, units, limit, unit);
}

std::size_t Avx512Scan(Look look, const std::uint16_t* units, std::size_t limit,
                       std::uint16_t unit) {
  return ScanInBlocks<Avx512Body>(look, units, limit, unit);
}

}  // namespace detail
}  // namespace scan
}  // namespace corvix

#endif
