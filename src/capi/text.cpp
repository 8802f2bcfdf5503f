// The C interface of the text utilities: search, extraction, trimming, in-place editing, 16-bit
// unit strings, Windows paths and the narrow/16-bit conversions. Each function forwards to its
// member; the `_u16` functions to the unsigned short overloads.
//
//   cm_find_charpos_in_string("Tank.Level", '.')            -> 4
//   cm_extract_left_before_char("12.5", part, '.', 16)      -> 1, "12"
//   cm_unicode_string_to_digit_array("AB", text, 64)        -> 1, "UniCode(65,66,)"
#include "capi/internal/forward.h"
#include "frame/internal/buffers.h"

using corvix::capi::Capacity;
using corvix::capi::Input;
using corvix::capi::Result32;

// --- Search and extraction

int32_t CORVIXMATH_CALL cm_find_charpos_in_string(const char* source, char character) {
  return Result32(CMathOperation().FindCharposInString(Input(source), character));
}

int32_t CORVIXMATH_CALL cm_find_charpos_in_string_u16(const uint16_t* source, uint16_t character) {
  return Result32(CMathOperation().FindCharposInString(Input(source), character));
}

int32_t CORVIXMATH_CALL cm_find_sub_string_start_pos(const char* source, const char* substring) {
  return Result32(CMathOperation().FindSubStringStartPos(Input(source), Input(substring)));
}

int32_t CORVIXMATH_CALL cm_extract_left_before_char(const char* source, char* destination,
                                                    char character, int32_t capacity) {
  return Result32(CMathOperation().ExtractLeftBeforeChar(Input(source), destination, character,
                                                         Capacity(capacity)));
}

int32_t CORVIXMATH_CALL cm_extract_left_before_char_u16(const uint16_t* source,
                                                        uint16_t* destination, uint16_t character,
                                                        int32_t capacity) {
  return Result32(CMathOperation().ExtractLeftBeforeChar(Input(source), destination, character,
                                                         Capacity(capacity)));
}

void CORVIXMATH_CALL cm_extract_right_after_char(const char* source, char* destination,
                                                 char character) {
  CMathOperation().ExtractRightAfterChar(Input(source), destination, character);
}

void CORVIXMATH_CALL cm_extract_right_after_char_u16(const uint16_t* source, uint16_t* destination,
                                                     uint16_t character) {
  CMathOperation().ExtractRightAfterChar(Input(source), destination, character);
}

void CORVIXMATH_CALL cm_extract_leftt_side(const char* source, char* destination, int32_t count) {
  CMathOperation().ExtractLefttSide(Input(source), destination, count);
}

void CORVIXMATH_CALL cm_extract_leftt_side_u16(const uint16_t* source, uint16_t* destination,
                                               int32_t count) {
  CMathOperation().ExtractLefttSide(Input(source), destination, count);
}

void CORVIXMATH_CALL cm_extract_right_side(const char* source, char* destination, int32_t count) {
  CMathOperation().ExtractRightSide(Input(source), destination, count);
}

void CORVIXMATH_CALL cm_extract_right_side_u16(const uint16_t* source, uint16_t* destination,
                                               int32_t count) {
  CMathOperation().ExtractRightSide(Input(source), destination, count);
}

int32_t CORVIXMATH_CALL cm_sub_string(const char* source, char* destination, int32_t start,
                                      int32_t count) {
  return Result32(CMathOperation().SubString(Input(source), destination, start, count));
}

int32_t CORVIXMATH_CALL cm_sub_string_u16(const uint16_t* source, uint16_t* destination,
                                          int32_t start, int32_t count) {
  return Result32(CMathOperation().SubString(Input(source), destination, start, count));
}

// --- Trimming and in-place editing

int32_t CORVIXMATH_CALL cm_trim_left(const char* source, char* destination, char character,
                                     uint32_t capacity) {
  return Result32(CMathOperation().TrimLeft(Input(source), destination, character, capacity));
}

int32_t CORVIXMATH_CALL cm_trim_left_u16(const uint16_t* source, uint16_t* destination,
                                         uint16_t character, uint32_t capacity) {
  return Result32(CMathOperation().TrimLeft(Input(source), destination, character, capacity));
}

int32_t CORVIXMATH_CALL cm_trim_right(const char* source, char* destination, char character,
                                      uint32_t capacity) {
  return Result32(CMathOperation().TrimRight(Input(source), destination, character, capacity));
}

int32_t CORVIXMATH_CALL cm_trim_right_u16(const uint16_t* source, uint16_t* destination,
                                          uint16_t character, uint32_t capacity) {
  return Result32(CMathOperation().TrimRight(Input(source), destination, character, capacity));
}

void CORVIXMATH_CALL cm_insert_char_in_char_array(char* text, int32_t position, char character) {
  CMathOperation().InsertCharInCharArray(text, position, character);
}

void CORVIXMATH_CALL cm_insert_char_in_char_array_u16(uint16_t* text, int32_t position,
                                                      uint16_t character) {
  CMathOperation().InsertCharInCharArray(text, position, character);
}

void CORVIXMATH_CALL cm_remove_char_from_char_array(char* text, char character) {
  CMathOperation().RemoveCharFromCharArray(text, character);
}

void CORVIXMATH_CALL cm_remove_char_from_char_array_u16(uint16_t* text, uint16_t character) {
  CMathOperation().RemoveCharFromCharArray(text, character);
}

void CORVIXMATH_CALL cm_remove_from_char_array(char* text, int32_t start, int32_t count) {
  CMathOperation().RemoveFromCharArray(text, start, count);
}

void CORVIXMATH_CALL cm_remove_from_char_array_u16(uint16_t* text, int32_t start, int32_t count) {
  CMathOperation().RemoveFromCharArray(text, start, count);
}

void CORVIXMATH_CALL cm_replace_char_in_char_aaary(char* text, char find, char replacement) {
  CMathOperation().ReplaceCharInCharAaary(text, find, replacement);
}

void CORVIXMATH_CALL cm_replace_char_in_char_aaary_u16(uint16_t* text, uint16_t find,
                                                       uint16_t replacement) {
  CMathOperation().ReplaceCharInCharAaary(text, find, replacement);
}

// --- 16-bit unit strings

void CORVIXMATH_CALL cm_copy_u16(uint16_t* destination, const uint16_t* source, uint32_t capacity) {
  CMathOperation().Copy(destination, Input(source), capacity);
}

int32_t CORVIXMATH_CALL cm_len_u16(const uint16_t* text) {
  return Result32(CMathOperation().Len(Input(text)));
}

int32_t CORVIXMATH_CALL cm_compare_u16(const uint16_t* first, const uint16_t* second) {
  return Result32(CMathOperation().Compare(Input(first), Input(second)));
}

void CORVIXMATH_CALL cm_long_to_w_char(int32_t value, uint16_t* destination, uint32_t capacity) {
  CMathOperation().LongToWChar(value, destination, capacity);
}

// --- Windows paths

namespace {

// The member writes a directory of up to CORVIXMATH_PATH_UNITS units whatever capacity it is
// told (the capacity bounds only the backslash), so it writes into a directory of that size
// here and the caller's buffer receives the directory only when it fits there whole.
bool DeliverDirectory(const char* split, char* directory, uint32_t capacity) {
  // A path without backslash marks the directory with '0' in its first byte alone.
  if (split[0] == '0' && split[1] == '\0') {
    if (capacity == 0) return false;
    directory[0] = split[0];
    return true;
  }
  return corvix::WriteIfFits(directory, split, corvix::UnitLength(split), capacity);
}

}  // namespace

int32_t CORVIXMATH_CALL cm_extract_path_and_name(const char* full_path, char* directory, char* name,
                                                 uint32_t name_capacity,
                                                 uint32_t directory_capacity) {
  char split[corvix::kPathUnits] = {};
  const int32_t result = Result32(CMathOperation().ExtractPathAndName(
      Input(full_path), directory != nullptr ? split : nullptr, name, name_capacity,
      static_cast<unsigned int>(corvix::kPathUnits)));
  if (directory == nullptr) return result;
  return DeliverDirectory(split, directory, directory_capacity) ? result : 0;
}

void CORVIXMATH_CALL cm_remove_dir_from_path(char* path, char* output, uint8_t levels) {
  CMathOperation().RemoveDirFromPath(path, output, levels);
}

// --- Narrow and 16-bit conversions, digit-array texts

void CORVIXMATH_CALL cm_char_array_to_wchar_array(const char* source, uint16_t* destination,
                                                  int32_t flags) {
  CMathOperation().CharArrayToWcharArray(Input(source), destination, flags);
}

void CORVIXMATH_CALL cm_w_char_array_to_char_array(char* destination, const uint16_t* source,
                                                   int32_t flags) {
  CMathOperation().WCharArrayToCharArray(destination, Input(source), flags);
}

int32_t CORVIXMATH_CALL cm_unicode_string_to_digit_array(const char* source, char* destination,
                                                         int32_t capacity) {
  return Result32(
      CMathOperation().UnicodeStringToDigitArray(Input(source), destination, Capacity(capacity)));
}

int32_t CORVIXMATH_CALL cm_unicode_string_to_digit_array_u16(const uint16_t* source,
                                                             char* destination, int32_t capacity) {
  return Result32(
      CMathOperation().UnicodeStringToDigitArray(Input(source), destination, Capacity(capacity)));
}

void CORVIXMATH_CALL cm_digit_array_to_unicode_string(const char* digit_array, char* destination,
                                                      int32_t unused) {
  CMathOperation().DigitArrayToUnicodeString(Input(digit_array), destination, unused);
}

void CORVIXMATH_CALL cm_digit_array_to_unicode_string_u16(const char* digit_array,
                                                          uint16_t* destination, int32_t flags) {
  CMathOperation().DigitArrayToUnicodeString(Input(digit_array), destination, flags);
}

int32_t CORVIXMATH_CALL cm_is_uni_code_string(const char* text) {
  return Result32(CMathOperation().IsUniCodeString(Input(text)));
}

int32_t CORVIXMATH_CALL cm_contain_unicode_char(const char* text) {
  return Result32(CMathOperation().ContainUnicodeChar(Input(text)));
}
