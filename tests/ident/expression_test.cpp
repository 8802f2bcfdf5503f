// The expression checker: codes, the order of its tests, its messages and the buffer it writes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "support/test_units.h"

namespace {

constexpr const char* kNoList = nullptr;

struct VerdictCase {
  const char* expression;
  const char* variables;
  long expected;
};

long Verify(const char* expression, const char* variables, char* message = nullptr) {
  CMathOperation math;
  return math.VerifyRegExpString(const_cast<char*>(expression), message,
                                 const_cast<char*>(variables));
}

const VerdictCase kVerdictCases[] = {
    // Valid formulas, blanks taking no part.
    {"", "#a#", 1},
    {"   ", "#a#", 1},
    {"", kNoList, 1},
    {"(a+b)*2.5-c", "#a#b#c#", 1},
    {"a>1&b<2|!c", "#a#b#c#", 1},
    {"a+b", "#a#b#", 1},
    {"a + b", "#a#b#", 1},
    {" ( a ) ", "#a#", 1},
    {"a(b)", "#a#b#", 1},
    {"(a+)", "#a#b#", 1},
    {"1.5", kNoList, 1},
    {"1.2.3", kNoList, 1},
    {"1 . 5", kNoList, 1},  // the point stands between two digits once blanks are gone
    {"abc", "#abc#", 1},
    {"ab_cd", "#ab#cd#", 1},
    {"a+-b", "#a#b#", 1},
    {"a*!b", "#a#b#", 1},
    {"a&!b", "#a#b#", 1},
    {"a<-1", "#a#", 1},
    {"-a", "#a#", 1},
    {"!a", "#a#", 1},
    {"-(1)", kNoList, 1},
    {"a-b", "#a#b#", 1},
    {"_", "", 1},
    // Variables and the list.
    {"a+c", "#a#b#", -26},
    {"A+b", "#a#b#", -26},
    {"a+c", kNoList, 1},
    {"ab", "#abc#", -26},
    {"abc", "#ab#c#", -26},
    {"a+b", "#a#b", -26},  // b is not closed by '#'
    {"a+b+a", "#a#b#", 1},
    {"a+b+c", "#a#b#", -26},
    {"a b", "#a#b#", -26},  // blanks removed: one variable 'ab'
    {"a b", "#ab#", 1},
    {"a", "", -26},
    // Parentheses, tested after every character.
    {"(a+b", "#a#b#", -21},
    {"a+b)", "#a#b#", -20},
    {")a(", "#a#", -20},
    {"((1)", kNoList, -21},
    {"(1))(", kNoList, -20},
    // Invalid characters.
    {"a=b", "#a#b#", -29},
    {"a,b", "#a#b#", -29},
    {"a\tb", "#a#b#", -29},
    {"a[1]", "#a#", -29},
    {"a\xC7", "#a#", -29},
    {"\x80", kNoList, -29},
    // Letters next to digits.
    {"a1", "#a#", -28},
    {"1a", "#a#", -22},
    {"a1b", "#a#b#", -28},
    {"1 a", "#a#", -22},
    // First and last character.
    {"*a", "#a#", -25},
    {"+1", kNoList, -25},
    {"&a", "#a#", -25},
    {"|a", "#a#", -25},
    {"<a", "#a#", -25},
    {">a", "#a#", -25},
    {"/a", "#a#", -25},
    {" *a", "#a#", -25},
    {"a+", "#a#", -27},
    {"a-", "#a#", -27},
    {"a!", "#a#", -27},
    {"a| ", "#a#", -27},
    {"-", kNoList, -27},
    // Variable length.
    {"abcd", "#abcd#", -30},
    {"ab cd", "#abcd#", -30},
    {"a+abcde", "#a#", -30},
    // Signs and points.
    {"a++b", "#a#b#", -23},
    {"a--b", "#a#b#", -23},
    {"a-!b", "#a#b#", -23},
    {"!!a", "#a#", -23},
    {"a<>b", "#a#b#", -23},
    {"a&&b", "#a#b#", -23},
    {"a||b", "#a#b#", -23},
    {"a<<b", "#a#b#", -23},
    {"a-+b", "#a#b#", -23},
    {"a + + b", "#a#b#", -23},
    {"1.", kNoList, -24},
    {".5", kNoList, -24},
    {"a.5", "#a#", -24},
    {"1..2", kNoList, -24},
    {"(1).5", kNoList, -24},
};

TEST(VerifyRegExpString, ReturnsTheCodeOfTheFirstFailingTest) {
  for (const VerdictCase& c : kVerdictCases) {
    EXPECT_EQ(Verify(c.expression, c.variables), c.expected)
        << "'" << c.expression << "' with " << (c.variables ? c.variables : "no list");
  }
}

// Each formula fails two tests; the one that runs first decides.
const VerdictCase kOrderCases[] = {
    {"abcd)", "#a#", -20},     // parentheses before length
    {")=", kNoList, -20},      // parentheses before characters
    {"(=", kNoList, -21},      // an open parenthesis before characters
    {"a2=", "#a#", -29},       // characters before letters next to digits
    {"=*a", "#a#", -29},       // characters before the first character
    {"a1+", "#a#", -28},       // letters next to digits before the last character
    {"*a1", "#a#", -28},       // letters next to digits before the first character
    {"2a", "", -22},           // a digit before a letter before the lookup
    {"*a+", "#a#", -25},       // the first character before the last
    {"*abcd", "#a#", -25},     // the first character before length
    {"abcd+", "#a#", -27},     // the last character before length
    {"a++", "#a#", -27},       // the last character before adjacent signs
    {".5+", kNoList, -27},     // the last character before the point
    {"abcd++b", "#b#", -30},   // length before adjacent signs
    {"abcd.5", kNoList, -30},  // length before the point
    {"x++a", "#a#", -23},      // adjacent signs before the lookup
    {"x.5", "#a#", -24},       // the point before the lookup
    {"x+y", "", -26},          // only the lookup fails
};

TEST(VerifyRegExpString, RunsItsTestsInTheirFixedOrder) {
  for (const VerdictCase& c : kOrderCases) {
    EXPECT_EQ(Verify(c.expression, c.variables), c.expected) << "'" << c.expression << "'";
  }
}

struct MessageCase {
  const char* expression;
  long expected;
  const char* message;
};

const MessageCase kMessageCases[] = {
    {"a)", -20, "Closing parenthesis without opening parenthesis was found"},
    {"(a", -21, "Some parenthesis are still not closed"},
    {"1a", -22, "Numeric Value followed by Variable "},
    {"a**b", -23, "Two Adjacent sign detected."},
    {".5", -24, "Floating point could onlu be used in numeric values."},
    {"*a", -25, "Regular Expression could not start whit this sign."},
    {"z", -26, "Undefined variable"},
    {"a+", -27, "Right side should have a value."},
    {"a1", -28, "Variable followed by Numeric Value "},
    {"a=b", -29, "Invalid Character detected."},
    {"abcd", -30, "Variable Len should be less than 4 characters."},
};

TEST(VerifyRegExpString, WritesTheMessageOfItsCodeWithinTheBuffer) {
  for (const MessageCase& c : kMessageCases) {
    corvix_test::CanaryBuffer<char> message(corvix::kMessageBytes);
    EXPECT_EQ(Verify(c.expression, "#a#b#", message.data()), c.expected) << c.expression;
    EXPECT_STREQ(message.data(), c.message) << c.expression;
    EXPECT_TRUE(message.CanariesIntact()) << c.expression;
  }
}

TEST(VerifyRegExpString, LeavesTheMessageAloneOnSuccess) {
  char message[corvix::kMessageBytes];
  std::strcpy(message, "held before");
  EXPECT_EQ(Verify("a + b", "#a#b#", message), 1);
  EXPECT_STREQ(message, "held before");
  EXPECT_EQ(Verify("", "#a#", message), 1);
  EXPECT_STREQ(message, "held before");
}

TEST(VerifyRegExpString, NullArgumentsAreNoFault) {
  CMathOperation math;
  EXPECT_EQ(math.VerifyRegExpString(nullptr, nullptr, nullptr), 1);
  char message[corvix::kMessageBytes] = "kept";
  char variables[] = "#a#";
  EXPECT_EQ(math.VerifyRegExpString(nullptr, message, variables), 1);
  EXPECT_STREQ(message, "kept");
  EXPECT_EQ(Verify("a+", "#a#", nullptr), -27);
}

TEST(VerifyRegExpString, NeverChangesTheExpression) {
  char expression[] = " a + b ) ";
  const std::string before(expression);
  char message[corvix::kMessageBytes];
  CMathOperation math;
  char variables[] = "#a#b#";
  EXPECT_EQ(math.VerifyRegExpString(expression, message, variables), -20);
  EXPECT_EQ(before, expression);
}

// A formula longer than 127 characters is checked whole: a fault in its tail is found.
TEST(VerifyRegExpString, ChecksAFormulaOfAnyLengthWhole) {
  std::string longFormula = "a";
  while (longFormula.size() < 300)
    longFormula += " + a";
  EXPECT_EQ(Verify(longFormula.c_str(), "#a#"), 1);

  struct TailCase {
    const char* tail;
    long expected;
  };
  const TailCase tails[] = {
      {"=b", -29}, {")", -20}, {"+b1", -28}, {"+", -27}, {"+bcde", -30}, {"++b", -23}, {"+c", -26},
  };
  for (const TailCase& t : tails) {
    for (std::size_t headLength : {120u, 126u, 127u, 128u, 200u}) {
      std::string formula(headLength, ' ');
      formula[0] = 'a';
      formula += t.tail;
      EXPECT_EQ(Verify(formula.c_str(), "#a#b#"), t.expected) << t.tail << " after " << headLength;
    }
  }
  // An opening parenthesis left open far from where it was opened.
  std::string open = "(" + std::string(400, ' ') + "a";
  EXPECT_EQ(Verify(open.c_str(), "#a#"), -21);
}

}  // namespace
