// The C interface: the library's version.
//
//   cm_version() -> "1.0.0"
#include "capi/internal/forward.h"

#define CORVIXMATH_STRINGIFY_VALUE(value) #value
#define CORVIXMATH_STRINGIFY(value) CORVIXMATH_STRINGIFY_VALUE(value)

const char* CORVIXMATH_CALL cm_version(void) {
  return CORVIXMATH_STRINGIFY(CORVIXMATH_VERSION_MAJOR) "." CORVIXMATH_STRINGIFY(
      CORVIXMATH_VERSION_MINOR) "." CORVIXMATH_STRINGIFY(CORVIXMATH_VERSION_PATCH);
}
