// Event strings 'name(parameter1,...,parameterN)'.
#include <gtest/gtest.h>

#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;

char* Text(const std::string& text) {
  return const_cast<char*>(text.c_str());
}

struct EventTypeCase {
  std::string event;
  long expected;
};

const EventTypeCase kEventTypes[] = {
    {"ShowLinearDiagram", 1},
    {"ShowLinearDiagram(1)", 1},
    {"showlineardiagram(3,4)", 1},
    {"SHOWLINEARDIAGRAM", 1},
    {"ShowLinearDiagram()", 1},
    {"ShowLinearDiagram2(1)", -1},
    {"ShowLinearDiagram (3)", -1},
    {"(ShowLinearDiagram)", -1},
    {"ShowLinear", -1},
    {"", -1},
    // Names of 64 characters or more are cut to 63 and never match.
    {std::string(63, 'x') + "(1)", -1},
    {std::string(200, 'x') + "(1)", -1},
    {"ShowLinearDiagram" + std::string(100, ' '), -1},
};

TEST(EventType, OnlyTheNameBeforeTheFirstParenthesisCounts) {
  CMathOperation math;
  for (const EventTypeCase& c : kEventTypes)
    EXPECT_EQ(math.CheckEventType(Text(c.event)), c.expected) << c.event;
  EXPECT_EQ(math.CheckEventType(nullptr), -1);
}

TEST(ComplexDataSource, HasAnOpeningParenthesis) {
  CMathOperation math;
  const struct {
    const char* source;
    bool expected;
  } cases[] = {{"Tag1", false}, {"Avg(Tag1)", true}, {"(", true}, {"", false}, {")", false}};
  for (const auto& c : cases)
    EXPECT_EQ(math.IsComplexDataSource(Text(c.source)), c.expected) << c.source;
  EXPECT_FALSE(math.IsComplexDataSource(nullptr));
}

struct ParamListCase {
  std::string event;
  const char* expected;  // null: the destination keeps its preset contents
};

const ParamListCase kParamLists[] = {
    {"Trend(Tag1,Tag2,60)", "Tag1,Tag2,60"},
    {"F(a,(b),c) x", "a,(b),c"},
    {"F(a,b)", "a,b"},
    {"F()", ""},
    {"F(a)(b)", "a)(b"},
    {"F(", ""},
    {"F(abc", "abc"},
    {"F)(abc", "abc"},
    {"plain)text", "plain"},
    {"plain", "plain"},
    {"", nullptr},
};

TEST(CompleteParamList, TakesTheTextBetweenTheFirstOpeningAndTheLastClosingParenthesis) {
  CMathOperation math;
  for (const ParamListCase& c : kParamLists) {
    CanaryBuffer<char> list(CORVIXMATH_TEXT_UNITS);
    const auto before = list.Contents();
    math.GetCompleteParamList(Text(c.event), list.data());
    if (c.expected == nullptr) {
      EXPECT_EQ(list.Contents(), before) << c.event;
    } else {
      EXPECT_STREQ(list.data(), c.expected) << c.event;
    }
    EXPECT_TRUE(list.CanariesIntact()) << c.event;
  }
}

TEST(CompleteParamList, StaysWithinTwoThousandFortyEightBytesForALongEvent) {
  CMathOperation math;
  const std::string parameters(3000, 'p');
  CanaryBuffer<char> list(CORVIXMATH_TEXT_UNITS);
  math.GetCompleteParamList(Text("F(" + parameters + ")"), list.data());
  EXPECT_TRUE(list.CanariesIntact());
  // The first 2047 characters of the event take part: all but "F(" of them are the list.
  EXPECT_EQ(std::string(list.data()), parameters.substr(0, 2045));
  math.GetCompleteParamList(Text("F(a)"), nullptr);
  CanaryBuffer<char> untouched(CORVIXMATH_TEXT_UNITS);
  const auto before = untouched.Contents();
  math.GetCompleteParamList(nullptr, untouched.data());
  EXPECT_EQ(untouched.Contents(), before);
}

struct ParameterCase {
  std::string event;
  long number;
  unsigned int capacity;
  bool result;
  const char* expected;  // null: the destination keeps its preset contents
};

const std::string kLongList = std::string(70, 'a') + "," + "b)";
const std::string kLongListCut(63, 'a');

const ParameterCase kParameters[] = {
    {"Trend(Tag1,Tag2,60)", 1, 64, true, "Tag1"},
    {"Trend(Tag1,Tag2,60)", 2, 64, true, "Tag2"},
    {"Trend(Tag1,Tag2,60)", 3, 64, true, "60"},
    {"Trend(Tag1,Tag2,60)", 4, 64, true, "60"},
    {"Trend(Tag1,Tag2,60)", 2147483647L, 64, true, "60"},
    {"Trend(Tag1,Tag2,60)", 0, 64, true, "Tag1"},
    {"Trend(Tag1,Tag2,60)", -5, 64, true, "Tag1"},
    {"F(a,,c)", 2, 64, true, ""},
    {"F(a,,c)", 3, 64, true, "c"},
    {"F( a , b )", 2, 64, true, " b "},
    {"F()", 1, 64, true, ""},
    {"F(", 1, 64, true, nullptr},
    {"F(abc", 1, 64, true, "abc"},
    {"F(a)b,c)", 1, 64, true, "a)b"},
    {"NoParens", 1, 64, false, nullptr},
    {"", 1, 64, false, nullptr},
    // The last parameter: refused (false, destination untouched) unless it fits with its
    // terminator; a refusal is never reported as written.
    {"F(abcdef)", 1, 4, false, nullptr},
    {"F(abcdef)", 1, 6, false, nullptr},
    {"F(abcdef)", 1, 7, true, "abcdef"},
    // A parameter before a ',' obeys the capacity in the same way.
    {"F(abcdef,x)", 1, 4, false, nullptr},
    {"F(abcdef,x)", 1, 6, false, nullptr},
    {"F(abcdef,x)", 1, 7, true, "abcdef"},
    {"F(,x)", 1, 1, true, ""},
    {"F(a,x)", 1, 0, false, nullptr},
    // Lists of 64 characters or more are cut to their first 63.
    {"F(" + kLongList, 1, 63, false, nullptr},
    {"F(" + kLongList, 1, 64, true, kLongListCut.c_str()},
    {"F(" + kLongList, 1, 128, true, kLongListCut.c_str()},
    {"F(" + kLongList, 2, 128, true, kLongListCut.c_str()},
    {"F(" + std::string(61, 'a') + ",bc)", 2, 64, true, "b"},
};

TEST(EventParameters, WriteOneParameterOnlyWhenItFitsTheCapacity) {
  CMathOperation math;
  for (const ParameterCase& c : kParameters) {
    CanaryBuffer<char> parameter(c.capacity);
    const auto before = parameter.Contents();
    EXPECT_EQ(math.GetEventParameters(Text(c.event), parameter.data(), c.number, c.capacity),
              c.result)
        << c.event << " #" << c.number;
    if (c.expected == nullptr) {
      EXPECT_EQ(parameter.Contents(), before) << c.event << " #" << c.number;
    } else {
      EXPECT_STREQ(parameter.data(), c.expected)
          << c.event << " #" << c.number << " capacity " << c.capacity;
    }
    EXPECT_TRUE(parameter.CanariesIntact()) << c.event << " #" << c.number;
  }
}

TEST(EventParameters, RefuseANullTextOrDestination) {
  CMathOperation math;
  CanaryBuffer<char> parameter(CORVIXMATH_NAME_BYTES);
  const auto before = parameter.Contents();
  EXPECT_FALSE(math.GetEventParameters(nullptr, parameter.data(), 1, 64));
  EXPECT_EQ(parameter.Contents(), before);
  EXPECT_FALSE(math.GetEventParameters(Text("F(a)"), nullptr, 1, 64));
}

}  // namespace
