// The C interface against the class: every entry of the shared table of member calls gives the
// same results and buffers, byte for byte, through the C functions as through the members; no
// C function changes an input it declares const; every C function is reached; the version
// text matches the macros and the build's version. Then the conversions that only the C
// interface makes: typed variant readers, 32-bit lists and series, the 32-bit font colour.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "corvixmath.h"
#include "tests/capi/member_calls_through_c.h"
#include "tests/hardening/member_calls.h"

namespace {

TEST(CInterfaceIdentity, EveryTableEntryGivesTheClassResults) {
  corvix_test::CallProbe probe;
  const std::vector<corvix_test::MemberCall>& calls = corvix_test::AllMemberCalls();
  const std::vector<corvix_capi_test::CallDigest> throughC = corvix_capi_test::DigestsThroughC();
  ASSERT_EQ(throughC.size(), calls.size());
  for (std::size_t i = 0; i < calls.size(); ++i) {
    ASSERT_EQ(throughC[i].member, calls[i].member);
    const std::string expected = calls[i].run(probe);
    ASSERT_FALSE(expected.empty()) << calls[i].member;
    EXPECT_EQ(throughC[i].digest, expected)
        << calls[i].member << " differs through the C interface";
  }
  EXPECT_EQ(corvix_capi_test::InputsChanged(), 0) << "a C function changed a const input";
}

// The first group of every match of `pattern` in the file (declarations may span lines).
std::set<std::string> Matches(const char* path, const std::regex& pattern) {
  std::ifstream file(path);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
    names.insert((*it)[1].str());
  return names;
}

TEST(CInterfaceIdentity, EveryCFunctionIsCalledByTheTable) {
  if (!std::ifstream(CORVIXMATH_C_HEADER) || !std::ifstream(CORVIXMATH_C_OPERATION) ||
      !std::ifstream(CORVIXMATH_C_HOST)) {
    GTEST_SKIP() << "the sources are not readable here";
  }
  const std::set<std::string> declared =
      Matches(CORVIXMATH_C_HEADER, std::regex(R"(CORVIXMATH_CALL\s+(cm_\w+)\()"));
  const std::set<std::string> called = Matches(CORVIXMATH_C_OPERATION, std::regex(R"((cm_\w+)\()"));
  EXPECT_GT(declared.size(), 80u);
  // The reducer has no member to compare with: the C host calls each of its functions, and
  // tests/reduce holds it against the batch reduction.
  const std::set<std::string> calledByHost =
      Matches(CORVIXMATH_C_HOST, std::regex(R"((cm_reducer_\w+)\()"));
  std::size_t reducerFunctions = 0;
  for (const std::string& name : declared) {
    // No member of their own: tested below.
    if (name == "cm_version" || name == "cm_filter_covered_seconds") continue;
    if (name.rfind("cm_reducer_", 0) == 0) {
      ++reducerFunctions;
      EXPECT_TRUE(calledByHost.count(name) != 0) << name << " is not called by the C host";
      continue;
    }
    EXPECT_TRUE(called.count(name) != 0) << name << " is not reached by the identity table";
  }
  EXPECT_GE(reducerFunctions, 7u);
}

#define CORVIXMATH_TEST_TEXT_VALUE(value) #value
#define CORVIXMATH_TEST_TEXT(value) CORVIXMATH_TEST_TEXT_VALUE(value)

TEST(CInterfaceVersion, MatchesTheMacrosAndTheBuild) {
  const std::string fromMacros =
      CORVIXMATH_TEST_TEXT(CORVIXMATH_VERSION_MAJOR) "." CORVIXMATH_TEST_TEXT(
          CORVIXMATH_VERSION_MINOR) "." CORVIXMATH_TEST_TEXT(CORVIXMATH_VERSION_PATCH);
  EXPECT_EQ(std::string(cm_version()), fromMacros);
  EXPECT_EQ(std::string(cm_version()), CORVIXMATH_PROJECT_VERSION);
}

double VariantThroughClass(VARTYPE type, void (*fill)(VARIANT&)) {
  VARIANT variant;
  std::memset(&variant, 0, sizeof variant);
  variant.vt = type;
  fill(variant);
  return static_cast<double>(CMathOperation().VarValueToLongDouble(variant));
}

TEST(CInterfaceConversions, TypedVariantReadersGiveTheClassValueAtTheLimits) {
  EXPECT_EQ(cm_var_value_to_long_double_i2(-32768), -32768.0);
  EXPECT_EQ(cm_var_value_to_long_double_i2(-32768),
            VariantThroughClass(VT_I2, [](VARIANT& v) { v.iVal = -32768; }));
  EXPECT_EQ(cm_var_value_to_long_double_i4(INT32_MIN), -2147483648.0);
  EXPECT_EQ(cm_var_value_to_long_double_i4(INT32_MIN),
            VariantThroughClass(VT_I4, [](VARIANT& v) { v.lVal = INT32_MIN; }));
  EXPECT_EQ(cm_var_value_to_long_double_r4(0.1f), static_cast<double>(0.1f));
  EXPECT_TRUE(std::isnan(cm_var_value_to_long_double_r8(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(cm_var_value_to_long_double_r8(-0.0), 0.0);
  EXPECT_TRUE(std::signbit(cm_var_value_to_long_double_r8(-0.0)));
  EXPECT_EQ(cm_var_value_to_long_double_i1(-128), -128.0);
  EXPECT_EQ(cm_var_value_to_long_double_i1(-128),
            VariantThroughClass(VT_I1, [](VARIANT& v) { v.cVal = static_cast<char>(-128); }));
  EXPECT_EQ(cm_var_value_to_long_double_ui1(255), 255.0);
  EXPECT_EQ(cm_var_value_to_long_double_ui2(65535), 65535.0);
  EXPECT_EQ(cm_var_value_to_long_double_ui2(65535),
            VariantThroughClass(VT_UI2, [](VARIANT& v) { v.uiVal = 65535; }));
}

TEST(CInterfaceConversions, ListsAndSeriesOf32BitIntegers) {
  const int32_t list[] = {5, -7, INT32_MIN, -1, 5};
  EXPECT_EQ(cm_long_exist_in_list(-1, list, 5), 3);
  EXPECT_EQ(cm_long_exist_in_list(INT32_MIN, list, 5), 2);
  EXPECT_EQ(cm_long_exist_in_list(5, list, 0), CORVIXMATH_NOT_FOUND);
  EXPECT_EQ(cm_long_exist_in_list(5, nullptr, 3), CORVIXMATH_NOT_FOUND);

  // The worked example of the windows: two series, hourly windows.
  const double firstValues[] = {1.0, 3.0, 10.0, 20.0, 7.0};
  const int32_t firstTimes[] = {0, 100, 3600, 3700, 7300};
  const double secondValues[] = {5.0, 6.0};
  const int32_t secondTimes[] = {50, 3650};
  const double* values[] = {firstValues, secondValues};
  const int32_t* times[] = {firstTimes, secondTimes};
  const int32_t counts[] = {5, 2};
  double minimum[25], maximum[25], mean[25];
  int32_t centres[25];
  ASSERT_EQ(cm_filter_value_array(values, times, 2, counts, minimum, maximum, mean, centres, 3600,
                                  3600, 0),
            3);
  const double expected[3][3] = {{2.0, 5.0, 3.5}, {6.0, 15.0, 10.5}, {7.0, 7.0, 7.0}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(minimum[i], expected[i][0]) << i;
    EXPECT_EQ(maximum[i], expected[i][1]) << i;
    EXPECT_EQ(mean[i], expected[i][2]) << i;
    EXPECT_EQ(centres[i], 3600 * i) << i;
  }
  EXPECT_EQ(cm_filter_value_array(values, nullptr, 2, counts, minimum, maximum, mean, centres, 3600,
                                  3600, 0),
            0);
}

// The covered seconds are exactly where the windows take samples: a sample at the first and
// the last covered second gives an entry, one a second outside gives none.
TEST(CInterfaceConversions, CoveredSecondsAreWhereTheWindowsTakeSamples) {
  const int32_t shapes[][2] = {{3600, 3600}, {3601, 600}, {60, 7}, {10, 3600}, {200000, 50000}};
  for (const auto& shape : shapes) {
    SCOPED_TRACE(std::to_string(shape[0]) + " " + std::to_string(shape[1]));
    int32_t first = 1, end = 1;
    ASSERT_EQ(cm_filter_covered_seconds(shape[0], shape[1], &first, &end), 1);
    std::vector<double> minimum(CORVIXMATH_SECONDS_PER_DAY + 2), maximum(minimum.size()),
        mean(minimum.size());
    std::vector<int32_t> centres(minimum.size());
    for (int32_t time : {first - 1, first, end - 1, end}) {
      const double value = 1.0;
      const double* values[] = {&value};
      const int32_t* times[] = {&time};
      const int32_t count = 1;
      const int32_t entries =
          cm_filter_value_array(values, times, 1, &count, minimum.data(), maximum.data(),
                                mean.data(), centres.data(), shape[0], shape[1], 0);
      EXPECT_EQ(entries, time >= first && time < end ? 1 : 0) << "a sample at " << time;
    }
  }
  EXPECT_EQ(cm_filter_covered_seconds(3600, 3600, nullptr, nullptr), 1);
  int32_t untouched = 5;
  EXPECT_EQ(cm_filter_covered_seconds(0, 3600, &untouched, &untouched), 0);
  EXPECT_EQ(cm_filter_covered_seconds(3600, -1, &untouched, &untouched), 0);
  EXPECT_EQ(untouched, 5);
}

TEST(CInterfaceConversions, FontColourIsThe32BitWordOrStaysAsItWas) {
  char face[CORVIXMATH_FACE_BYTES] = "x";
  uint8_t size = 7, style = 7;
  uint32_t colour = 12345;
  cm_decode_font_string("Arial,10", face, &size, &colour, &style);
  EXPECT_STREQ(face, "Arial");
  EXPECT_EQ(colour, 12345u) << "a descriptor without a colour field keeps the caller's colour";
  cm_decode_font_string("Tahoma,12,#FFFFFFFF,BoldItalic", face, &size, &colour, &style);
  EXPECT_EQ(colour, 0xFFFFFFFFu);
  EXPECT_EQ(size, 12);
  EXPECT_EQ(style, 3);
  cm_decode_font_string("Tahoma,12,#FF8000,Bold", face, &size, nullptr, nullptr);
  EXPECT_EQ(colour, 0xFFFFFFFFu);
}

TEST(CInterfaceConversions, BoolResultsAreOneAndZero) {
  char parameter[CORVIXMATH_NAME_BYTES] = "";
  EXPECT_EQ(cm_is_complex_data_source("Trend(a)"), 1);
  EXPECT_EQ(cm_is_complex_data_source("Trend"), 0);
  EXPECT_EQ(cm_get_event_parameters("Trend(Tag1,Tag2,60)", parameter, 2, sizeof parameter), 1);
  EXPECT_STREQ(parameter, "Tag2");
  EXPECT_EQ(cm_get_event_parameters("NoParens", parameter, 1, sizeof parameter), 0);
}

TEST(CInterfaceConversions, NullIsHandledAsTheClassHandlesIt) {
  EXPECT_EQ(cm_len_u16(nullptr), 0);
  EXPECT_EQ(cm_find_charpos_in_string(nullptr, 'a'), CORVIXMATH_NOT_FOUND);
  EXPECT_EQ(cm_is_valid_control_id(nullptr), 0);
  EXPECT_EQ(cm_is_valid_ip_and_port_string(nullptr, nullptr, nullptr), 0);
  char unit[] = "V";
  EXPECT_EQ(cm_double_to_eng_string(nullptr, 1.0, unit, 4, 32, 1),
            CMathOperation().DoubleToEngString(nullptr, 1.0, unit, 4, 32, 1));
  EXPECT_EQ(cm_sub_string(nullptr, nullptr, 0, 3), 0);
  // A null formula reads as the empty one, which passes with the message untouched.
  char message[CORVIXMATH_MESSAGE_BYTES] = "kept";
  EXPECT_EQ(cm_verify_reg_exp_string(nullptr, message, "#a#"), 1);
  EXPECT_EQ(cm_verify_reg_exp_string("", message, "#a#"), 1);
  EXPECT_STREQ(message, "kept");
  // A null source of a substring writes the empty text.
  char part[4] = "zz";
  EXPECT_EQ(cm_sub_string(nullptr, part, 0, 3), 1);
  EXPECT_STREQ(part, "");
}

}  // namespace
