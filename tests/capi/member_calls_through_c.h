// Digests of the shared table of member calls, run through the C interface.
#ifndef CORVIXMATH_TESTS_CAPI_MEMBER_CALLS_THROUGH_C_H
#define CORVIXMATH_TESTS_CAPI_MEMBER_CALLS_THROUGH_C_H

#include <string>
#include <vector>

namespace corvix_capi_test {

struct CallDigest {
  std::string member;  // the table's name of the entry
  std::string digest;  // every result and output of the entry's calls
};

// Every entry of the table, in the table's order, with CMathOperation answered by the C
// interface (CApiOperation).
std::vector<CallDigest> DigestsThroughC();

// Number of calls after which an input declared const differed from what it held before.
int InputsChanged();

}  // namespace corvix_capi_test

#endif  // CORVIXMATH_TESTS_CAPI_MEMBER_CALLS_THROUGH_C_H
