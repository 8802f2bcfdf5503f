// The VARIANT value members as VarValueToLongDouble reads them, on every byte order and char
// signedness. Each type reads its own member: on a big-endian machine the small members hold
// the most significant bytes of the value field, so a member read through a wider one (or the
// other way round) gives another number there, though not on 32-bit Windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "CMathOperation.h"
#include "support/test_units.h"

namespace {

using corvix_test::Hex;

// The value field filled with a pattern first, so that bytes the member does not cover are not
// zero: every byte differs, and each half has its top bit set.
VARIANT Prefilled(VARTYPE type, unsigned long long pattern) {
  VARIANT value;
  std::memset(&value, 0, sizeof value);
  value.vt = type;
  value.ullVal = pattern;
  return value;
}

const unsigned long long kPatterns[] = {0ull, ~0ull, 0x8899AABBCCDDEEFFull, 0xF0E1D2C3B4A59687ull};

TEST(VariantMembers, EachTypeReadsOnlyItsOwnMember) {
  CMathOperation math;
  for (unsigned long long pattern : kPatterns) {
    VARIANT i2 = Prefilled(VT_I2, pattern);
    i2.iVal = -5;
    EXPECT_EQ(math.VarValueToLongDouble(i2), -5.0L) << std::hex << pattern;
    VARIANT ui2 = Prefilled(VT_UI2, pattern);
    ui2.uiVal = 0x8001;
    EXPECT_EQ(math.VarValueToLongDouble(ui2), 32769.0L) << std::hex << pattern;
    VARIANT i4 = Prefilled(VT_I4, pattern);
    i4.lVal = -100000;
    EXPECT_EQ(math.VarValueToLongDouble(i4), -100000.0L) << std::hex << pattern;
    VARIANT r4 = Prefilled(VT_R4, pattern);
    r4.fltVal = -0.1f;
    EXPECT_EQ(math.VarValueToLongDouble(r4), static_cast<long double>(static_cast<double>(-0.1f)))
        << std::hex << pattern;
    VARIANT ui1 = Prefilled(VT_UI1, pattern);
    ui1.bVal = 0x81;
    EXPECT_EQ(math.VarValueToLongDouble(ui1), 129.0L) << std::hex << pattern;
    VARIANT i1 = Prefilled(VT_I1, pattern);
    i1.cVal = '\x81';
    EXPECT_EQ(math.VarValueToLongDouble(i1), -127.0L) << std::hex << pattern;
  }
}

// VT_I1 is a signed byte on every platform, whatever the signedness of the host's char;
// VT_UI1 is unsigned.
TEST(VariantMembers, SignedAndUnsignedBytesForEveryValue) {
  CMathOperation math;
  for (unsigned value = 0; value <= 0xFF; ++value) {
    const char byte = static_cast<char>(value);
    VARIANT i1 = Prefilled(VT_I1, ~0ull);
    i1.cVal = byte;
    const long double expected = value < 0x80 ? value : static_cast<long double>(value) - 256.0L;
    EXPECT_EQ(math.VarValueToLongDouble(i1), expected) << Hex(byte);
    VARIANT ui1 = Prefilled(VT_UI1, ~0ull);
    ui1.bVal = static_cast<unsigned char>(value);
    EXPECT_EQ(math.VarValueToLongDouble(ui1), static_cast<long double>(value)) << Hex(byte);
  }
}

// The layout of the Windows VARIANT: the type code first, the value field at offset 8, as wide
// as two pointers, every member starting where the field starts.
TEST(VariantMembers, LayoutOf32BitWindows) {
  VARIANT value{};
  const char* const start = reinterpret_cast<const char*>(&value);
  const auto offset = [start](const void* member) {
    return static_cast<const char*>(member) - start;
  };
  EXPECT_EQ(offset(&value.vt), 0);
  EXPECT_EQ(sizeof value.vt, 2u);
  for (const void* member :
       {static_cast<const void*>(&value.llVal), static_cast<const void*>(&value.lVal),
        static_cast<const void*>(&value.bVal), static_cast<const void*>(&value.iVal),
        static_cast<const void*>(&value.fltVal), static_cast<const void*>(&value.dblVal),
        static_cast<const void*>(&value.cVal), static_cast<const void*>(&value.uiVal),
        static_cast<const void*>(&value.ulVal), static_cast<const void*>(&value.ullVal)}) {
    EXPECT_EQ(offset(member), 8);
  }
  EXPECT_EQ(sizeof value.lVal, 4u);
  EXPECT_EQ(sizeof value.iVal, 2u);
  EXPECT_EQ(sizeof value.cVal, 1u);
  EXPECT_EQ(sizeof(VARIANT), 8u + 2u * sizeof(void*));
}

}  // namespace
