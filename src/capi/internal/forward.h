// What every file of the C interface shares: the C header beside the class, and the one cast
// that lets a `const` input of the C interface reach a member that takes a plain pointer.
#ifndef CORVIXMATH_CAPI_INTERNAL_FORWARD_H
#define CORVIXMATH_CAPI_INTERNAL_FORWARD_H

#include <cstdint>
#include <type_traits>

#include "CMathOperation.h"
#include "corvixmath.h"

// 16-bit texts pass straight through: uint16_t is the class's unsigned short.
static_assert(std::is_same<std::uint16_t, unsigned short>::value,
              "uint16_t must be unsigned short");
static_assert(sizeof(int) == sizeof(std::int32_t), "int must be 32 bits");

namespace corvix {
namespace capi {

// The members take inputs as plain pointers but never write through the ones the C interface
// declares `const`; the identity test holds every input buffer to that.
template <class Unit>
Unit* Input(const Unit* text) {
  return const_cast<Unit*>(text);
}

// A `long` result of a member is the 32-bit value of 32-bit Windows, sign-extended, so
// it fits int32_t exactly.
inline std::int32_t Result32(long value) {
  return static_cast<std::int32_t>(value);
}

// A signed capacity of the C interface as the members take it. The members read a capacity as
// an unsigned 32-bit count, as 32-bit Windows does, so a negative one would allow gigabytes;
// here it is no room at all, and the text is refused.
inline long Capacity(std::int32_t capacity) {
  return capacity < 0 ? 0 : static_cast<long>(capacity);
}

}  // namespace capi
}  // namespace corvix

#endif  // CORVIXMATH_CAPI_INTERNAL_FORWARD_H
