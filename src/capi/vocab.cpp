// The C interface of the product's vocabulary: names and codes, font descriptors and event
// strings. Each function forwards to its member; `bool` results become 1 and 0.
//
//   cm_scale_string_2_index("kilo")                       -> 3
//   cm_get_event_parameters("Trend(Tag1,Tag2,60)", p, 2, 64) -> 1, "Tag2"
#include "capi/internal/forward.h"

using corvix::capi::Input;
using corvix::capi::Result32;

uint8_t CORVIXMATH_CALL cm_data_type_string_to_index(const char* name) {
  return CMathOperation().DataTypeStringToIndex(Input(name));
}

uint8_t CORVIXMATH_CALL cm_cp_model_to_uc_model(const char* name) {
  return CMathOperation().cpModelTOucModel(Input(name));
}

void CORVIXMATH_CALL cm_uc_model_to_cp_model(uint8_t code, char* name) {
  CMathOperation().ucModelTOcpModel(code, name);
}

uint8_t CORVIXMATH_CALL cm_numeric_value_string_to_index(const char* name) {
  return CMathOperation().NumericValueStringToIndex(Input(name));
}

void CORVIXMATH_CALL cm_scale_index_2_string(char* name, int32_t index, uint32_t capacity) {
  CMathOperation().ScaleIndex2String(name, index, capacity);
}

int32_t CORVIXMATH_CALL cm_scale_string_2_index(const char* name) {
  return Result32(CMathOperation().ScaleString2Index(Input(name)));
}

void CORVIXMATH_CALL cm_decode_font_string(const char* descriptor, char* face, uint8_t* size,
                                           uint32_t* colour, uint8_t* style) {
  // The member's colour is an unsigned long holding a 32-bit word. It starts as the caller's
  // value, so a descriptor that does not reach the colour field gives the caller back the
  // value it had.
  unsigned long memberColour = colour != nullptr ? *colour : 0;
  CMathOperation().DecodeFontString(Input(descriptor), face, size,
                                    colour != nullptr ? &memberColour : nullptr, style);
  if (colour != nullptr) *colour = static_cast<uint32_t>(memberColour);
}

int32_t CORVIXMATH_CALL cm_check_event_type(const char* event) {
  return Result32(CMathOperation().CheckEventType(Input(event)));
}

int32_t CORVIXMATH_CALL cm_is_complex_data_source(const char* source) {
  return CMathOperation().IsComplexDataSource(Input(source)) ? 1 : 0;
}

void CORVIXMATH_CALL cm_get_complete_param_list(const char* event, char* destination) {
  CMathOperation().GetCompleteParamList(Input(event), destination);
}

int32_t CORVIXMATH_CALL cm_get_event_parameters(const char* event, char* destination,
                                                int32_t number, uint32_t capacity) {
  return CMathOperation().GetEventParameters(Input(event), destination, number, capacity) ? 1 : 0;
}
