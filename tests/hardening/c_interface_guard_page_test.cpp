// Guard-page tests of the C interface: every cm_ function that writes a caller's buffer writes
// into outputs that end at an inaccessible page, sized exactly as corvixmath.h states. A
// function told a capacity runs at every capacity from 0 to its text's length plus one (a
// refused text leaves the output untouched); a function told a count runs at every count
// from -1 to the text's length plus one; a function of fixed size runs with its longest
// output in a buffer of exactly that size. Sources end at a guard page too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CorvixLimits.h"
#include "corvixmath.h"
#include "tests/hardening/guard_page.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::GuardedBuffer;
using corvix_test::Units;

template <class Unit>
GuardedBuffer<Unit> Source(const std::string& ascii) {
  return GuardedBuffer<Unit>::Text(Units<Unit>(ascii));
}

// A writing call told the size of its output: the text a roomy output receives and the
// results for a text written and a text refused (void functions give 0 for both). A call that
// cuts its text to the capacity says so; the others leave a refused output untouched.
template <class Unit>
struct CapacityCall {
  const char* function;
  std::string text;
  std::function<int32_t(Unit*, uint32_t)> call;
  int32_t written;
  int32_t refused;
  bool cuts = false;
};

template <class Unit>
void ExpectEveryCapacity(const CapacityCall<Unit>& c) {
  for (std::size_t capacity = 0; capacity <= c.text.size() + 1; ++capacity) {
    SCOPED_TRACE(std::string(c.function) + " at capacity " + std::to_string(capacity));
    GuardedBuffer<Unit> output(capacity);
    ASSERT_TRUE(output.valid());
    const int32_t result = c.call(output.data(), static_cast<uint32_t>(capacity));
    if (capacity > c.text.size()) {
      EXPECT_EQ(c.written, result);
      EXPECT_EQ(c.text, output.Text());
      EXPECT_TRUE(output.SlackIntact());
    } else if (c.cuts && capacity > 0) {
      EXPECT_EQ(c.text.substr(0, capacity - 1), output.Text());
      EXPECT_TRUE(output.SlackIntact());
    } else {
      EXPECT_EQ(c.refused, result);
      EXPECT_TRUE(output.Untouched());
    }
  }
}

int32_t Void(const std::function<void()>& call) {
  call();
  return 0;
}

TEST(CInterfaceGuardPage, NarrowOutputsAtEveryCapacity) {
  auto unit = Source<char>("W");
  auto separator = Source<char>(",");
  auto decimal = Source<char>("12345.5");
  auto padded = Source<char>("xxabcxx");
  auto bytes = Source<char>("AB");
  auto event = Source<char>("Trend(Tag1,Tag2,60)");
  const std::vector<CapacityCall<char>> calls = {
      {"cm_double_to_eng_string", "12.34 KW",
       [&](char* out, uint32_t capacity) {
         return cm_double_to_eng_string(out, 12345.678, unit.data(), 4, capacity, 1);
       },
       1, 0},
      {"cm_double_to_simple_string", "1,234,567.89",
       [&](char* out, uint32_t capacity) {
         return cm_double_to_simple_string(out, 1234567.891, 0, 2, 0, separator.data(),
                                           static_cast<int32_t>(capacity));
       },
       1, 0},
      {"cm_sientific_format", "-1.50000E-300",
       [&](char* out, uint32_t capacity) {
         return Void([&] { cm_sientific_format(out, -1.5e-300, 5, capacity); });
       },
       0, 0},
      {"cm_extract_left_before_char", "12345",
       [&](char* out, uint32_t capacity) {
         return cm_extract_left_before_char(decimal.data(), out, '.',
                                            static_cast<int32_t>(capacity));
       },
       1, 0},
      {"cm_trim_left", "abcxx",
       [&](char* out, uint32_t capacity) {
         return cm_trim_left(padded.data(), out, 'x', capacity);
       },
       1, 0},
      {"cm_trim_right", "xxabc",
       [&](char* out, uint32_t capacity) {
         return cm_trim_right(padded.data(), out, 'x', capacity);
       },
       1, 0},
      {"cm_unicode_string_to_digit_array", "UniCode(65,66,)",
       [&](char* out, uint32_t capacity) {
         return cm_unicode_string_to_digit_array(bytes.data(), out, static_cast<int32_t>(capacity));
       },
       1, 0},
      {"cm_scale_index_2_string", "Kilo",
       [&](char* out, uint32_t capacity) {
         return Void([&] { cm_scale_index_2_string(out, 3, capacity); });
       },
       0, 0, true},
      {"cm_get_event_parameters", "Tag2",
       [&](char* out, uint32_t capacity) {
         return cm_get_event_parameters(event.data(), out, 2, capacity);
       },
       1, 0},
  };
  for (const CapacityCall<char>& c : calls)
    ExpectEveryCapacity(c);
}

TEST(CInterfaceGuardPage, UnitOutputsAtEveryCapacity) {
  auto decimal = Source<uint16_t>("12345.5");
  auto padded = Source<uint16_t>("xxabcxx");
  auto hello = Source<uint16_t>("hello");
  auto units = Source<uint16_t>("AB");
  const std::vector<CapacityCall<uint16_t>> calls = {
      {"cm_extract_left_before_char_u16", "12345",
       [&](uint16_t* out, uint32_t capacity) {
         return cm_extract_left_before_char_u16(decimal.data(), out, '.',
                                                static_cast<int32_t>(capacity));
       },
       1, 0},
      {"cm_trim_left_u16", "abcxx",
       [&](uint16_t* out, uint32_t capacity) {
         return cm_trim_left_u16(padded.data(), out, 'x', capacity);
       },
       1, 0},
      {"cm_trim_right_u16", "xxabc",
       [&](uint16_t* out, uint32_t capacity) {
         return cm_trim_right_u16(padded.data(), out, 'x', capacity);
       },
       1, 0},
      {"cm_copy_u16", "hello",
       [&](uint16_t* out, uint32_t capacity) {
         return Void([&] { cm_copy_u16(out, hello.data(), capacity); });
       },
       0, 0},
      {"cm_long_to_w_char", "-2147483648",
       [&](uint16_t* out, uint32_t capacity) {
         return Void([&] { cm_long_to_w_char(INT32_MIN, out, capacity); });
       },
       0, 0},
  };
  for (const CapacityCall<uint16_t>& c : calls)
    ExpectEveryCapacity(c);

  // The digit-array text of 16-bit units is narrow.
  ExpectEveryCapacity(CapacityCall<char>{"cm_unicode_string_to_digit_array_u16", "UniCode(65,66,)",
                                         [&](char* out, uint32_t capacity) {
                                           return cm_unicode_string_to_digit_array_u16(
                                               units.data(), out, static_cast<int32_t>(capacity));
                                         },
                                         1, 0});
}

// A negative capacity is no room: the members would read it as four gigabytes.
TEST(CInterfaceGuardPage, NegativeCapacitiesAreRefused) {
  auto decimal = Source<char>("12345.5");
  auto decimalUnits = Source<uint16_t>("12345.5");
  GuardedBuffer<char> narrow(0);
  GuardedBuffer<uint16_t> units(0);
  for (int32_t capacity : {-1, INT32_MIN}) {
    SCOPED_TRACE(capacity);
    EXPECT_EQ(0, cm_extract_left_before_char(decimal.data(), narrow.data(), '.', capacity));
    EXPECT_EQ(0, cm_extract_left_before_char_u16(decimalUnits.data(), units.data(), '.', capacity));
    EXPECT_EQ(0, cm_unicode_string_to_digit_array(decimal.data(), narrow.data(), capacity));
    EXPECT_EQ(0,
              cm_unicode_string_to_digit_array_u16(decimalUnits.data(), narrow.data(), capacity));
    EXPECT_EQ(0, cm_double_to_simple_string(narrow.data(), 1.5, 0, 2, 0, nullptr, capacity));
  }
}

// "---" stands in for an amount that does not fit; nothing when even that does not.
TEST(CInterfaceGuardPage, PriceToStringAtEveryCapacity) {
  const std::string text = "1,234,567";
  for (uint32_t capacity = 0; capacity <= text.size() + 1; ++capacity) {
    SCOPED_TRACE(capacity);
    GuardedBuffer<char> output(capacity);
    cm_price_to_string(output.data(), 1234567.0, capacity, 0, ',');
    if (capacity > text.size()) {
      EXPECT_EQ(text, output.Text());
    } else if (capacity >= 4) {
      EXPECT_EQ("---", output.Text());
    } else {
      EXPECT_TRUE(output.Untouched());
    }
    EXPECT_TRUE(output.SlackIntact());
  }
}

TEST(CInterfaceGuardPage, ExtractPathAndNameWritesTheDirectoryOnlyWhenItFits) {
  const std::string directoryText = "D:\\VeryLongDirectoryName\\";
  const std::string nameText = "day.txt";
  auto path = Source<char>(directoryText + nameText);
  for (uint32_t capacity = 0; capacity <= directoryText.size() + 1; ++capacity) {
    SCOPED_TRACE("directory capacity " + std::to_string(capacity));
    GuardedBuffer<char> directory(capacity);
    GuardedBuffer<char> name(nameText.size() + 1);
    const int32_t result = cm_extract_path_and_name(path.data(), directory.data(), name.data(),
                                                    static_cast<uint32_t>(name.size()), capacity);
    EXPECT_EQ(nameText, name.Text());
    if (capacity > directoryText.size()) {
      EXPECT_EQ(1, result);
      EXPECT_EQ(directoryText, directory.Text());
      EXPECT_TRUE(directory.SlackIntact());
    } else {
      EXPECT_EQ(0, result);
      EXPECT_TRUE(directory.Untouched());
    }
  }
  for (uint32_t capacity = 0; capacity <= nameText.size() + 1; ++capacity) {
    SCOPED_TRACE("name capacity " + std::to_string(capacity));
    GuardedBuffer<char> directory(directoryText.size() + 1);
    GuardedBuffer<char> name(capacity);
    const int32_t result = cm_extract_path_and_name(path.data(), directory.data(), name.data(),
                                                    capacity, directoryText.size() + 1);
    EXPECT_EQ(directoryText, directory.Text());
    EXPECT_EQ(capacity > nameText.size() ? 1 : 0, result);
    if (capacity <= nameText.size()) {
      EXPECT_TRUE(name.Untouched());
    }
  }
}

TEST(CInterfaceGuardPage, ExtractPathAndNameMarksABareNameInOneByte) {
  auto bare = Source<char>("day.txt");
  GuardedBuffer<char> none(0), mark(1), name(8);
  EXPECT_EQ(0, cm_extract_path_and_name(bare.data(), none.data(), name.data(), 8, 0));
  EXPECT_TRUE(none.Untouched());
  EXPECT_EQ(1, cm_extract_path_and_name(bare.data(), mark.data(), name.data(), 8, 1));
  EXPECT_EQ('0', mark[0]);
  EXPECT_EQ("day.txt", name.Text());
  // The longest directory the working path holds: 258 units and the backslash.
  const std::string longest(258, 'd');
  auto longPath = Source<char>(longest + "\\n");
  GuardedBuffer<char> directory(CORVIXMATH_PATH_UNITS);
  EXPECT_EQ(1, cm_extract_path_and_name(longPath.data(), directory.data(), nullptr, 0,
                                        CORVIXMATH_PATH_UNITS));
  EXPECT_EQ(longest + "\\", directory.Text());
}

// Outputs sized by a count: count + 1 units, and one unit for a count of 0 or less.
template <class Unit>
void ExpectEveryCount() {
  const std::string text = "ABCDEF";
  auto source = Source<Unit>(text);
  using Extract = std::function<void(Unit*, int32_t)>;
  struct CountCall {
    const char* function;
    Extract call;
    std::function<std::string(std::size_t)> expected;
  };
  const CountCall calls[] = {
      {"cm_extract_leftt_side",
       [&](Unit* out, int32_t count) {
         if constexpr (sizeof(Unit) == 1)
           cm_extract_leftt_side(source.data(), out, count);
         else
           cm_extract_leftt_side_u16(source.data(), out, count);
       },
       [&](std::size_t count) { return text.substr(0, count); }},
      {"cm_extract_right_side",
       [&](Unit* out, int32_t count) {
         if constexpr (sizeof(Unit) == 1)
           cm_extract_right_side(source.data(), out, count);
         else
           cm_extract_right_side_u16(source.data(), out, count);
       },
       [&](std::size_t count) { return text.substr(text.size() - std::min(count, text.size())); }},
      {"cm_sub_string",
       [&](Unit* out, int32_t count) {
         if constexpr (sizeof(Unit) == 1)
           cm_sub_string(source.data(), out, 1, count);
         else
           cm_sub_string_u16(source.data(), out, 1, count);
       },
       [&](std::size_t count) { return text.substr(1, count); }},
  };
  for (const CountCall& c : calls) {
    for (int32_t count = -1; count <= static_cast<int32_t>(text.size()) + 1; ++count) {
      SCOPED_TRACE(std::string(c.function) + " count " + std::to_string(count));
      const std::size_t taken = count < 0 ? 0 : static_cast<std::size_t>(count);
      GuardedBuffer<Unit> output(taken + 1);
      c.call(output.data(), count);
      EXPECT_EQ(c.expected(taken), output.Text());
      EXPECT_TRUE(output.SlackIntact());
    }
  }
}

TEST(CInterfaceGuardPage, CountedOutputsAtEveryCount) {
  ExpectEveryCount<char>();
  ExpectEveryCount<uint16_t>();
}

// --- Fixed sizes.

TEST(CInterfaceGuardPage, TextUnitsOutputsHoldTheLongestText) {
  const std::string longest(CORVIXMATH_TEXT_UNITS - 1, 'a');
  auto narrow = Source<char>(longest);
  auto units = Source<uint16_t>(longest);
  GuardedBuffer<char> after(CORVIXMATH_TEXT_UNITS);
  cm_extract_right_after_char(narrow.data(), after.data(), '.');
  EXPECT_EQ(longest, after.Text());
  GuardedBuffer<uint16_t> afterUnits(CORVIXMATH_TEXT_UNITS);
  cm_extract_right_after_char_u16(units.data(), afterUnits.data(), '.');
  EXPECT_EQ(longest, afterUnits.Text());

  auto event = Source<char>("(" + std::string(CORVIXMATH_TEXT_UNITS + 10, 'p'));
  GuardedBuffer<char> list(CORVIXMATH_TEXT_UNITS);
  cm_get_complete_param_list(event.data(), list.data());
  EXPECT_EQ(std::string(CORVIXMATH_TEXT_UNITS - 2, 'p'), list.Text());
}

TEST(CInterfaceGuardPage, PathOutputsHoldPathUnits) {
  const std::string path(CORVIXMATH_PATH_UNITS - 1, 'p');
  for (uint8_t levels : {0, 1}) {
    SCOPED_TRACE(levels);
    auto source = Source<char>(path);
    GuardedBuffer<char> output(CORVIXMATH_PATH_UNITS);
    cm_remove_dir_from_path(source.data(), output.data(), levels);
    EXPECT_TRUE(output.SlackIntact());
    // Written over the path itself: its buffer holds CORVIXMATH_PATH_UNITS bytes.
    GuardedBuffer<char> inPlace(CORVIXMATH_PATH_UNITS);
    for (std::size_t i = 0; i <= path.size(); ++i)
      inPlace[i] = path.c_str()[i];
    cm_remove_dir_from_path(inPlace.data(), nullptr, levels);
    EXPECT_TRUE(inPlace.SlackIntact());
  }
  auto climbed = Source<char>("D:\\Data\\Log\\day.txt");
  GuardedBuffer<char> output(CORVIXMATH_PATH_UNITS);
  cm_remove_dir_from_path(climbed.data(), output.data(), 2);
  EXPECT_EQ("D:\\Data\\", output.Text());
}

TEST(CInterfaceGuardPage, NamesAndMessagesWithinTheirFixedSizes) {
  for (int code = 0; code <= 255; ++code) {
    GuardedBuffer<char> name(CORVIXMATH_NAME_BYTES);
    cm_uc_model_to_cp_model(static_cast<uint8_t>(code), name.data());
    EXPECT_LT(name.Text().size(), std::size_t{CORVIXMATH_NAME_BYTES}) << code;
  }
  for (int32_t id = 999; id <= 1006; ++id) {
    GuardedBuffer<char> name(CORVIXMATH_NAME_BYTES);
    cm_computer_id_to_string(id, name.data());
    EXPECT_TRUE(name.SlackIntact()) << id;
  }
  auto variables = Source<char>("#a#b#");
  for (const char* formula : {"a+b)", "(a+b", "1.", "*a", "a+c", "abcd", "a=b"}) {
    auto expression = Source<char>(formula);
    GuardedBuffer<char> message(CORVIXMATH_MESSAGE_BYTES);
    EXPECT_LT(cm_verify_reg_exp_string(expression.data(), message.data(), variables.data()), 0);
    EXPECT_FALSE(message.Text().empty()) << formula;
  }
  GuardedBuffer<char> identifier(CORVIXMATH_CONTROL_ID_BYTES);
  const char shortForm[] = "AB123";
  for (std::size_t i = 0; i < sizeof shortForm; ++i)
    identifier[i] = shortForm[i];
  cm_check_control_id_and_convert_to_new_version(identifier.data());
  EXPECT_EQ("AB0123", identifier.Text());

  auto descriptor = Source<char>(std::string(100, 'F') + ",12,#FF0000,Bold");
  GuardedBuffer<char> face(CORVIXMATH_FACE_BYTES);
  GuardedBuffer<uint8_t> size(1), style(1);
  GuardedBuffer<uint32_t> colour(1);
  cm_decode_font_string(descriptor.data(), face.data(), size.data(), colour.data(), style.data());
  EXPECT_EQ(std::string(CORVIXMATH_FACE_BYTES - 1, 'F'), face.Text());
  EXPECT_EQ(12, size[0]);
  EXPECT_EQ(0xFF0000u, colour[0]);
  EXPECT_EQ(1, style[0]);
}

TEST(CInterfaceGuardPage, AddressPartWithinAddressBytes) {
  for (const char* text : {"254.254.254.254:8080", "0001.002.003.004:80"}) {
    SCOPED_TRACE(text);
    auto input = GuardedBuffer<char>::Text(Units<char>(text));
    GuardedBuffer<char> address(CORVIXMATH_ADDRESS_BYTES);
    GuardedBuffer<uint16_t> port(1);
    const int32_t result =
        cm_is_valid_ip_and_port_string(input.data(), address.data(), port.data());
    if (result == 1) {
      EXPECT_EQ("254.254.254.254", address.Text());
      EXPECT_EQ(8080, port[0]);
    } else {
      EXPECT_EQ(CORVIXMATH_ADDRESS_PART_TOO_LONG, result);
      EXPECT_TRUE(address.Untouched());
    }
  }
}

TEST(CInterfaceGuardPage, InPlaceEditsStayWithinTheText) {
  const std::string text = "  -1.5M  ";
  auto digits = Source<char>(text);
  EXPECT_EQ(5, cm_is_digit(digits.data()));
  auto digitUnits = Source<uint16_t>(text);
  EXPECT_EQ(5, cm_is_digit_u16(digitUnits.data()));
  auto removed = Source<char>("a.b.c");
  cm_remove_char_from_char_array(removed.data(), '.');
  EXPECT_EQ("abc", removed.Text());
  auto removedUnits = Source<uint16_t>("a.b.c");
  cm_remove_char_from_char_array_u16(removedUnits.data(), '.');
  cm_remove_from_char_array_u16(removedUnits.data(), 1, 10);
  EXPECT_EQ("a", removedUnits.Text());
  auto range = Source<char>("abcdef");
  cm_remove_from_char_array(range.data(), 2, 100);
  cm_replace_char_in_char_aaary(range.data(), 'a', 'z');
  EXPECT_EQ("zb", range.Text());
  auto replaced = Source<uint16_t>("aXa");
  cm_replace_char_in_char_aaary_u16(replaced.data(), 'a', 'b');
  EXPECT_EQ("bXb", replaced.Text());

  // Insertion needs one unit more than the text and its terminator; the standard length
  // needs length + 1.
  GuardedBuffer<char> inserted(5);
  inserted[0] = 'a', inserted[1] = 'b', inserted[2] = 'c', inserted[3] = '\0';
  cm_insert_char_in_char_array(inserted.data(), 3, 'd');
  EXPECT_EQ("abcd", inserted.Text());
  GuardedBuffer<uint16_t> insertedUnits(3);
  insertedUnits[0] = 'a', insertedUnits[1] = 0;
  cm_insert_char_in_char_array_u16(insertedUnits.data(), 0, 'z');
  EXPECT_EQ("za", insertedUnits.Text());
  GuardedBuffer<char> standard(7);
  standard[0] = '1', standard[1] = '2', standard[2] = '\0';
  cm_standard_len(standard.data(), 6, '0');
  EXPECT_EQ("120000", standard.Text());
}

TEST(CInterfaceGuardPage, ConversionsWithinTheSourceLength) {
  const std::string text = "Hello";
  auto narrow = Source<char>(text);
  GuardedBuffer<uint16_t> widened(text.size() + 1);
  cm_char_array_to_wchar_array(narrow.data(), widened.data(), 4);
  EXPECT_EQ(text, widened.Text());
  auto units = Source<uint16_t>(text);
  GuardedBuffer<char> lowBytes(text.size() + 1);
  cm_w_char_array_to_char_array(lowBytes.data(), units.data(), 1);
  EXPECT_EQ(text, lowBytes.Text());
  GuardedBuffer<char> bothBytes(2 * (text.size() + 1));
  cm_w_char_array_to_char_array(bothBytes.data(), units.data(), 0);
  EXPECT_EQ(0, bothBytes[bothBytes.size() - 1]);
  EXPECT_TRUE(bothBytes.SlackIntact());

  auto digitArray = Source<char>("UniCode(72,105,)");
  GuardedBuffer<char> decoded(3);
  cm_digit_array_to_unicode_string(digitArray.data(), decoded.data(), 0);
  EXPECT_EQ("Hi", decoded.Text());
  GuardedBuffer<uint16_t> decodedUnits(3);
  cm_digit_array_to_unicode_string_u16(digitArray.data(), decodedUnits.data(), 0);
  EXPECT_EQ("Hi", decodedUnits.Text());
}

TEST(CInterfaceGuardPage, StatisticsAndWindowsWithinTheirOutputs) {
  auto values = GuardedBuffer<double>(3);
  values[0] = 1.0, values[1] = 2.0, values[2] = 6.0;
  GuardedBuffer<double> minimum(1), maximum(1), average(1), spread(1);
  cm_calculate_min_max_avr_sd(values.data(), 3, minimum.data(), maximum.data(), average.data(),
                              spread.data());
  EXPECT_EQ(1.0, minimum[0]);
  EXPECT_EQ(6.0, maximum[0]);
  cm_calculate_min_max(values.data(), 3, minimum.data(), maximum.data(), average.data(),
                       spread.data());
  EXPECT_EQ(3.0, average[0]);

  GuardedBuffer<int32_t> first(1), end(1);
  EXPECT_EQ(1, cm_filter_covered_seconds(3600, 3600, first.data(), end.data()));
  EXPECT_EQ(-1800, first[0]);
  EXPECT_EQ(88200, end[0]);

  // Every window of the day has a sample; the outputs hold SECONDS_PER_DAY / step + 1 entries.
  for (int32_t step : {3600, 7, 86400}) {
    SCOPED_TRACE(step);
    const std::size_t entries = static_cast<std::size_t>(CORVIXMATH_SECONDS_PER_DAY / step + 1);
    GuardedBuffer<double> samples(entries);
    GuardedBuffer<int32_t> times(entries);
    for (std::size_t i = 0; i < entries; ++i) {
      samples[i] = static_cast<double>(i);
      times[i] = static_cast<int32_t>(i) * step;
    }
    const double* seriesValues[] = {samples.data()};
    const int32_t* seriesTimes[] = {times.data()};
    const int32_t counts[] = {static_cast<int32_t>(entries)};
    GuardedBuffer<double> low(entries), high(entries), mean(entries);
    GuardedBuffer<int32_t> centres(entries);
    const int32_t written =
        cm_filter_value_array(seriesValues, seriesTimes, 1, counts, low.data(), high.data(),
                              mean.data(), centres.data(), step, step, 0);
    EXPECT_LE(static_cast<std::size_t>(written), entries);
    EXPECT_GT(written, 0);
    EXPECT_TRUE(centres.SlackIntact());
  }
}

// --- The reducer: a push reads its arrays up to its count, a take writes its windows up to its
// capacity and their averages up to capacity times the series count.

// Ten hourly windows of three series, each with samples.
constexpr int32_t kReducerSeries = 3;
constexpr int32_t kReducerWindows = 10;

cm_reducer* FedReducer() {
  cm_reducer* reducer = nullptr;
  if (cm_reducer_create(3600, 3600, kReducerSeries, CORVIXMATH_REDUCER_SERIES_AVERAGES, &reducer) !=
      CORVIXMATH_REDUCER_OK)
    return nullptr;
  for (int32_t s = 0; s < kReducerSeries; ++s) {
    std::vector<int64_t> times;
    std::vector<double> values;
    for (int32_t k = 0; k < kReducerWindows; ++k) {
      times.push_back(k * 3600 + s * 100);
      values.push_back(k * 10.0 + s + 0.25);
    }
    cm_reducer_push(reducer, s, times.data(), values.data(), kReducerWindows);
  }
  cm_reducer_finish(reducer);
  return reducer;
}

TEST(CInterfaceGuardPage, ReducerPushReadsNoSampleBeyondItsCount) {
  for (int32_t count = 0; count <= 40; ++count) {
    SCOPED_TRACE(count);
    GuardedBuffer<int64_t> times(static_cast<std::size_t>(count));
    GuardedBuffer<double> values(static_cast<std::size_t>(count));
    ASSERT_TRUE(times.valid() && values.valid());
    for (int32_t i = 0; i < count; ++i) {
      times[static_cast<std::size_t>(i)] = i * 600;
      values[static_cast<std::size_t>(i)] = i;
    }
    cm_reducer* reducer = nullptr;
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_create(3600, 3600, 1, 0, &reducer));
    // A refused push checks every sample, the last one too: a NaN in the last place.
    if (count > 0) {
      values[static_cast<std::size_t>(count - 1)] = std::nan("");
      EXPECT_EQ(CORVIXMATH_REDUCER_NOT_FINITE,
                cm_reducer_push(reducer, 0, times.data(), values.data(), count));
      values[static_cast<std::size_t>(count - 1)] = count - 1;
    }
    EXPECT_EQ(CORVIXMATH_REDUCER_OK,
              cm_reducer_push(reducer, 0, times.data(), values.data(), count));
    cm_reducer_counts counts;
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_get_counts(reducer, &counts));
    EXPECT_EQ(count, counts.samples_taken);
    cm_reducer_destroy(reducer);
  }
}

TEST(CInterfaceGuardPage, ReducerTakeWritesNoWindowBeyondItsCapacity) {
  cm_reducer* roomy = FedReducer();
  ASSERT_NE(nullptr, roomy);
  std::vector<cm_window> all(kReducerWindows + 1);
  std::vector<double> allAverages(all.size() * kReducerSeries);
  ASSERT_EQ(kReducerWindows, cm_reducer_take(roomy, all.data(), allAverages.data(),
                                             static_cast<int32_t>(all.size())));
  cm_reducer_destroy(roomy);

  cm_window filler;
  std::memset(&filler, 0x6B, sizeof filler);
  const double averageFiller = -7.5;
  for (int32_t capacity = 0; capacity <= kReducerWindows + 1; ++capacity) {
    SCOPED_TRACE(capacity);
    cm_reducer* reducer = FedReducer();
    ASSERT_NE(nullptr, reducer);
    const auto room = static_cast<std::size_t>(capacity);
    GuardedBuffer<cm_window> windows(room, filler);
    GuardedBuffer<double> averages(room * kReducerSeries, averageFiller);
    ASSERT_TRUE(windows.valid() && averages.valid());
    const int32_t written = cm_reducer_take(reducer, windows.data(), averages.data(), capacity);
    ASSERT_EQ(std::min(capacity, kReducerWindows), written);
    const auto taken = static_cast<std::size_t>(written);
    EXPECT_EQ(0, std::memcmp(windows.data(), all.data(), taken * sizeof(cm_window)));
    for (std::size_t i = taken; i < room; ++i)
      EXPECT_EQ(0, std::memcmp(&windows[i], &filler, sizeof filler)) << "window " << i;
    for (std::size_t i = 0; i < room * kReducerSeries; ++i)
      EXPECT_EQ(i < taken * kReducerSeries ? allAverages[i] : averageFiller, averages[i]) << i;
    EXPECT_TRUE(windows.SlackIntact());
    EXPECT_TRUE(averages.SlackIntact());
    // The rest comes next, in order.
    std::vector<cm_window> rest(all.size());
    EXPECT_EQ(kReducerWindows - written,
              cm_reducer_take(reducer, rest.data(), nullptr, static_cast<int32_t>(rest.size())));
    EXPECT_EQ(0, std::memcmp(rest.data(), all.data() + taken,
                             (kReducerWindows - taken) * sizeof(cm_window)));
    cm_reducer_destroy(reducer);
  }
}

}  // namespace
