// A host's view: only the public header, and every member outside the text search and editing
// families called once through the exported library with a result the host relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

TEST(Interface, Formatting) {
  CMathOperation math;
  char text[32];
  char unit[] = "W";
  ASSERT_EQ(math.DoubleToEngString(text, 12345.678, unit, 4, sizeof text, 1), 1);
  EXPECT_STREQ(text, "12.34 KW");
  char group[] = ",";
  ASSERT_EQ(math.DoubleToSimpleString(text, 1234567.891, 0, 2, 0, group, sizeof text), 1);
  EXPECT_STREQ(text, "1,234,567.89");
  math.SientificFormat(text, 12345.678, 2, sizeof text);
  EXPECT_STREQ(text, "1.23E4");
  math.PriceToString(text, 1234567, sizeof text, 0, '.');
  EXPECT_STREQ(text, "1.234.567");
  std::strcpy(text, "12.5 KW");
  math.StandardLen(text, 6, '0');
  EXPECT_STREQ(text, "12.500");
  // '1234' with the point after the fourth character.
  EXPECT_EQ(math.NumberTo4SevenSeg(1234.5678, 0x0200),
            (1L << 21) | (2L << 14) | (3L << 7) | 4L | (1L << 28));
  // A point after the first character sets bit 31: the word reads as a negative long.
  EXPECT_LT(math.NumberTo4SevenSeg(1.5, 0x0200), 0);
}

TEST(Interface, Parsing) {
  CMathOperation math;
  char eng[] = "12.5 K";
  EXPECT_EQ(math.EngStr2SimpleValue(eng), 12500.0);
  char hex[] = "FFFFFFFF";
  EXPECT_EQ(math.HexStringToDecimal(hex), -1);
  VARIANT value;
  std::memset(&value, 0, sizeof value);
  value.vt = VT_I2;
  value.iVal = -5;
  EXPECT_EQ(math.VarValueToLongDouble(value), -5.0L);
  value.vt = VT_BOOL;
  EXPECT_EQ(math.VarValueToLongDouble(value), 0.0L);
  unsigned short digits[] = {' ', '-', '4', '2', 'x', 0};
  EXPECT_EQ(math.ToLong(digits), -42);
}

TEST(Interface, PathsAndConversions) {
  CMathOperation math;
  char path[] = "C:\\Data\\Logs\\day.txt";
  char directory[CORVIXMATH_PATH_UNITS];
  char name[CORVIXMATH_NAME_BYTES];
  ASSERT_EQ(math.ExtractPathAndName(path, directory, name, sizeof name, sizeof directory), 1);
  EXPECT_STREQ(name, "day.txt");
  wchar_t widePath[] = L"C:\\Data\\Logs\\day.txt";
  wchar_t wideName[CORVIXMATH_NAME_BYTES];
  ASSERT_EQ(math.ExtractPathAndName(widePath, nullptr, wideName, 64, 0), 1);
  EXPECT_EQ(std::wcscmp(wideName, L"day.txt"), 0);
  char climbed[CORVIXMATH_PATH_UNITS];
  math.RemoveDirFromPath(path, climbed, 1);
  EXPECT_EQ(std::strncmp(climbed, "C:\\Data\\", 8), 0);
  wchar_t wideClimbed[CORVIXMATH_PATH_UNITS];
  math.RemoveDirFromPath(widePath, wideClimbed, 1);
  EXPECT_EQ(std::wcsncmp(wideClimbed, L"C:\\Data\\", 8), 0);

  char narrow[] = "Hi";
  unsigned short units[16];
  math.CharArrayToWcharArray(narrow, units, 0);
  EXPECT_EQ(units[0], 'H');
  EXPECT_EQ(units[2], 0);
  char back[16];
  math.WCharArrayToCharArray(back, units, 1);  // one byte per unit
  EXPECT_STREQ(back, "Hi");
  char digitArray[64];
  ASSERT_EQ(math.UnicodeStringToDigitArray(units, digitArray, sizeof digitArray), 1);
  EXPECT_STREQ(digitArray, "UniCode(72,105,)");
  ASSERT_EQ(math.UnicodeStringToDigitArray(narrow, digitArray, sizeof digitArray), 1);
  EXPECT_EQ(math.IsUniCodeString(digitArray), 1);
  unsigned short decoded[16];
  math.DigitArrayToUnicodeString(digitArray, decoded, 0);
  EXPECT_EQ(decoded[0], 72);
  EXPECT_EQ(decoded[1], 105);
  char decodedNarrow[16];
  math.DigitArrayToUnicodeString(digitArray, decodedNarrow, 0);
  EXPECT_STREQ(decodedNarrow, "Hi");
  char highByte[] = "caf\xE9";
  EXPECT_EQ(math.ContainUnicodeChar(highByte), 1);
}

TEST(Interface, IdentifiersAndFormulas) {
  CMathOperation math;
  char oldId[CORVIXMATH_CONTROL_ID_BYTES] = "AB123";
  EXPECT_EQ(math.IsValidControlID(oldId), 1);
  math.CheckControlIDAndConvertToNewVersion(oldId);
  EXPECT_STREQ(oldId, "AB0123");
  unsigned short unitId[] = {'A', 'B', '0', '1', '2', '3', 0};
  EXPECT_EQ(math.IsValidControlID(unitId), 2);
  wchar_t wideId[] = L"AB0123";
  EXPECT_EQ(math.IsValidControlID(wideId), 2);
  char classes[] = "Ab1";
  EXPECT_EQ(math.IsAlphaNumeric(classes), 0x1 | 0x2 | 0x4);
  char formula[] = "(a+b";
  char message[CORVIXMATH_MESSAGE_BYTES];
  char variables[] = "#a#b#";
  EXPECT_EQ(math.VerifyRegExpString(formula, message, variables), -21);
  EXPECT_STREQ(message, "Some parenthesis are still not closed");
}

TEST(Interface, Vocabulary) {
  CMathOperation math;
  char scale[] = "kilo";
  EXPECT_EQ(math.ScaleString2Index(scale), 3);
  char name[CORVIXMATH_NAME_BYTES];
  math.ScaleIndex2String(name, 4, sizeof name);
  EXPECT_STREQ(name, "Mega");
  char unknown[] = "no such type";
  EXPECT_EQ(math.DataTypeStringToIndex(unknown), 0);
  EXPECT_EQ(math.cpModelTOucModel(unknown), 255);
  EXPECT_EQ(math.NumericValueStringToIndex(unknown), 255);
  math.ucModelTOcpModel(254, name);
  EXPECT_STREQ(name, "NoData");
  char font[] = "Tahoma,12,#FF0000,Bold";
  char face[CORVIXMATH_FACE_BYTES];
  unsigned char size = 0, style = 0;
  unsigned long colour = 0;
  math.DecodeFontString(font, face, &size, &colour, &style);
  EXPECT_STREQ(face, "Tahoma");
  EXPECT_EQ(size, 12);
  EXPECT_EQ(colour, 0xFF0000ul);
  EXPECT_EQ(style, 1);
  char event[] = "ShowLinearDiagram(a,b)";
  EXPECT_EQ(math.CheckEventType(event), 1);
  EXPECT_TRUE(math.IsComplexDataSource(event));
  char parameters[CORVIXMATH_TEXT_UNITS];
  math.GetCompleteParamList(event, parameters);
  EXPECT_STREQ(parameters, "a,b");
  char parameter[CORVIXMATH_NAME_BYTES];
  ASSERT_TRUE(math.GetEventParameters(event, parameter, 2, sizeof parameter));
  EXPECT_STREQ(parameter, "b");
}

TEST(Interface, DevicesAndReadWords) {
  CMathOperation math;
  EXPECT_EQ(math.CorvixDeviceModelToTavlinDataType(104), 2);
  EXPECT_EQ(math.CorvixDeviceModelToDataStructureType(104), 1);
  EXPECT_EQ(math.ModelToIam(104), 17);
  EXPECT_EQ(math.WhatIsThis(104), 3);
  char component[CORVIXMATH_NAME_BYTES] = "";
  math.ComputerIdToString(1001, component);
  EXPECT_STREQ(component, "SettingManager");
  const long word = math.BuildReadResultState(1, 2, 3, 'b', 1);
  EXPECT_EQ(math.ExtractFromReadRequest(3, word), 27);  // 'a' to 'z' are the codes 26 to 51
  EXPECT_EQ(math.ExtractFromReadRequest(1, word), 2);
  EXPECT_EQ(math.ExtractFromReadRequest(5, word), CORVIXMATH_MISSING_VALUE);
  long list[] = {4, 8, 15};
  EXPECT_EQ(math.LongExistInList(15, list, 3), 2);
}

TEST(Interface, ChecksAndStatistics) {
  CMathOperation math;
  char number[] = "  -1.5M ";
  EXPECT_EQ(math.IsDigit(number), 5);
  EXPECT_STREQ(number, "-1.5M");
  unsigned short units[] = {'1', '2', 0};
  EXPECT_EQ(math.IsDigit(units), 4);
  char address[] = "1.2.3.4";
  EXPECT_EQ(math.IsValidIPString(address), 1);
  char endpoint[] = "1.2.3.4:80";
  char host[CORVIXMATH_ADDRESS_BYTES];
  unsigned short port = 0;
  EXPECT_EQ(math.IsValidIpAndPortString(endpoint, host, &port), 1);
  EXPECT_STREQ(host, "1.2.3.4");
  EXPECT_EQ(port, 80);

  double values[] = {1, 2, 3, 4};
  double minimum, maximum, average, spread;
  math.CalculateMinMaxAvrSD(values, 4, &minimum, &maximum, &average, &spread);
  EXPECT_EQ(average, 2.5);
  EXPECT_EQ(spread, std::sqrt(5.0) / 4);
  math.CalculateMinMax(values, 4, &minimum, &maximum, &average, &spread);
  EXPECT_EQ(minimum, 1);
  EXPECT_EQ(maximum, 4);

  double firstValues[] = {1.0, 3.0};
  long firstTimes[] = {0, 100};
  double* seriesValues[] = {firstValues};
  long* seriesTimes[] = {firstTimes};
  long counts[] = {2};
  double low[CORVIXMATH_MAX_SERIES], high[CORVIXMATH_MAX_SERIES], mean[CORVIXMATH_MAX_SERIES];
  long centres[CORVIXMATH_MAX_SERIES];
  ASSERT_EQ(math.FilterValueArray(seriesValues, seriesTimes, 1, counts, low, high, mean, centres,
                                  3600, 3600, 0),
            1);
  EXPECT_EQ(mean[0], 2.0);
  EXPECT_EQ(centres[0], 0);
}

}  // namespace
