// The C interface of the number formatters and parsers: each function forwards to its member.
//
//   cm_double_to_eng_string(text, 12345.678, "W", 4, 32, 1) -> 1, "12.34 KW"
//   cm_hex_string_to_decimal("#FF8000")                    -> 16744448
//   cm_var_value_to_long_double_i2(-56)                    -> -56.0
#include <cstring>

// The typed variant readers build the platform's VARIANT, which on Windows comes from <oaidl.h>.
#define CORVIXMATH_INCLUDE_VARIANT
#include "capi/internal/forward.h"

using corvix::capi::Input;
using corvix::capi::Result32;

namespace {

// The member reads its variant by type code; each typed function fills one value field. The
// member's long double holds an integer or a widened float, so the double is exact.
template <class Fill>
double ReadVariant(VARTYPE type, Fill fill) {
  VARIANT variant;
  std::memset(&variant, 0, sizeof variant);
  variant.vt = type;
  fill(variant);
  return static_cast<double>(CMathOperation().VarValueToLongDouble(variant));
}

}  // namespace

int32_t CORVIXMATH_CALL cm_double_to_eng_string(char* destination, double value, const char* unit,
                                                int32_t digits, uint32_t size, uint8_t scale_mode) {
  return Result32(CMathOperation().DoubleToEngString(destination, value, Input(unit), digits, size,
                                                     scale_mode));
}

int32_t CORVIXMATH_CALL cm_double_to_simple_string(char* destination, double value, uint8_t width,
                                                   uint8_t decimals, uint8_t zero_fill,
                                                   const char* group_separator, int32_t size) {
  return Result32(CMathOperation().DoubleToSimpleString(destination, value, width, decimals,
                                                        zero_fill, Input(group_separator), size));
}

void CORVIXMATH_CALL cm_sientific_format(char* destination, double value, uint8_t mantissa_decimals,
                                         uint32_t size) {
  CMathOperation().SientificFormat(destination, value, mantissa_decimals, size);
}

void CORVIXMATH_CALL cm_price_to_string(char* destination, double amount, uint32_t size,
                                        uint8_t divisor_exponent, char thousands_separator) {
  CMathOperation().PriceToString(destination, amount, size, divisor_exponent, thousands_separator);
}

void CORVIXMATH_CALL cm_standard_len(char* text, int32_t length, char fill) {
  CMathOperation().StandardLen(text, length, fill);
}

int32_t CORVIXMATH_CALL cm_number_to_4_seven_seg(double value, int32_t flags) {
  return Result32(CMathOperation().NumberTo4SevenSeg(value, flags));
}

double CORVIXMATH_CALL cm_eng_str_2_simple_value(const char* text) {
  return CMathOperation().EngStr2SimpleValue(Input(text));
}

int32_t CORVIXMATH_CALL cm_hex_string_to_decimal(const char* text) {
  return Result32(CMathOperation().HexStringToDecimal(Input(text)));
}

double CORVIXMATH_CALL cm_var_value_to_long_double_i2(int16_t value) {
  return ReadVariant(VT_I2, [value](VARIANT& v) { v.iVal = value; });
}

double CORVIXMATH_CALL cm_var_value_to_long_double_i4(int32_t value) {
  return ReadVariant(VT_I4, [value](VARIANT& v) { v.lVal = value; });
}

double CORVIXMATH_CALL cm_var_value_to_long_double_r4(float value) {
  return ReadVariant(VT_R4, [value](VARIANT& v) { v.fltVal = value; });
}

double CORVIXMATH_CALL cm_var_value_to_long_double_r8(double value) {
  return ReadVariant(VT_R8, [value](VARIANT& v) { v.dblVal = value; });
}

double CORVIXMATH_CALL cm_var_value_to_long_double_i1(int8_t value) {
  return ReadVariant(VT_I1, [value](VARIANT& v) { v.cVal = static_cast<char>(value); });
}

double CORVIXMATH_CALL cm_var_value_to_long_double_ui1(uint8_t value) {
  return ReadVariant(VT_UI1, [value](VARIANT& v) { v.bVal = value; });
}

double CORVIXMATH_CALL cm_var_value_to_long_double_ui2(uint16_t value) {
  return ReadVariant(VT_UI2, [value](VARIANT& v) { v.uiVal = value; });
}

int32_t CORVIXMATH_CALL cm_to_long_u16(const uint16_t* text) {
  return Result32(CMathOperation().ToLong(Input(text)));
}
