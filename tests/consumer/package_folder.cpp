// The include form of installed packages: the headers named under their package folder,
// <corvixmath/...>. The rest of the consumer names "CMathOperation.h" alone; both forms must
// reach the same headers, so the program links and the two halves agree.
#include <corvixmath/CMathOperation.h>
#include <corvixmath/CorvixLimits.h>

#include <cstring>

bool AddressCheckThroughPackageFolder() {
  CMathOperation math;
  char endpoint[] = "10.0.0.1: 502 ";
  char address[CORVIXMATH_ADDRESS_BYTES] = "";
  unsigned short port = 0;
  return math.IsValidIpAndPortString(endpoint, address, &port) == 1 &&
         std::strcmp(address, "10.0.0.1") == 0 && port == 502 &&
         std::strcmp(endpoint, "10.0.0.1:502") == 0;
}
