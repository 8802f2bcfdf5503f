// The shared table of member calls (tests/hardening/member_calls.cpp) compiled a second time,
// with CMathOperation replaced by CApiOperation: every entry then calls the C interface on the
// table's inputs. Its own namespace keeps it apart from the class's table in the same program.
#include "tests/capi/c_operation.h"

#include "tests/capi/member_calls_through_c.h"

namespace corvix_capi_test {

namespace {
int changedInputs = 0;
}  // namespace

int InputsChanged() {
  return changedInputs;
}

void detail::CountChangedInput() {
  ++changedInputs;
}

}  // namespace corvix_capi_test

// The table itself, over CApiOperation, in a namespace of its own.
#define CMathOperation corvix_capi_test::CApiOperation
#define corvix_test corvix_capi_table
#include "tests/hardening/member_calls.cpp"  // NOLINT(bugprone-suspicious-include)
#undef corvix_test
#undef CMathOperation

namespace corvix_capi_test {

std::vector<CallDigest> DigestsThroughC() {
  corvix_capi_table::CallProbe probe;
  std::vector<CallDigest> digests;
  for (const corvix_capi_table::MemberCall& call : corvix_capi_table::AllMemberCalls())
    digests.push_back({call.member, call.run(probe)});
  return digests;
}

}  // namespace corvix_capi_test
