// The C interface of the device model tables, the component names and the packed read word.
// Each function forwards to its member; lists are searched as 32-bit integers.
//
//   cm_model_to_iam(305)                               -> 14
//   cm_build_read_result_state(5, -999, -999, 'C', 0) -> 0x2079B
#include "capi/internal/forward.h"
#include "device/internal/read_word.h"

using corvix::capi::Result32;

uint8_t CORVIXMATH_CALL cm_corvix_device_model_to_tavlin_data_type(uint16_t model) {
  return CMathOperation().CorvixDeviceModelToTavlinDataType(model);
}

uint8_t CORVIXMATH_CALL cm_corvix_device_model_to_data_structure_type(uint16_t model) {
  return CMathOperation().CorvixDeviceModelToDataStructureType(model);
}

int32_t CORVIXMATH_CALL cm_model_to_iam(uint16_t model) {
  return Result32(CMathOperation().ModelToIam(model));
}

uint8_t CORVIXMATH_CALL cm_what_is_this(uint16_t model) {
  return CMathOperation().WhatIsThis(model);
}

void CORVIXMATH_CALL cm_computer_id_to_string(int32_t computer_id, char* name) {
  CMathOperation().ComputerIdToString(computer_id, name);
}

int32_t CORVIXMATH_CALL cm_build_read_result_state(int32_t first, int32_t second, int32_t third,
                                                   char letter, int32_t flag) {
  return Result32(CMathOperation().BuildReadResultState(first, second, third, letter, flag));
}

int32_t CORVIXMATH_CALL cm_extract_from_read_request(int32_t selector, int32_t word) {
  return Result32(CMathOperation().ExtractFromReadRequest(selector, word));
}

int32_t CORVIXMATH_CALL cm_long_exist_in_list(int32_t value, const int32_t* list, int32_t count) {
  return Result32(corvix::device::LongExistInList32(value, list, count));
}
