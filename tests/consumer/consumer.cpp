// A host program built against an installed CorvixMath: the public header, found as
// "CMathOperation.h" through the package's include directory (package_folder.cpp names it
// <corvixmath/CMathOperation.h>), and the exported symbols.
#include <cstdio>
#include <cstring>

#include "CMathOperation.h"

bool AddressCheckThroughPackageFolder();

namespace {

int failures = 0;

void Check(bool passed, const char* what) {
  if (!passed) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}

}  // namespace

int main() {
  CMathOperation math;
  char tank[] = "Tank.Level";
  Check(math.FindCharposInString(tank, '.') == 4, "FindCharposInString finds the point");

  char kilo[] = "Kilo";
  Check(math.ScaleString2Index(kilo) == 3, "ScaleString2Index knows Kilo");

  char text[32] = {};
  char unit[] = "V";
  Check(math.DoubleToEngString(text, 12345.678, unit, 4, sizeof text, 3) == 1,
        "DoubleToEngString writes the text");
  Check(std::strcmp(text, "12.34 KV") == 0, "DoubleToEngString gives 12.34 KV");

  Check(AddressCheckThroughPackageFolder(),
        "<corvixmath/CMathOperation.h> reaches the same library: IsValidIpAndPortString");

  CMathOperation copy(math);
  Check(&(copy = math) == &copy, "assignment returns the left-hand object");

  std::printf("corvixmath consumer: %s\n", failures == 0 ? "all checks passed" : "checks failed");
  return failures == 0 ? 0 : 1;
}
