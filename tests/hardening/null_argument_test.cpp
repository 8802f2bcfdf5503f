// Null pointers: a null source reads as the empty string, a null destination is not written,
// and a member with a success result then returns its failure value. Every member that takes
// a pointer is called with null in each pointer position (the others valid); none may fault.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::FlavourNames;
using corvix_test::Narrow;
using corvix_test::NarrowAndUnits;
using corvix_test::NarrowAndWide;
using corvix_test::Units;
namespace flavour = corvix_test::flavour;

template <class Unit>
class NullArgumentAllFlavours : public ::testing::Test {};
TYPED_TEST_SUITE(NullArgumentAllFlavours, AllFlavours, FlavourNames);

template <class Unit>
class NullArgumentNarrowAndUnits : public ::testing::Test {};
TYPED_TEST_SUITE(NullArgumentNarrowAndUnits, NarrowAndUnits, FlavourNames);

template <class Unit>
class NullArgumentNarrowAndWide : public ::testing::Test {};
TYPED_TEST_SUITE(NullArgumentNarrowAndWide, NarrowAndWide, FlavourNames);

TYPED_TEST(NullArgumentAllFlavours, TextMembers) {
  using Unit = TypeParam;
  Unit* const none = nullptr;
  std::vector<Unit> source = Units<Unit>("ab.cd");
  std::vector<Unit> destination = Units<Unit>("untouched");

  EXPECT_EQ(-1, flavour::FindChar(none, Unit('a')));
  // A null source is empty: nothing to cut, and the destination stays as it was.
  EXPECT_EQ(1, flavour::LeftBefore(none, destination.data(), Unit('.'), 16));
  EXPECT_EQ(0, flavour::LeftBefore(source.data(), none, Unit('.'), 16));
  flavour::RightAfter(none, destination.data(), Unit('.'));
  flavour::RightAfter(source.data(), none, Unit('.'));
  flavour::LeftSide(none, destination.data(), 3);
  flavour::LeftSide(source.data(), none, 3);
  flavour::RightSide(none, destination.data(), 3);
  flavour::RightSide(source.data(), none, 3);
  EXPECT_EQ("untouched", Narrow(destination.data()));

  // Trimming a null source writes the empty text; a null destination is refused.
  EXPECT_EQ(0, flavour::TrimLeft(source.data(), none, Unit(' '), 16));
  EXPECT_EQ(0, flavour::TrimRight(source.data(), none, Unit(' '), 16));
  EXPECT_EQ(1, flavour::TrimLeft(none, destination.data(), Unit(' '), 16));
  EXPECT_EQ("", Narrow(destination.data()));
  destination = Units<Unit>("untouched");
  EXPECT_EQ(1, flavour::TrimRight(none, destination.data(), Unit(' '), 16));
  EXPECT_EQ("", Narrow(destination.data()));

  flavour::Insert(none, 0, Unit('x'));
  EXPECT_EQ(0, flavour::ControlId(none));
  EXPECT_EQ("ab.cd", Narrow(source.data()));
}

TYPED_TEST(NullArgumentNarrowAndUnits, EditingAndConversionMembers) {
  using Unit = TypeParam;
  Unit* const none = nullptr;
  flavour::RemoveChar(none, Unit(','));
  flavour::RemoveRange(none, 0, 2);
  flavour::Replace(none, Unit(','), Unit('.'));

  std::vector<Unit> part = Units<Unit>("untouched");
  EXPECT_EQ(1, flavour::Sub(none, part.data(), 0, 3));
  EXPECT_EQ("", Narrow(part.data()));
  std::vector<Unit> source = Units<Unit>("abc");
  EXPECT_EQ(0, flavour::Sub(source.data(), none, 0, 3));

  // The digit-array text of a null source is that of the empty string.
  std::vector<char> text(32, '#');
  EXPECT_EQ(1, flavour::Encode(none, text.data(), 32));
  EXPECT_STREQ("UniCode()", text.data());
  EXPECT_EQ(0, flavour::Encode(source.data(), static_cast<char*>(nullptr), 32));
  std::vector<Unit> decoded = Units<Unit>("xyz");
  flavour::Decode(static_cast<char*>(nullptr), decoded.data(), 0);
  EXPECT_EQ(Unit(0), decoded[0]);
  char digits[] = "UniCode(65,)";
  flavour::Decode(digits, none, 0);

  EXPECT_EQ(0, flavour::NumberForm(none));
}

TYPED_TEST(NullArgumentNarrowAndWide, PathMembers) {
  using Unit = TypeParam;
  Unit* const none = nullptr;
  std::vector<Unit> path = Units<Unit>("D:\\Data\\day.txt");
  std::vector<Unit> directory(260, Unit('#'));
  std::vector<Unit> name(16, Unit('#'));

  EXPECT_EQ(1, flavour::SplitPath(path.data(), none, name.data(), 16, 260));
  EXPECT_EQ("day.txt", Narrow(name.data()));
  EXPECT_EQ(1, flavour::SplitPath(path.data(), directory.data(), none, 16, 260));
  EXPECT_EQ("D:\\Data\\", Narrow(directory.data()));
  EXPECT_EQ(0, flavour::SplitPath(none, none, none, 16, 260));
  // A null path is a bare empty name.
  EXPECT_EQ(1, flavour::SplitPath(none, directory.data(), name.data(), 16, 260));
  EXPECT_EQ(Unit('0'), directory[0]);
  EXPECT_EQ("", Narrow(name.data()));

  flavour::ClimbPath(none, none, 0);
  flavour::ClimbPath(none, none, 2);
  std::vector<Unit> output(260, Unit('#'));
  flavour::ClimbPath(none, output.data(), 1);
  EXPECT_EQ(Unit('0'), output[0]);
}

TEST(NullArgument, UnitStringMembers) {
  CMathOperation operation;
  unsigned short* const none = nullptr;
  std::vector<unsigned short> text = Units<unsigned short>("abc");
  operation.Copy(none, text.data(), 8);
  std::vector<unsigned short> copy = Units<unsigned short>("xyz");
  operation.Copy(copy.data(), none, 4);
  EXPECT_EQ("", Narrow(copy.data()));
  EXPECT_EQ(0, operation.Len(none));
  EXPECT_EQ(0, operation.Compare(none, none));
  EXPECT_EQ(1, operation.Compare(text.data(), none));
  operation.LongToWChar(-5, none, 12);
  EXPECT_EQ(0, operation.ToLong(none));

  std::vector<char> narrow(8, '#');
  operation.CharArrayToWcharArray(nullptr, text.data(), 2);
  EXPECT_EQ("abc", Narrow(text.data()));
  char ab[] = "ab";
  operation.CharArrayToWcharArray(ab, none, 2);
  operation.WCharArrayToCharArray(nullptr, text.data(), 1);
  operation.WCharArrayToCharArray(narrow.data(), none, 1);
  EXPECT_EQ('\0', narrow[0]);
}

TEST(NullArgument, FormattingAndParsingMembers) {
  CMathOperation operation;
  char unit[] = "W";
  EXPECT_EQ(0, operation.DoubleToEngString(nullptr, 1.5, unit, 4, 32, 1));
  std::vector<char> text(32, '#');
  EXPECT_EQ(1, operation.DoubleToEngString(text.data(), 1.5, nullptr, 4, 32, 2));
  EXPECT_STREQ("1.500", text.data());
  EXPECT_EQ(0, operation.DoubleToSimpleString(nullptr, 1.5, 0, 255, 0, nullptr, 32));
  operation.SientificFormat(nullptr, 1.5, 2, 32);
  operation.PriceToString(nullptr, 1234, 32, 0, ',');
  operation.StandardLen(nullptr, 4, '0');
  EXPECT_EQ(0.0, operation.EngStr2SimpleValue(nullptr));
  EXPECT_EQ(0, operation.HexStringToDecimal(nullptr));
}

TEST(NullArgument, IdentifierVocabularyAndDeviceMembers) {
  CMathOperation operation;
  std::vector<char> message(512, '#');
  message.back() = '\0';
  char variables[] = "#a#";
  char expression[] = "a+b";
  operation.CheckControlIDAndConvertToNewVersion(nullptr);
  EXPECT_EQ(0, operation.IsAlphaNumeric(nullptr));
  EXPECT_EQ(1, operation.VerifyRegExpString(nullptr, message.data(), variables));
  EXPECT_EQ(-26, operation.VerifyRegExpString(expression, nullptr, variables));
  EXPECT_EQ(1, operation.VerifyRegExpString(expression, message.data(), nullptr));
  EXPECT_EQ('#', message[0]);

  EXPECT_EQ(0, operation.DataTypeStringToIndex(nullptr));
  EXPECT_EQ(255, operation.cpModelTOucModel(nullptr));
  EXPECT_EQ(255, operation.NumericValueStringToIndex(nullptr));
  EXPECT_EQ(-1, operation.ScaleString2Index(nullptr));
  operation.ucModelTOcpModel(3, nullptr);
  operation.ScaleIndex2String(nullptr, 2, 16);
  operation.ComputerIdToString(1001, nullptr);
  EXPECT_EQ(0, operation.IsUniCodeString(nullptr));
  EXPECT_EQ(0, operation.ContainUnicodeChar(nullptr));
  EXPECT_EQ(-1, operation.LongExistInList(5, nullptr, 3));

  // Outputs that are null are skipped; the ones given are written.
  char descriptor[] = "Arial,10,255,Bold";
  unsigned char size = 0;
  operation.DecodeFontString(descriptor, nullptr, nullptr, nullptr, nullptr);
  operation.DecodeFontString(nullptr, nullptr, nullptr, nullptr, nullptr);
  operation.DecodeFontString(descriptor, nullptr, &size, nullptr, nullptr);
  EXPECT_EQ(10, size);

  char event[] = "Trend(a,b)";
  std::vector<char> list(16, '#');
  EXPECT_EQ(-1, operation.CheckEventType(nullptr));
  EXPECT_FALSE(operation.IsComplexDataSource(nullptr));
  operation.GetCompleteParamList(nullptr, list.data());
  operation.GetCompleteParamList(event, nullptr);
  EXPECT_EQ('#', list[0]);
  EXPECT_FALSE(operation.GetEventParameters(nullptr, list.data(), 1, 16));
  EXPECT_FALSE(operation.GetEventParameters(event, nullptr, 1, 16));
  EXPECT_EQ('#', list[0]);
}

TEST(NullArgument, NumericCheckAndStatisticsMembers) {
  CMathOperation operation;
  EXPECT_EQ(0, operation.IsDigit(static_cast<char*>(nullptr)));
  EXPECT_EQ(10, operation.IsValidIPString(nullptr));
  EXPECT_EQ(0, operation.IsValidIpAndPortString(nullptr, nullptr, nullptr));
  char text[] = "1.2.3.4:80";
  EXPECT_EQ(1, operation.IsValidIpAndPortString(text, nullptr, nullptr));

  // Null outputs are skipped; a null sample array holds no samples.
  double values[] = {1, 2, 3};
  double minimum = 0;
  double spread = 0;
  operation.CalculateMinMaxAvrSD(values, 3, &minimum, nullptr, nullptr, &spread);
  EXPECT_EQ(1.0, minimum);
  operation.CalculateMinMax(values, 3, nullptr, nullptr, nullptr, nullptr);
  double average = 0;
  operation.CalculateMinMaxAvrSD(nullptr, 3, nullptr, nullptr, &average, nullptr);
  EXPECT_TRUE(std::isnan(average));

  // A missing array, input or output, gives no window; a series without arrays has no sample.
  double* valueArrays[] = {nullptr, values};
  long times[] = {0, 10, 20};
  long* timeArrays[] = {nullptr, times};
  long counts[] = {3, 3};
  double minima[CORVIXMATH_MAX_SERIES], maxima[CORVIXMATH_MAX_SERIES], means[CORVIXMATH_MAX_SERIES];
  long centres[CORVIXMATH_MAX_SERIES];
  EXPECT_EQ(0, operation.FilterValueArray(nullptr, timeArrays, 2, counts, minima, maxima, means,
                                          centres, 3600, 3600, 0));
  EXPECT_EQ(0, operation.FilterValueArray(valueArrays, timeArrays, 2, counts, minima, maxima, means,
                                          nullptr, 3600, 3600, 0));
  EXPECT_EQ(1, operation.FilterValueArray(valueArrays, timeArrays, 2, counts, minima, maxima, means,
                                          centres, 3600, 3600, 0));
  EXPECT_EQ(2.0, means[0]);
}

}  // namespace
