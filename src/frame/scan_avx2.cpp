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
// rest of the library.
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
  template <class Unit>
  static Block Pattern(Unit unit) {
    if (sizeof(Unit) == 1) return _mm256_set1_epi8(static_cast<char>(unit));
    return _mm256_set1_epi16(static_cast<short>(unit));
  }
  template <class Unit>
  static Hits Equal(Block block, Block pattern) {
    if (sizeof(Unit) == 1) return _mm256_cmpeq_epi8(block, pattern);
    return _mm256_cmpeq_epi16(block, pattern);
  }
  static Hits Or(Hits a, Hits b) { return _mm256_or_si256(a, b); }
  static std::uint64_t Mask(Hits hits) {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(hits));
  }
  static bool Any(Hits hits) { return _mm256_testz_si256(hits, hits) == 0; }
  template <class Unit>
  static constexpr std::uint64_t AllUnits() {
    return 0xFFFFFFFFu;
  }
};

}  // namespace

std::size_t Avx2Scan(Look look, const std::uint8_t* units, std::size_t limit, std::uint8_t unit) {
  return ScanInBlocks<Avx2Body>(look, units, limit, unit);
}

std::size_t Avx2Scan(Look look, const std::uint16_t* units, std::size_t limit,
                     std::uint16_t unit) {
  return ScanInBlocks<Avx2Body>(look, units, limit, unit);
}

}  // namespace detail
}  // namespace scan
}  // namespace corvix

#endif
