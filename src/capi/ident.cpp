// The C interface of the identifier checks and the expression checker: each function forwards
// to its member.
//
//   cm_is_valid_control_id("AB0123")                 -> 2
//   cm_verify_reg_exp_string("a+*b", message, "#a#b#") -> -23, "Two Adjacent sign detected."
#include "capi/internal/forward.h"

using corvix::capi::Input;
using corvix::capi::Result32;

int32_t CORVIXMATH_CALL cm_is_valid_control_id(const char* identifier) {
  return Result32(CMathOperation().IsValidControlID(Input(identifier)));
}

int32_t CORVIXMATH_CALL cm_is_valid_control_id_u16(const uint16_t* identifier) {
  return Result32(CMathOperation().IsValidControlID(Input(identifier)));
}

void CORVIXMATH_CALL cm_check_control_id_and_convert_to_new_version(char* identifier) {
  CMathOperation().CheckControlIDAndConvertToNewVersion(identifier);
}

int32_t CORVIXMATH_CALL cm_is_alpha_numeric(const char* text) {
  return Result32(CMathOperation().IsAlphaNumeric(Input(text)));
}

int32_t CORVIXMATH_CALL cm_verify_reg_exp_string(const char* expression, char* message,
                                                 const char* variables) {
  return Result32(
      CMathOperation().VerifyRegExpString(Input(expression), message, Input(variables)));
}
