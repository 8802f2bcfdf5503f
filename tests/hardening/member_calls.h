// A table of calls of every exported member, in every flavour, on fixed inputs, shared by the
// thread-safety and allocation checks.
//
// Each entry prepares its own inputs and buffers, calls its member (once per input) between
// CallProbe::Enter and CallProbe::Leave, and returns a digest of every result and output. Only
// the member call lies inside the probe's span: preparing inputs and building the digest may
// allocate, the call itself is what a check looks at.
#ifndef CORVIXMATH_TESTS_HARDENING_MEMBER_CALLS_H
#define CORVIXMATH_TESTS_HARDENING_MEMBER_CALLS_H

#include <string>
#include <vector>

namespace corvix_test {

class CallProbe {
 public:
  virtual ~CallProbe() = default;
  virtual void Enter() {}
  virtual void Leave() {}
};

struct MemberCall {
  const char* family;  // the subsystem: frame, format, text, ident, vocab, device, stats
  const char* member;  // the member's name, with its flavour in parentheses where it has several
  std::string (*run)(CallProbe& probe);
};

const std::vector<MemberCall>& AllMemberCalls();

}  // namespace corvix_test

#endif  // CORVIXMATH_TESTS_HARDENING_MEMBER_CALLS_H
