// A formula editor's check: each formula a user typed is checked against the variables the
// screen defines, and the message of a refused formula is shown beside it.
#include <cstdio>

#include "CMathOperation.h"
#include "CorvixLimits.h"

int main() {
  CMathOperation math;
  // Every defined variable between number signs.
  char variables[] = "#p#q#lvl#";
  const char* formulas[] = {
      "(p+q)*2.5-lvl", "lvl>1&p<2|!q", "p + q", "p+*q", "(p+q",    "p+q)", "2p", "p2",
      "p=q",           "p*",           "*p",    "1..5", "level+1", "p+r",  ""};
  for (const char* formula : formulas) {
    char message[CORVIXMATH_MESSAGE_BYTES] = "";
    long result = math.VerifyRegExpString(const_cast<char*>(formula), message, variables);
    char quoted[64];
    std::snprintf(quoted, sizeof quoted, "\"%s\"", formula);
    if (result == 1)
      std::printf("%-16s accepted\n", quoted);
    else
      std::printf("%-16s %ld \"%s\"\n", quoted, result, message);
  }
  return 0;
}
