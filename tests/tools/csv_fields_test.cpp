// The fields of CSV lines: quotes, blanks, the separator a file uses and chosen columns.
#include <gtest/gtest.h>

#include "csv_fields.h"
#include "tool.h"

namespace {

using corvix_tool::BadInput;

TEST(ToolCsvFields, SplitsQuotedFieldsAndTrimsBlanks) {
  const struct {
    std::string line;
    char separator;
    std::vector<std::string> fields;
  } cases[] = {
      {"a,b,c", ',', {"a", "b", "c"}},
      {" a , b\r", ',', {"a", "b"}},
      {"\"x,y\",\"say \"\"hi\"\"\",", ',', {"x,y", "say \"hi\"", ""}},
      {"1;2,5", ';', {"1", "2,5"}},
      {"1\t2", '\t', {"1", "2"}},
      {"", ',', {""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(corvix_tool::SplitFields(c.line, c.separator), c.fields) << c.line;
}

TEST(ToolCsvFields, TheFirstLineDecidesTheSeparatorUnlessOneIsChosen) {
  EXPECT_EQ(corvix_tool::SeparatorOf("", "time,level"), ',');
  EXPECT_EQ(corvix_tool::SeparatorOf("", "time;level"), ';');
  EXPECT_EQ(corvix_tool::SeparatorOf("", "time\tlevel;x"), '\t');
  EXPECT_EQ(corvix_tool::SeparatorOf("tab", "a,b"), '\t');
  EXPECT_EQ(corvix_tool::SeparatorOf(";", "a,b"), ';');
  EXPECT_THROW(corvix_tool::SeparatorOf("|", "a|b"), BadInput);
}

TEST(ToolCsvFields, ColumnsByNameOrNumber) {
  const std::vector<std::string> header = {"Time", "Level", "Flow"};
  EXPECT_EQ(corvix_tool::ColumnOf("Flow", header, 3, ""), 2u);
  EXPECT_EQ(corvix_tool::ColumnOf("1", header, 3, ""), 0u);
  try {
    corvix_tool::ColumnOf("4", header, 3, "f:1: ");
    ADD_FAILURE() << "column 4 of 3";
  } catch (const BadInput& e) {
    EXPECT_STREQ(e.what(), "f:1: there is no column 4 (the file has 3)");
  }
  try {
    corvix_tool::ColumnOf("Level", {}, 3, "");
    ADD_FAILURE() << "a name without a header";
  } catch (const BadInput& e) {
    EXPECT_STREQ(e.what(), "no header line to find the column 'Level'");
  }
  EXPECT_THROW(corvix_tool::ColumnOf("0", header, 3, ""), BadInput);
  EXPECT_THROW(corvix_tool::ColumnOf("level", header, 3, ""), BadInput);
}

TEST(ToolCsvFields, DigitsOnlyWithinTheirCount) {
  long long value = 0;
  EXPECT_TRUE(corvix_tool::ParseDigits("0042", 4, value));
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(corvix_tool::ParseDigits("12345", 4, value));
  EXPECT_FALSE(corvix_tool::ParseDigits("", 4, value));
  EXPECT_FALSE(corvix_tool::ParseDigits("-1", 4, value));
  EXPECT_FALSE(corvix_tool::ParseDigits("1 ", 4, value));
}

}  // namespace

namespace {

TEST(ToolCsvFields, NumbersWithADecimalComma) {
  const struct {
    std::string text;
    bool reads;
    double value;
  } cases[] = {
      {"1,5", true, 1.5},        {"-0,25", true, -0.25},
      {"1.234,5", true, 1234.5}, {"12.345.678", true, 12345678},
      {"1,5e3", true, 1500},     {"7", true, 7},
      {"1.5", false, 0},         {"1.23,4", false, 0},
      {"1234.567,8", false, 0},  {"1,2,3", false, 0},
      {".123,4", false, 0},      {"1..234", false, 0},
      {"1.234.5", false, 0},     {"", false, 0},
      {"abc", false, 0},
  };
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_EQ(corvix_tool::ParseDecimalComma(c.text, value), c.reads) << c.text;
    if (c.reads) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
