// Checks for the examples of the public header, as extract_header_examples.cmake writes them.
#ifndef CORVIXMATH_TESTS_DOCS_HEADER_EXAMPLE_H
#define CORVIXMATH_TESTS_DOCS_HEADER_EXAMPLE_H

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <type_traits>

namespace corvix_example {

// A call's result equals the stated one, compared exactly in the result's own type.
template <typename Actual, typename Expected>
void ExpectResult(Actual actual, Expected expected, const char* where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(actual, static_cast<Actual>(expected));
}

// A text of any unit flavour holds the stated narrow text, unit for unit.
template <typename Unit>
void ExpectIs(const Unit* actual, const char* expected, const char* where) {
  SCOPED_TRACE(where);
  std::basic_string<Unit> expectedUnits;
  for (const char* unit = expected; *unit != '\0'; ++unit)
    expectedUnits.push_back(static_cast<Unit>(static_cast<unsigned char>(*unit)));
  EXPECT_EQ(std::basic_string<Unit>(actual), expectedUnits);
}

// A number written through a pointer holds the stated value.
template <typename Actual, typename Expected,
          typename = std::enable_if_t<std::is_arithmetic_v<Actual>>>
void ExpectIs(const Actual& actual, Expected expected, const char* where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(actual, static_cast<Actual>(expected));
}

}  // namespace corvix_example

#endif  // CORVIXMATH_TESTS_DOCS_HEADER_EXAMPLE_H
