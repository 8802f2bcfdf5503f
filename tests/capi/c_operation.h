// CApiOperation: the members of CMathOperation, with the same signatures, answered by the C
// interface. The shared table of member calls is compiled a second time over this class
// (member_calls_through_c.cpp), so every call of the table runs once through the class and
// once through the C functions, on the same inputs.
//
// Each member converts its arguments as a C host would (long to int32_t, long arrays to int32_t
// arrays) and calls the one C function of that member. Inputs that the C interface declares
// const are watched: a C function that changed one is counted in InputsChanged().
//
// The wchar_t flavours and the lifecycle have no C function; they stay with the class. The
// variant reader goes through the typed function of each numeric type code.
#ifndef CORVIXMATH_TESTS_CAPI_C_OPERATION_H
#define CORVIXMATH_TESTS_CAPI_C_OPERATION_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "CMathOperation.h"
#include "corvixmath.h"

namespace corvix_capi_test {

// Number of calls after which an input declared const differed from what it held before.
int InputsChanged();

namespace detail {

void CountChangedInput();

// Snapshot of a const input, compared when the call is over. An input that is also the
// call's destination (the in-place calls the members allow) is not watched.
template <class Unit>
class WatchedInput {
 public:
  explicit WatchedInput(const Unit* text, const void* destination = nullptr) : text_(text) {
    if (text_ == nullptr || static_cast<const void*>(text_) == destination) {
      text_ = nullptr;
      return;
    }
    for (std::size_t i = 0;; ++i) {
      before_.push_back(text_[i]);
      if (text_[i] == Unit(0)) break;
    }
  }
  ~WatchedInput() {
    if (text_ == nullptr) return;
    for (std::size_t i = 0; i < before_.size(); ++i) {
      if (text_[i] != before_[i]) {
        CountChangedInput();
        return;
      }
    }
  }
  WatchedInput(const WatchedInput&) = delete;
  WatchedInput& operator=(const WatchedInput&) = delete;

 private:
  const Unit* text_;
  std::vector<Unit> before_;
};

}  // namespace detail

class CApiOperation {
 public:
  long DoubleToEngString(char* destination, double value, char* unit, int digits,
                         unsigned long size, unsigned char scaleMode) {
    detail::WatchedInput<char> watch(unit, destination);
    return cm_double_to_eng_string(destination, value, unit, digits, static_cast<uint32_t>(size),
                                   scaleMode);
  }
  long DoubleToSimpleString(char* destination, double value, unsigned char width,
                            unsigned char decimals, unsigned char zeroFill, char* groupSeparator,
                            long size) {
    detail::WatchedInput<char> watch(groupSeparator, destination);
    return cm_double_to_simple_string(destination, value, width, decimals, zeroFill, groupSeparator,
                                      static_cast<int32_t>(size));
  }
  void SientificFormat(char* destination, double value, unsigned char mantissaDecimals,
                       unsigned int size) {
    cm_sientific_format(destination, value, mantissaDecimals, size);
  }
  void PriceToString(char* destination, double amount, unsigned int size,
                     unsigned char divisorExponent, char thousandsSeparator) {
    cm_price_to_string(destination, amount, size, divisorExponent, thousandsSeparator);
  }
  void StandardLen(char* text, long length, char fill) {
    cm_standard_len(text, static_cast<int32_t>(length), fill);
  }
  long NumberTo4SevenSeg(double value, long flags) {
    return cm_number_to_4_seven_seg(value, static_cast<int32_t>(flags));
  }
  double EngStr2SimpleValue(char* text) {
    detail::WatchedInput<char> watch(text);
    return cm_eng_str_2_simple_value(text);
  }
  long HexStringToDecimal(char* text) {
    detail::WatchedInput<char> watch(text);
    return cm_hex_string_to_decimal(text);
  }
  long double VarValueToLongDouble(struct tagVARIANT value) {
    switch (value.vt) {
      case VT_I2:
        return cm_var_value_to_long_double_i2(value.iVal);
      case VT_I4:
        return cm_var_value_to_long_double_i4(value.lVal);
      case VT_R4:
        return cm_var_value_to_long_double_r4(value.fltVal);
      case VT_R8:
        return cm_var_value_to_long_double_r8(value.dblVal);
      case VT_I1:
        return cm_var_value_to_long_double_i1(static_cast<int8_t>(value.cVal));
      case VT_UI1:
        return cm_var_value_to_long_double_ui1(value.bVal);
      case VT_UI2:
        return cm_var_value_to_long_double_ui2(value.uiVal);
      default:
        return 0.0L;  // every other type code reads as 0; the C interface has no function
    }
  }
  long ToLong(unsigned short* text) {
    detail::WatchedInput<unsigned short> watch(text);
    return cm_to_long_u16(text);
  }

  // --- Search and extraction
  long FindCharposInString(char* source, char character) {
    detail::WatchedInput<char> watch(source);
    return cm_find_charpos_in_string(source, character);
  }
  long FindCharposInString(unsigned short* source, unsigned short character) {
    detail::WatchedInput<unsigned short> watch(source);
    return cm_find_charpos_in_string_u16(source, character);
  }
  long FindCharposInStringW(wchar_t* source, wchar_t character) {
    return CMathOperation().FindCharposInStringW(source, character);
  }
  long FindSubStringStartPos(char* source, char* substring) {
    detail::WatchedInput<char> watchSource(source);
    detail::WatchedInput<char> watchSubstring(substring);
    return cm_find_sub_string_start_pos(source, substring);
  }
  long FindSubStringStartPosW(wchar_t* source, wchar_t* substring) {
    return CMathOperation().FindSubStringStartPosW(source, substring);
  }
  long ExtractLeftBeforeChar(char* source, char* destination, char character, long capacity) {
    detail::WatchedInput<char> watch(source, destination);
    return cm_extract_left_before_char(source, destination, character,
                                       static_cast<int32_t>(capacity));
  }
  long ExtractLeftBeforeChar(unsigned short* source, unsigned short* destination,
                             unsigned short character, long capacity) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    return cm_extract_left_before_char_u16(source, destination, character,
                                           static_cast<int32_t>(capacity));
  }
  long ExtractLeftBeforeCharW(wchar_t* source, wchar_t* destination, wchar_t character,
                              long capacity) {
    return CMathOperation().ExtractLeftBeforeCharW(source, destination, character, capacity);
  }
  void ExtractRightAfterChar(char* source, char* destination, char character) {
    detail::WatchedInput<char> watch(source, destination);
    cm_extract_right_after_char(source, destination, character);
  }
  void ExtractRightAfterChar(unsigned short* source, unsigned short* destination,
                             unsigned short character) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    cm_extract_right_after_char_u16(source, destination, character);
  }
  void ExtractRightAfterCharW(wchar_t* source, wchar_t* destination, wchar_t character) {
    CMathOperation().ExtractRightAfterCharW(source, destination, character);
  }
  void ExtractLefttSide(char* source, char* destination, long count) {
    detail::WatchedInput<char> watch(source, destination);
    cm_extract_leftt_side(source, destination, static_cast<int32_t>(count));
  }
  void ExtractLefttSide(unsigned short* source, unsigned short* destination, long count) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    cm_extract_leftt_side_u16(source, destination, static_cast<int32_t>(count));
  }
  void ExtractLefttSideW(wchar_t* source, wchar_t* destination, long count) {
    CMathOperation().ExtractLefttSideW(source, destination, count);
  }
  void ExtractRightSide(char* source, char* destination, long count) {
    detail::WatchedInput<char> watch(source, destination);
    cm_extract_right_side(source, destination, static_cast<int32_t>(count));
  }
  void ExtractRightSide(unsigned short* source, unsigned short* destination, long count) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    cm_extract_right_side_u16(source, destination, static_cast<int32_t>(count));
  }
  void ExtractRightSideW(wchar_t* source, wchar_t* destination, long count) {
    CMathOperation().ExtractRightSideW(source, destination, count);
  }
  long SubString(char* source, char* destination, long start, long count) {
    detail::WatchedInput<char> watch(source, destination);
    return cm_sub_string(source, destination, static_cast<int32_t>(start),
                         static_cast<int32_t>(count));
  }
  long SubString(unsigned short* source, unsigned short* destination, long start, long count) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    return cm_sub_string_u16(source, destination, static_cast<int32_t>(start),
                             static_cast<int32_t>(count));
  }

  // --- Trimming and in-place editing
  long TrimLeft(char* source, char* destination, char character, unsigned int capacity) {
    detail::WatchedInput<char> watch(source, destination);
    return cm_trim_left(source, destination, character, capacity);
  }
  long TrimLeft(unsigned short* source, unsigned short* destination, unsigned short character,
                unsigned int capacity) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    return cm_trim_left_u16(source, destination, character, capacity);
  }
  long TrimLeftW(wchar_t* source, wchar_t* destination, wchar_t character, unsigned int capacity) {
    return CMathOperation().TrimLeftW(source, destination, character, capacity);
  }
  long TrimRight(char* source, char* destination, char character, unsigned int capacity) {
    detail::WatchedInput<char> watch(source, destination);
    return cm_trim_right(source, destination, character, capacity);
  }
  long TrimRight(unsigned short* source, unsigned short* destination, unsigned short character,
                 unsigned int capacity) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    return cm_trim_right_u16(source, destination, character, capacity);
  }
  long TrimRightW(wchar_t* source, wchar_t* destination, wchar_t character, unsigned int capacity) {
    return CMathOperation().TrimRightW(source, destination, character, capacity);
  }
  void InsertCharInCharArray(char* text, long position, char character) {
    cm_insert_char_in_char_array(text, static_cast<int32_t>(position), character);
  }
  void InsertCharInCharArray(unsigned short* text, long position, unsigned short character) {
    cm_insert_char_in_char_array_u16(text, static_cast<int32_t>(position), character);
  }
  void InsertCharInCharArray(wchar_t* text, long position, wchar_t character) {
    CMathOperation().InsertCharInCharArray(text, position, character);
  }
  void RemoveCharFromCharArray(char* text, char character) {
    cm_remove_char_from_char_array(text, character);
  }
  void RemoveCharFromCharArray(unsigned short* text, unsigned short character) {
    cm_remove_char_from_char_array_u16(text, character);
  }
  void RemoveFromCharArray(char* text, int start, int count) {
    cm_remove_from_char_array(text, start, count);
  }
  void RemoveFromCharArray(unsigned short* text, int start, int count) {
    cm_remove_from_char_array_u16(text, start, count);
  }
  void ReplaceCharInCharAaary(char* text, char find, char replacement) {
    cm_replace_char_in_char_aaary(text, find, replacement);
  }
  void ReplaceCharInCharAaary(unsigned short* text, unsigned short find,
                              unsigned short replacement) {
    cm_replace_char_in_char_aaary_u16(text, find, replacement);
  }

  // --- 16-bit unit strings
  void Copy(unsigned short* destination, unsigned short* source, unsigned int capacity) {
    detail::WatchedInput<unsigned short> watch(source, destination);
    cm_copy_u16(destination, source, capacity);
  }
  long Len(unsigned short* text) {
    detail::WatchedInput<unsigned short> watch(text);
    return cm_len_u16(text);
  }
  long Compare(unsigned short* first, unsigned short* second) {
    detail::WatchedInput<unsigned short> watchFirst(first);
    detail::WatchedInput<unsigned short> watchSecond(second);
    return cm_compare_u16(first, second);
  }
  void LongToWChar(long value, unsigned short* destination, unsigned int capacity) {
    cm_long_to_w_char(static_cast<int32_t>(value), destination, capacity);
  }

  // --- Paths
  long ExtractPathAndName(char* fullPath, char* directory, char* name, unsigned int nameCapacity,
                          unsigned int directoryCapacity) {
    detail::WatchedInput<char> watch(fullPath);
    return cm_extract_path_and_name(fullPath, directory, name, nameCapacity, directoryCapacity);
  }
  long ExtractPathAndName(wchar_t* fullPath, wchar_t* directory, wchar_t* name,
                          unsigned int nameCapacity, unsigned int directoryCapacity) {
    return CMathOperation().ExtractPathAndName(fullPath, directory, name, nameCapacity,
                                               directoryCapacity);
  }
  void RemoveDirFromPath(char* path, char* output, unsigned char levels) {
    cm_remove_dir_from_path(path, output, levels);
  }
  void RemoveDirFromPath(wchar_t* path, wchar_t* output, unsigned char levels) {
    CMathOperation().RemoveDirFromPath(path, output, levels);
  }

  // --- Conversions
  void CharArrayToWcharArray(char* source, unsigned short* destination, long flags) {
    detail::WatchedInput<char> watch(source);
    cm_char_array_to_wchar_array(source, destination, static_cast<int32_t>(flags));
  }
  void WCharArrayToCharArray(char* destination, unsigned short* source, long flags) {
    detail::WatchedInput<unsigned short> watch(source);
    cm_w_char_array_to_char_array(destination, source, static_cast<int32_t>(flags));
  }
  long UnicodeStringToDigitArray(char* source, char* destination, long capacity) {
    detail::WatchedInput<char> watch(source, destination);
    return cm_unicode_string_to_digit_array(source, destination, static_cast<int32_t>(capacity));
  }
  long UnicodeStringToDigitArray(unsigned short* source, char* destination, long capacity) {
    detail::WatchedInput<unsigned short> watch(source);
    return cm_unicode_string_to_digit_array_u16(source, destination,
                                                static_cast<int32_t>(capacity));
  }
  void DigitArrayToUnicodeString(char* digitArray, char* destination, long unused) {
    detail::WatchedInput<char> watch(digitArray, destination);
    cm_digit_array_to_unicode_string(digitArray, destination, static_cast<int32_t>(unused));
  }
  void DigitArrayToUnicodeString(char* digitArray, unsigned short* destination, long flags) {
    detail::WatchedInput<char> watch(digitArray);
    cm_digit_array_to_unicode_string_u16(digitArray, destination, static_cast<int32_t>(flags));
  }
  long IsUniCodeString(char* text) {
    detail::WatchedInput<char> watch(text);
    return cm_is_uni_code_string(text);
  }
  long ContainUnicodeChar(char* text) {
    detail::WatchedInput<char> watch(text);
    return cm_contain_unicode_char(text);
  }

  // --- Identifiers and the expression checker
  long IsValidControlID(char* identifier) {
    detail::WatchedInput<char> watch(identifier);
    return cm_is_valid_control_id(identifier);
  }
  long IsValidControlID(unsigned short* identifier) {
    detail::WatchedInput<unsigned short> watch(identifier);
    return cm_is_valid_control_id_u16(identifier);
  }
  long IsValidControlID(wchar_t* identifier) {
    return CMathOperation().IsValidControlID(identifier);
  }
  void CheckControlIDAndConvertToNewVersion(char* identifier) {
    cm_check_control_id_and_convert_to_new_version(identifier);
  }
  long IsAlphaNumeric(char* text) {
    detail::WatchedInput<char> watch(text);
    return cm_is_alpha_numeric(text);
  }
  long VerifyRegExpString(char* expression, char* message, char* variables) {
    detail::WatchedInput<char> watchExpression(expression, message);
    detail::WatchedInput<char> watchVariables(variables, message);
    return cm_verify_reg_exp_string(expression, message, variables);
  }

  // --- Vocabulary, fonts and events
  unsigned char DataTypeStringToIndex(char* name) {
    detail::WatchedInput<char> watch(name);
    return cm_data_type_string_to_index(name);
  }
  unsigned char cpModelTOucModel(char* name) {
    detail::WatchedInput<char> watch(name);
    return cm_cp_model_to_uc_model(name);
  }
  void ucModelTOcpModel(unsigned char code, char* name) { cm_uc_model_to_cp_model(code, name); }
  unsigned char NumericValueStringToIndex(char* name) {
    detail::WatchedInput<char> watch(name);
    return cm_numeric_value_string_to_index(name);
  }
  void ScaleIndex2String(char* name, long index, unsigned int capacity) {
    cm_scale_index_2_string(name, static_cast<int32_t>(index), capacity);
  }
  long ScaleString2Index(char* name) {
    detail::WatchedInput<char> watch(name);
    return cm_scale_string_2_index(name);
  }
  void DecodeFontString(char* descriptor, char* face, unsigned char* size, unsigned long* colour,
                        unsigned char* style) {
    detail::WatchedInput<char> watch(descriptor, face);
    uint32_t colour32 = colour != nullptr ? static_cast<uint32_t>(*colour) : 0;
    cm_decode_font_string(descriptor, face, size, colour != nullptr ? &colour32 : nullptr, style);
    if (colour != nullptr) *colour = colour32;
  }
  long CheckEventType(char* event) {
    detail::WatchedInput<char> watch(event);
    return cm_check_event_type(event);
  }
  bool IsComplexDataSource(char* source) {
    detail::WatchedInput<char> watch(source);
    return cm_is_complex_data_source(source) != 0;
  }
  void GetCompleteParamList(char* event, char* destination) {
    detail::WatchedInput<char> watch(event, destination);
    cm_get_complete_param_list(event, destination);
  }
  bool GetEventParameters(char* event, char* destination, long number, unsigned int capacity) {
    detail::WatchedInput<char> watch(event, destination);
    return cm_get_event_parameters(event, destination, static_cast<int32_t>(number), capacity) != 0;
  }

  // --- Devices and read words
  unsigned char CorvixDeviceModelToTavlinDataType(unsigned short model) {
    return cm_corvix_device_model_to_tavlin_data_type(model);
  }
  unsigned char CorvixDeviceModelToDataStructureType(unsigned short model) {
    return cm_corvix_device_model_to_data_structure_type(model);
  }
  long ModelToIam(unsigned short model) { return cm_model_to_iam(model); }
  unsigned char WhatIsThis(unsigned short model) { return cm_what_is_this(model); }
  void ComputerIdToString(int computerId, char* name) {
    cm_computer_id_to_string(computerId, name);
  }
  long BuildReadResultState(long first, long second, long third, char letter, long flag) {
    return cm_build_read_result_state(static_cast<int32_t>(first), static_cast<int32_t>(second),
                                      static_cast<int32_t>(third), letter,
                                      static_cast<int32_t>(flag));
  }
  long ExtractFromReadRequest(long selector, long word) {
    return cm_extract_from_read_request(static_cast<int32_t>(selector), static_cast<int32_t>(word));
  }
  long LongExistInList(long value, long* list, long count) {
    std::vector<int32_t> list32;
    for (long i = 0; list != nullptr && i < count; ++i)
      list32.push_back(static_cast<int32_t>(list[i]));
    return cm_long_exist_in_list(static_cast<int32_t>(value),
                                 list != nullptr ? list32.data() : nullptr,
                                 static_cast<int32_t>(count));
  }

  // --- Number and address checks, statistics and windows
  long IsDigit(char* text) { return cm_is_digit(text); }
  long IsDigit(unsigned short* text) { return cm_is_digit_u16(text); }
  long IsValidIPString(char* address) {
    detail::WatchedInput<char> watch(address);
    return cm_is_valid_ip_string(address);
  }
  long IsValidIpAndPortString(char* text, char* address, unsigned short* port) {
    return cm_is_valid_ip_and_port_string(text, address, port);
  }
  void CalculateMinMaxAvrSD(double* values, long count, double* minimum, double* maximum,
                            double* average, double* spread) {
    cm_calculate_min_max_avr_sd(values, static_cast<int32_t>(count), minimum, maximum, average,
                                spread);
  }
  void CalculateMinMax(double* values, long count, double* minimum, double* maximum,
                       double* average, double* spread) {
    cm_calculate_min_max(values, static_cast<int32_t>(count), minimum, maximum, average, spread);
  }
  long FilterValueArray(double** values, long** times, long seriesCount, long* sampleCounts,
                        double* minimum, double* maximum, double* mean, long* centres, long width,
                        long step, long unused) {
    // A C host keeps its times, counts and centre times as int32_t.
    const long series = std::max(0L, std::min(seriesCount, long{CORVIXMATH_MAX_SERIES}));
    std::vector<std::vector<int32_t>> times32(static_cast<std::size_t>(series));
    std::vector<const int32_t*> timePointers;
    std::vector<int32_t> counts32;
    for (long s = 0; s < series && times != nullptr && sampleCounts != nullptr; ++s) {
      const std::size_t index = static_cast<std::size_t>(s);
      for (long j = 0; times[s] != nullptr && j < sampleCounts[s]; ++j)
        times32[index].push_back(static_cast<int32_t>(times[s][j]));
      timePointers.push_back(times[s] != nullptr ? times32[index].data() : nullptr);
      counts32.push_back(static_cast<int32_t>(sampleCounts[s]));
    }
    const long windows = step > 0 ? CORVIXMATH_SECONDS_PER_DAY / step + 2 : 1;
    std::vector<int32_t> centres32(static_cast<std::size_t>(windows));
    const int32_t written = cm_filter_value_array(
        values, times != nullptr ? timePointers.data() : nullptr, static_cast<int32_t>(seriesCount),
        sampleCounts != nullptr ? counts32.data() : nullptr, minimum, maximum, mean,
        centres != nullptr ? centres32.data() : nullptr, static_cast<int32_t>(width),
        static_cast<int32_t>(step), static_cast<int32_t>(unused));
    for (int32_t i = 0; centres != nullptr && i < written; ++i)
      centres[i] = centres32[static_cast<std::size_t>(i)];
    return written;
  }
};

}  // namespace corvix_capi_test

#endif  // CORVIXMATH_TESTS_CAPI_C_OPERATION_H
