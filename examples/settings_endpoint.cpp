// A settings dialog's check of the "address:port" a user typed for a device: the address
// part and the port on success, the reason otherwise.
#include <cstdio>
#include <cstring>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

const char* Reason(long result) {
  switch (-result) {
    case CORVIXMATH_ADDRESS_NO_DOT:
      return "the address has no dot";
    case CORVIXMATH_ADDRESS_FIELD_ABOVE_254:
      return "an address field is above 254";
    case CORVIXMATH_ADDRESS_FIELD_NEGATIVE:
      return "an address field is negative";
    case CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS:
      return "the address does not have four fields";
    case CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER:
      return "the address's last field is not a number";
    default:
      break;
  }
  if (result == 0) return "no port, or the port is not a number from 0 to 65535";
  return "the port is not a plain number";  // -1 to -8: the negated number form code
}

}  // namespace

int main() {
  CMathOperation math;
  const char* entries[] = {"192.168.1.20:502", "10.0.0.7: 8080 ", "192.168.1.20", "192.168.1.20:",
                           "1.2.3.4:70000",    "1.2.3.4:-80",     "1.2.3.4:80K",  "1.2.3:80",
                           "256.1.1.1:80",     "1.2.3.x:80",      ":80"};
  for (const char* entry : entries) {
    // The check trims the blanks around the port in the text itself: give it a copy.
    char text[64];
    std::snprintf(text, sizeof text, "%s", entry);
    char address[CORVIXMATH_ADDRESS_BYTES] = "";
    unsigned short port = 0;
    long result = math.IsValidIpAndPortString(text, address, &port);
    if (result == 1)
      std::printf("%-18s ok: address %s, port %u\n", entry, address, port);
    else
      std::printf("%-18s refused (%ld): %s\n", entry, result, Reason(result));
  }
  return 0;
}
