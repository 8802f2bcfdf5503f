// The expression checker: VerifyRegExpString with formulas made of short names, numbers, signs,
// points, parentheses, blanks and stray characters, around and past the 127-character working
// copy; with and without a message buffer and a variable list.
//
// Checked against a model of the documented tests in their documented order (the first failing
// test decides the code and the message), for formulas that fit the working copy; for any
// formula the code is one of the documented ones, the message buffer holds its message (and is
// untouched on success), and neither the formula nor the list changes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

constexpr std::size_t kExpressionText = 127;
constexpr std::size_t kMessageBytes = CORVIXMATH_MESSAGE_BYTES;

bool Letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool Digit(char c) {
  return c >= '0' && c <= '9';
}
bool Infix(char c) {
  return c != '\0' && std::strchr("+*/<>&|", c) != nullptr;
}
bool Prefix(char c) {
  return c == '-' || c == '!';
}

const char* MessageOf(long code) {
  switch (code) {
    case -20:
      return "Closing parenthesis without opening parenthesis was found";
    case -21:
      return "Some parenthesis are still not closed";
    case -22:
      return "Numeric Value followed by Variable ";
    case -23:
      return "Two Adjacent sign detected.";
    case -24:
      return "Floating point could onlu be used in numeric values.";
    case -25:
      return "Regular Expression could not start whit this sign.";
    case -26:
      return "Undefined variable";
    case -27:
      return "Right side should have a value.";
    case -28:
      return "Variable followed by Numeric Value ";
    case -29:
      return "Invalid Character detected.";
    case -30:
      return "Variable Len should be less than 4 characters.";
    default:
      return nullptr;
  }
}

long Model(const std::string& expression, const char* variables) {
  std::string t;
  for (char c : expression)
    if (c != ' ') t += c;
  const auto at = [&t](long i) {
    return i < 0 || i >= static_cast<long>(t.size()) ? '\0' : t[static_cast<std::size_t>(i)];
  };
  const long n = static_cast<long>(t.size());

  long depth = 0;
  for (char c : t) {
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (depth < 0) return -20;
  }
  if (depth > 0) return -21;
  for (char c : t)
    if (!Letter(c) && !Digit(c) && !Infix(c) && !Prefix(c) && c != '.' && c != '(' && c != ')' &&
        c != '_')
      return -29;
  for (long i = 0; i < n; ++i) {
    if (Letter(at(i)) && Digit(at(i + 1))) return -28;
    if (Digit(at(i)) && Letter(at(i + 1))) return -22;
  }
  if (n > 0 && Infix(t[0])) return -25;
  if (n > 0 && (Infix(t.back()) || Prefix(t.back()))) return -27;
  long run = 0;
  for (char c : t) {
    run = Letter(c) ? run + 1 : 0;
    if (run == 4) return -30;
  }
  for (long i = 0; i < n; ++i) {
    const char c = at(i);
    if (Infix(c) && Infix(at(i + 1))) return -23;
    if (Prefix(c) && (Infix(at(i + 1)) || Prefix(at(i + 1)))) return -23;
    if (c == '.' && !(i > 0 && Digit(at(i - 1)) && Digit(at(i + 1)))) return -24;
  }
  if (variables != nullptr && n > 0) {
    for (long i = 0; i < n; ++i) {
      if (!Letter(at(i)) || Letter(at(i - 1))) continue;
      std::string name;
      for (long j = i; Letter(at(j)); ++j)
        name += at(j);
      if (std::strstr(variables, ("#" + name + "#").c_str()) == nullptr) return -26;
    }
  }
  return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CMathOperation library;
  Source<char> expression(corvix_fuzz::As<char>(input.Text("abcxAB019 .()_+-*/<>&|!=,\t", 8)));
  Source<char> variables(corvix_fuzz::As<char>(input.Text("#abcxAB", 8)));
  const bool nullMessage = input.Pick(6) == 0;
  const bool nullVariables = input.Pick(6) == 0;
  const std::vector<char> formula = expression.Units();
  const std::vector<char> list = variables.Units();
  corvix_fuzz::Note("VerifyRegExpString '%s' with '%s'", expression.data(),
                    nullVariables ? "(null)" : variables.data());

  Destination<char> message(kMessageBytes);
  const long code =
      library.VerifyRegExpString(expression.data(), nullMessage ? nullptr : message.data(),
                                 nullVariables ? nullptr : variables.data());
  FUZZ_CHECK(message.CanariesIntact());
  FUZZ_CHECK(expression.Holds(formula));
  FUZZ_CHECK(variables.Holds(list));
  FUZZ_CHECK(code == 1 || MessageOf(code) != nullptr);
  if (code == 1 || nullMessage) {
    FUZZ_CHECK(message.Unchanged());
  } else {
    FUZZ_CHECK(message.Holds(corvix_fuzz::UnitsOf<char>(MessageOf(code))));
  }
  if (formula.size() <= kExpressionText)
    FUZZ_CHECK(code ==
               Model(corvix_fuzz::StringOf(formula), nullVariables ? nullptr : variables.data()));
  return 0;
}
