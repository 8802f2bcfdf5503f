// Read-word helpers that the C interface shares with the members.
#ifndef CORVIXMATH_DEVICE_INTERNAL_READ_WORD_H
#define CORVIXMATH_DEVICE_INTERNAL_READ_WORD_H

#include <cstdint>

namespace corvix {
namespace device {

// LongExistInList over a list of 32-bit integers: the same search, the same results.
long LongExistInList32(std::int32_t value, const std::int32_t* list, std::int32_t count);

}  // namespace device
}  // namespace corvix

#endif  // CORVIXMATH_DEVICE_INTERNAL_READ_WORD_H
