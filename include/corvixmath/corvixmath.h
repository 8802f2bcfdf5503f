/**
 * @file corvixmath.h
 * @brief The C interface of CorvixMath: one plain C function for every member of CMathOperation.
 *
 * Every function forwards to the member it is named after (`cm_` and the member's name in snake
 * case) and gives the same results, byte for byte. It serves hosts that cannot link C++: C
 * programs, MSVC hosts of the MinGW DLL, Python (ctypes), .NET (P/Invoke), LabVIEW and Delphi.
 *
 * - Fixed-width types only: `int32_t` where the class has `long` (the same 32-bit value),
 *   `uint32_t` for unsigned capacities, `uint16_t` for 16-bit units. Functions whose names end
 *   in `_u16` take 16-bit unit strings (`uint16_t*`); the others take narrow (`char*`) texts.
 * - Buffers belong to the caller; a function writes only within the capacity it is given or the
 *   fixed size its comment states (the `CORVIXMATH_*` sizes of CorvixLimits.h), and a text that
 *   does not fit with its terminator is refused and leaves the destination as it was.
 * - A null source reads as the empty string and a null destination is not written, as the class
 *   handles them. No function allocates, keeps state or throws; all are thread-safe on distinct
 *   buffers.
 * - The `wchar_t` flavours of the class are left out (their width differs by platform; the
 *   `_u16` functions do the same work), and the variant reader is offered as typed functions.
 *
 * Compiles as C99 and as C++; calls use the C calling convention (#CORVIXMATH_CALL).
 */
#ifndef CORVIXMATH_CORVIXMATH_H
#define CORVIXMATH_CORVIXMATH_H

#include <stdint.h>

#include "CorvixLimits.h"

/** @brief Major version of the library; the build reads the version from these three macros. */
#define CORVIXMATH_VERSION_MAJOR 1
/** @brief Minor version of the library. */
#define CORVIXMATH_VERSION_MINOR 0
/** @brief Patch version of the library. */
#define CORVIXMATH_VERSION_PATCH 0

/** @brief Import or export decoration of the C functions (empty for a static library). */
#if defined(CORVIXMATH_STATIC)
#define CORVIXMATH_C_API
#elif defined(_WIN32)
#if defined(CORVIXMATH_BUILDING)
#define CORVIXMATH_C_API __declspec(dllexport)
#else
#define CORVIXMATH_C_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define CORVIXMATH_C_API __attribute__((visibility("default")))
#else
#define CORVIXMATH_C_API
#endif

/** @brief The C calling convention of every function, whatever the compiler's default. */
#if defined(_WIN32) && !defined(_WIN64)
#define CORVIXMATH_CALL __cdecl
#else
#define CORVIXMATH_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------------------------
 * Library
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Gives the library's version as text, "MAJOR.MINOR.PATCH".
 * @return A static NUL-terminated text matching the CORVIXMATH_VERSION_* macros, e.g. "1.0.0".
 */
CORVIXMATH_C_API const char* CORVIXMATH_CALL cm_version(void);

/* ---------------------------------------------------------------------------------------------
 * Number formatting and parsing
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Writes a value in engineering notation with scale letter and unit ("12.34 KV").
 *
 * 12345.678 with unit "W", 4 digits and scale mode 1 (Auto) gives "12.34 KW"; a value too large
 * for its scale gives "EEEE". A value in (-1000, -999] shows as 0.
 * @param destination Buffer of @p size bytes for the text.
 * @param value The value.
 * @param unit Unit text appended after the scale letter; null or "" for none.
 * @param digits Digit characters kept (low 16 bits, unsigned); 0 keeps every digit.
 * @param size Size of @p destination in bytes, terminator included.
 * @param scale_mode 0 Hide, 1 Auto, 2 Unity, 3 Kilo, 4 Mega, 5 Giga, 6 Tera, 7 thousandths,
 *        10 Auto with thousandths; any other mode formats the plain value.
 * @return 1 when the text was written; 0 when it does not fit @p size with its terminator (or
 *         would pass CORVIXMATH_FORMAT_UNITS - 1 characters): @p destination is left untouched.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_double_to_eng_string(char* destination, double value,
                                                                 const char* unit, int32_t digits,
                                                                 uint32_t size, uint8_t scale_mode);

/**
 * @brief Writes a value as plain decimal text with width, decimals, zero fill and grouping.
 *
 * 1234567.891 with width 0, 2 decimals and separator "," gives "1,234,567.89".
 * @param destination Buffer of @p size bytes for the text.
 * @param value The value.
 * @param width Characters aimed at; 0 or 255 for the natural length.
 * @param decimals Most digits kept after the point; 255 for no limit.
 * @param zero_fill Non-zero fills with "0" on the left (after a minus sign) up to @p width.
 * @param group_separator Its first character goes between groups of three integer digits; null
 *        or "" for no grouping.
 * @param size Size of @p destination in bytes, terminator included.
 * @return 1 when the text was written; 0 when it does not fit @p size with its terminator or
 *         the width cut would remove integer digits (@p destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_double_to_simple_string(char* destination, double value,
                                                                    uint8_t width, uint8_t decimals,
                                                                    uint8_t zero_fill,
                                                                    const char* group_separator,
                                                                    int32_t size);

/**
 * @brief Writes a value in compact scientific notation ("1.23E4", "-5.0E-3").
 * @param destination Buffer of @p size bytes for the text.
 * @param value The value.
 * @param mantissa_decimals Decimals of the mantissa, 0 to 19; above 19 nothing is written.
 * @param size Size of @p destination in bytes; a text that does not fit with its terminator
 *        leaves @p destination untouched.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_sientific_format(char* destination, double value,
                                                          uint8_t mantissa_decimals, uint32_t size);

/**
 * @brief Writes an amount as a whole number with thousands separators ("1,234,567"), or "---".
 * @param destination Buffer of @p size bytes for the text.
 * @param amount The amount; its fraction is dropped.
 * @param size Size of @p destination in bytes; a text that does not fit becomes "---", and when
 *        even that does not fit nothing is written.
 * @param divisor_exponent 0 keeps the amount; k from 1 to 255 divides it by 10 to the k + 2.
 * @param thousands_separator Separator between groups of three digits; '\0' for none.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_price_to_string(char* destination, double amount,
                                                         uint32_t size, uint8_t divisor_exponent,
                                                         char thousands_separator);

/**
 * @brief Brings a numeric text to exactly @p length characters in place ("12.5 KW" to "12.500").
 *
 * The leading run of "-", "." and digits stays (cut to @p length); the rest up to @p length is
 * @p fill.
 * @param text The text, changed in place; its buffer holds at least @p length + 1 bytes.
 * @param length The length wanted; a negative length does nothing.
 * @param fill The fill character.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_standard_len(char* text, int32_t length, char fill);

/**
 * @brief Packs a value into the 32-bit word of a four-digit seven-segment display.
 * @param value The value.
 * @param flags 0x0200 plain four-decimal text; 0x0008 divide first (with 0x0800 by 1e3, 0x1000
 *        by 1e6, 0x2000 by 1e9, 0x4000 by 1e12); 0x0100 drops the minus sign; neither 0x0008 nor
 *        0x0200 uses the engineering text (4 digits, Auto).
 * @return Four 7-bit character codes (bits 21-27, 14-20, 7-13, 0-6) and the decimal-point bit
 *         (28 to 31); 0 for a text that does not fit the CORVIXMATH_SEVENSEG_TEXT_UNITS working
 *         buffer; CORVIXMATH_MISSING_VALUE after a fault.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_number_to_4_seven_seg(double value, int32_t flags);

/**
 * @brief Reads an engineering text such as "12.5 K" back into a plain value (12500).
 * @param text Narrow text; only its first CORVIXMATH_FIELD_UNITS - 1 characters are read.
 * @return The value (suffix K, M, G, T in either case multiplies); 0.0 for an empty text;
 *         CORVIXMATH_MISSING_VALUE (-999.0) for a text that is not an engineering text.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_eng_str_2_simple_value(const char* text);

/**
 * @brief Reads a hexadecimal text into a 32-bit integer, skipping every non-hex character.
 * @param text Narrow text ("1A", "0x1A", "#FF8000").
 * @return The value, keeping the last eight digits ("FFFFFFFF" gives -1); 0 for an empty text.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_hex_string_to_decimal(const char* text);

/**
 * @brief The variant reader for a VT_I2 value: a signed 16-bit integer as a double.
 * @param value The value the variant holds.
 * @return The value, exactly.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_i2(int16_t value);

/**
 * @brief The variant reader for a VT_I4 value: a signed 32-bit integer as a double.
 * @param value The value the variant holds.
 * @return The value, exactly.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_i4(int32_t value);

/**
 * @brief The variant reader for a VT_R4 value: a float widened to a double.
 * @param value The value the variant holds.
 * @return The value, exactly.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_r4(float value);

/**
 * @brief The variant reader for a VT_R8 value: the double itself.
 * @param value The value the variant holds.
 * @return The value, bit for bit.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_r8(double value);

/**
 * @brief The variant reader for a VT_I1 value: a signed 8-bit integer as a double.
 * @param value The value the variant holds.
 * @return The value, exactly.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_i1(int8_t value);

/**
 * @brief The variant reader for a VT_UI1 value: an unsigned 8-bit integer as a double.
 * @param value The value the variant holds.
 * @return The value, exactly.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_ui1(uint8_t value);

/**
 * @brief The variant reader for a VT_UI2 value: an unsigned 16-bit integer as a double.
 * @param value The value the variant holds.
 * @return The value, exactly.
 */
CORVIXMATH_C_API double CORVIXMATH_CALL cm_var_value_to_long_double_ui2(uint16_t value);

/**
 * @brief Reads a decimal integer from a 16-bit text as the 32-bit runtime's _wtol does.
 * @param text 16-bit text: white space, an optional sign, digits; the rest is ignored.
 * @return The value, saturated at the 32-bit limits; 0 for a text without digits.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_to_long_u16(const uint16_t* text);

/* ---------------------------------------------------------------------------------------------
 * Search and extraction (sources are read up to their first CORVIXMATH_TEXT_UNITS - 1 units,
 * the substring search and the right side up to CORVIXMATH_FORMAT_UNITS - 1)
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Finds the first occurrence of a character in a narrow text.
 * @param source The text.
 * @param character The character; '\0' finds the terminator.
 * @return Its 0-based position, or CORVIXMATH_NOT_FOUND (-1); -1 for an empty text.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_find_charpos_in_string(const char* source,
                                                                   char character);

/**
 * @brief Finds the first occurrence of a unit in a 16-bit text.
 * @param source The text.
 * @param character The unit; 0 finds the terminator.
 * @return Its 0-based position, or CORVIXMATH_NOT_FOUND (-1); -1 for an empty text.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_find_charpos_in_string_u16(const uint16_t* source,
                                                                       uint16_t character);

/**
 * @brief Finds where the first occurrence of a substring starts in a narrow text.
 * @param source The text.
 * @param substring The text sought.
 * @return Its 0-based position, the source's length for an empty substring, or
 *         CORVIXMATH_NOT_FOUND (-1).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_find_sub_string_start_pos(const char* source,
                                                                      const char* substring);

/**
 * @brief Writes the part of a narrow text before the first occurrence of a character.
 * @param source The text (the whole text when the character is absent).
 * @param destination Buffer of @p capacity bytes; may be @p source itself.
 * @param character The character to cut at.
 * @param capacity Size of @p destination in bytes, terminator included; a negative capacity
 *        is no room.
 * @return 1 when written, or for an empty source (destination untouched); 0 when the part does
 *         not fit @p capacity with its terminator (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_extract_left_before_char(const char* source,
                                                                     char* destination,
                                                                     char character,
                                                                     int32_t capacity);

/**
 * @brief Writes the part of a 16-bit text before the first occurrence of a unit.
 * @param source The text (the whole text when the unit is absent).
 * @param destination Buffer of @p capacity units; may be @p source itself.
 * @param character The unit to cut at.
 * @param capacity Size of @p destination in units, terminator included; a negative capacity
 *        is no room.
 * @return 1 when written, or for an empty source (destination untouched); 0 when the part does
 *         not fit @p capacity with its terminator (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_extract_left_before_char_u16(const uint16_t* source,
                                                                         uint16_t* destination,
                                                                         uint16_t character,
                                                                         int32_t capacity);

/**
 * @brief Writes the part of a narrow text after the first occurrence of a character.
 *
 * The whole text when the character is absent; nothing for an empty source or for '\0'.
 * @param source The text.
 * @param destination Buffer of CORVIXMATH_TEXT_UNITS bytes; may be @p source itself.
 * @param character The character to cut at.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_extract_right_after_char(const char* source,
                                                                  char* destination,
                                                                  char character);

/**
 * @brief Writes the part of a 16-bit text after the first occurrence of a unit.
 *
 * The whole text when the unit is absent; nothing for an empty source or for the unit 0.
 * @param source The text.
 * @param destination Buffer of CORVIXMATH_TEXT_UNITS units; may be @p source itself.
 * @param character The unit to cut at.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_extract_right_after_char_u16(const uint16_t* source,
                                                                      uint16_t* destination,
                                                                      uint16_t character);

/**
 * @brief Writes the first @p count characters of a narrow text.
 * @param source The text; an empty text leaves @p destination untouched.
 * @param destination Buffer of @p count + 1 bytes (1 byte when @p count is 0 or less).
 * @param count Characters taken; 0 or less writes "".
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_extract_leftt_side(const char* source, char* destination,
                                                            int32_t count);

/**
 * @brief Writes the first @p count units of a 16-bit text.
 * @param source The text; an empty text leaves @p destination untouched.
 * @param destination Buffer of @p count + 1 units (1 unit when @p count is 0 or less).
 * @param count Units taken; 0 or less writes an empty text.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_extract_leftt_side_u16(const uint16_t* source,
                                                                uint16_t* destination,
                                                                int32_t count);

/**
 * @brief Writes the last @p count characters of a narrow text.
 * @param source The text; an empty text leaves @p destination untouched.
 * @param destination Buffer of @p count + 1 bytes (1 byte when @p count is 0 or less; at most
 *        CORVIXMATH_FORMAT_UNITS are written).
 * @param count Characters taken; 0 or less writes "".
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_extract_right_side(const char* source, char* destination,
                                                            int32_t count);

/**
 * @brief Writes the last @p count units of a 16-bit text.
 * @param source The text; an empty text leaves @p destination untouched.
 * @param destination Buffer of @p count + 1 units (1 unit when @p count is 0 or less; at most
 *        CORVIXMATH_FORMAT_UNITS are written).
 * @param count Units taken; 0 or less writes an empty text.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_extract_right_side_u16(const uint16_t* source,
                                                                uint16_t* destination,
                                                                int32_t count);

/**
 * @brief Writes @p count characters of a narrow text from position @p start.
 * @param source The text.
 * @param destination Buffer of @p count + 1 bytes (1 byte when @p count is 0 or less).
 * @param start 0-based start; a negative start or one past the end writes "".
 * @param count Characters taken; the text may end first; 0 or less writes "".
 * @return 1 (a null source writes ""); 0 for a null destination.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_sub_string(const char* source, char* destination,
                                                       int32_t start, int32_t count);

/**
 * @brief Writes @p count units of a 16-bit text from position @p start.
 * @param source The text.
 * @param destination Buffer of @p count + 1 units (1 unit when @p count is 0 or less).
 * @param start 0-based start; a negative start or one past the end writes an empty text.
 * @param count Units taken; the text may end first; 0 or less writes an empty text.
 * @return 1 (a null source writes an empty text); 0 for a null destination.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_sub_string_u16(const uint16_t* source,
                                                           uint16_t* destination, int32_t start,
                                                           int32_t count);

/* ---------------------------------------------------------------------------------------------
 * Trimming and in-place editing
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Writes a narrow text without the leading run of a character.
 * @param source The text; one of exactly CORVIXMATH_FORMAT_UNITS characters loses its last.
 * @param destination Buffer of @p capacity bytes; may be @p source itself.
 * @param character The character stripped.
 * @param capacity Size of @p destination in bytes, terminator included.
 * @return 1 when written; 0 when the result does not fit @p capacity with its terminator or the
 *         source is longer than CORVIXMATH_FORMAT_UNITS (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_trim_left(const char* source, char* destination,
                                                      char character, uint32_t capacity);

/**
 * @brief Writes a 16-bit text without the leading run of a unit.
 * @param source The text; one of exactly CORVIXMATH_FORMAT_UNITS units loses its last.
 * @param destination Buffer of @p capacity units; may be @p source itself.
 * @param character The unit stripped.
 * @param capacity Size of @p destination in units, terminator included.
 * @return 1 when written; 0 when the result does not fit @p capacity with its terminator or the
 *         source is longer than CORVIXMATH_FORMAT_UNITS (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_trim_left_u16(const uint16_t* source,
                                                          uint16_t* destination, uint16_t character,
                                                          uint32_t capacity);

/**
 * @brief Writes a narrow text without the trailing run of a character.
 * @param source The text; one of exactly CORVIXMATH_FORMAT_UNITS characters loses its last.
 * @param destination Buffer of @p capacity bytes; may be @p source itself.
 * @param character The character stripped.
 * @param capacity Size of @p destination in bytes, terminator included.
 * @return 1 when written; 0 when the result does not fit @p capacity with its terminator or the
 *         source is longer than CORVIXMATH_FORMAT_UNITS (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_trim_right(const char* source, char* destination,
                                                       char character, uint32_t capacity);

/**
 * @brief Writes a 16-bit text without the trailing run of a unit.
 * @param source The text; one of exactly CORVIXMATH_FORMAT_UNITS units loses its last.
 * @param destination Buffer of @p capacity units; may be @p source itself.
 * @param character The unit stripped.
 * @param capacity Size of @p destination in units, terminator included.
 * @return 1 when written; 0 when the result does not fit @p capacity with its terminator or the
 *         source is longer than CORVIXMATH_FORMAT_UNITS (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_trim_right_u16(const uint16_t* source,
                                                           uint16_t* destination,
                                                           uint16_t character, uint32_t capacity);

/**
 * @brief Inserts a character into a narrow text in place, shifting the rest right.
 * @param text The text; its buffer holds one byte more than the text and its terminator.
 * @param position 0-based index; positions outside 0 to the text's length do nothing.
 * @param character The character inserted.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_insert_char_in_char_array(char* text, int32_t position,
                                                                   char character);

/**
 * @brief Inserts a unit into a 16-bit text in place, shifting the rest right.
 * @param text The text; its buffer holds one unit more than the text and its terminator.
 * @param position 0-based index; positions outside 0 to the text's length do nothing.
 * @param character The unit inserted.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_insert_char_in_char_array_u16(uint16_t* text,
                                                                       int32_t position,
                                                                       uint16_t character);

/**
 * @brief Removes every occurrence of a character from a narrow text in place.
 * @param text The text.
 * @param character The character removed.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_remove_char_from_char_array(char* text, char character);

/**
 * @brief Removes every occurrence of a unit from a 16-bit text in place.
 * @param text The text.
 * @param character The unit removed.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_remove_char_from_char_array_u16(uint16_t* text,
                                                                         uint16_t character);

/**
 * @brief Removes a range of characters from a narrow text in place.
 * @param text The text.
 * @param start 0-based start; outside the text nothing happens.
 * @param count Characters removed (fewer when the text ends first); 0 or less does nothing.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_remove_from_char_array(char* text, int32_t start,
                                                                int32_t count);

/**
 * @brief Removes a range of units from a 16-bit text in place.
 * @param text The text.
 * @param start 0-based start; outside the text nothing happens.
 * @param count Units removed (fewer when the text ends first); 0 or less does nothing.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_remove_from_char_array_u16(uint16_t* text, int32_t start,
                                                                    int32_t count);

/**
 * @brief Replaces every occurrence of a character in a narrow text in place.
 * @param text The text.
 * @param find The character replaced.
 * @param replacement Its replacement ('\0' cuts the text there).
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_replace_char_in_char_aaary(char* text, char find,
                                                                    char replacement);

/**
 * @brief Replaces every occurrence of a unit in a 16-bit text in place.
 * @param text The text.
 * @param find The unit replaced.
 * @param replacement Its replacement (0 cuts the text there).
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_replace_char_in_char_aaary_u16(uint16_t* text,
                                                                        uint16_t find,
                                                                        uint16_t replacement);

/**
 * @brief Copies a 16-bit text.
 * @param destination Buffer of @p capacity units.
 * @param source The text.
 * @param capacity Size of @p destination in units, terminator included; a text that does not
 *        fit is refused and leaves @p destination untouched.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_copy_u16(uint16_t* destination, const uint16_t* source,
                                                  uint32_t capacity);

/**
 * @brief Measures a 16-bit text.
 * @param text The text; null counts as empty.
 * @return Its length in units.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_len_u16(const uint16_t* text);

/**
 * @brief Compares two 16-bit texts unit by unit as unsigned numbers.
 * @param first The first text; null counts as empty.
 * @param second The second text; null counts as empty.
 * @return -1, 0 or 1 as @p first is below, equal to or above @p second.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_compare_u16(const uint16_t* first,
                                                        const uint16_t* second);

/**
 * @brief Writes the decimal text of a 32-bit integer as a 16-bit text.
 * @param value The value.
 * @param destination Buffer of @p capacity units (12 hold every value).
 * @param capacity Size of @p destination in units, terminator included; a text that does not
 *        fit is refused and leaves @p destination untouched.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_long_to_w_char(int32_t value, uint16_t* destination,
                                                        uint32_t capacity);

/* ---------------------------------------------------------------------------------------------
 * Windows paths
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Splits a Windows path at its last backslash into directory and name.
 *
 * "D:\Data\day.txt" gives "D:\Data\" and "day.txt". A path without backslash is a bare name;
 * the directory then gets '0' in its first byte only. Each output is written whole or not at
 * all: the directory only when it fits @p directory_capacity with its backslash and
 * terminator (the longest is CORVIXMATH_PATH_UNITS - 1 bytes with its backslash).
 * @param full_path The path (read up to CORVIXMATH_PATH_UNITS - 1 characters).
 * @param directory Buffer of @p directory_capacity bytes, or null.
 * @param name Buffer of @p name_capacity bytes, or null.
 * @param name_capacity Size of @p name in bytes, terminator included.
 * @param directory_capacity Size of @p directory in bytes, terminator included.
 * @return 1 when every output asked for was written; 0 when the name does not fit
 *         @p name_capacity, the directory (or the '0' mark) does not fit
 *         @p directory_capacity, or a bare name has no @p name buffer. An output that did not
 *         fit is untouched.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_extract_path_and_name(const char* full_path,
                                                                  char* directory, char* name,
                                                                  uint32_t name_capacity,
                                                                  uint32_t directory_capacity);

/**
 * @brief Removes the last @p levels components of a Windows path, ending it with a backslash.
 *
 * "D:\Data\Log\day.txt" with 2 levels gives "D:\Data\"; too few backslashes put '0' in the first
 * byte of the output only.
 * @param path The path (read up to CORVIXMATH_PATH_UNITS - 1 characters); when @p output is
 *        null the result is written over it, and its buffer then holds CORVIXMATH_PATH_UNITS
 *        bytes.
 * @param output Buffer of CORVIXMATH_PATH_UNITS bytes, or null.
 * @param levels Components removed.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_remove_dir_from_path(char* path, char* output,
                                                              uint8_t levels);

/* ---------------------------------------------------------------------------------------------
 * Narrow and 16-bit conversions and the digit-array text "UniCode(72,105,)"
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Widens a narrow text byte by byte into a 16-bit text, without code-page translation.
 * @param source The narrow text; an empty text leaves @p destination untouched.
 * @param destination Buffer of the source's length + 1 units.
 * @param flags Bit 2 set: zero extension (0xE9 gives 0x00E9); clear: sign extension (0xFFE9).
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_char_array_to_wchar_array(const char* source,
                                                                   uint16_t* destination,
                                                                   int32_t flags);

/**
 * @brief Narrows a 16-bit text unit by unit, without code-page translation.
 * @param destination Buffer of the source's length + 1 bytes with bit 1 set, twice that clear.
 * @param source The 16-bit text.
 * @param flags Bit 1 set: each unit's low byte; clear: low byte then high byte.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_w_char_array_to_char_array(char* destination,
                                                                    const uint16_t* source,
                                                                    int32_t flags);

/**
 * @brief Writes the digit-array text of a narrow text ("AB" gives "UniCode(65,66,)").
 * @param source The narrow text; bytes are taken as unsigned (0 to 255).
 * @param destination Buffer of @p capacity bytes.
 * @param capacity Size of @p destination in bytes, terminator included; a negative capacity
 *        is no room.
 * @return 1 when written; 0 when the text does not fit @p capacity with its terminator or would
 *         pass CORVIXMATH_FORMAT_UNITS - 1 characters (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_unicode_string_to_digit_array(const char* source,
                                                                          char* destination,
                                                                          int32_t capacity);

/**
 * @brief Writes the digit-array text of a 16-bit text (units 0x633, 0x644 give
 *        "UniCode(1587,1604,)").
 * @param source The 16-bit text.
 * @param destination Buffer of @p capacity bytes.
 * @param capacity Size of @p destination in bytes, terminator included; a negative capacity
 *        is no room.
 * @return 1 when written; 0 when the text does not fit @p capacity with its terminator or would
 *         pass CORVIXMATH_FORMAT_UNITS - 1 characters (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL
cm_unicode_string_to_digit_array_u16(const uint16_t* source, char* destination, int32_t capacity);

/**
 * @brief Decodes a digit-array text into a narrow text, each value's low byte.
 *
 * Only numbers followed by a comma are stored; every other character is skipped.
 * @param digit_array The digit-array text.
 * @param destination Buffer of one byte per comma of @p digit_array, plus one.
 * @param unused Not read.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_digit_array_to_unicode_string(const char* digit_array,
                                                                       char* destination,
                                                                       int32_t unused);

/**
 * @brief Decodes a digit-array text into a 16-bit text.
 *
 * Only numbers followed by a comma are stored; every other character is skipped.
 * @param digit_array The digit-array text.
 * @param destination Buffer of one unit per comma of @p digit_array, plus one.
 * @param flags Bit 4 set: each value's low byte, sign-extended (200 gives 0xFFC8); clear: its
 *        low 16 bits.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_digit_array_to_unicode_string_u16(const char* digit_array,
                                                                           uint16_t* destination,
                                                                           int32_t flags);

/**
 * @brief Tells whether a text is a digit-array text.
 * @param text The text (its first CORVIXMATH_FORMAT_UNITS - 1 characters count).
 * @return 1 when it begins with "UniCode(" and ends with ")", else 0.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_uni_code_string(const char* text);

/**
 * @brief Tells whether a narrow text holds a byte of 0x80 or above.
 * @param text The text.
 * @return 1 when it does, else 0 (also for an empty text).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_contain_unicode_char(const char* text);

/* ---------------------------------------------------------------------------------------------
 * Control identifiers, character classes and the expression checker
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Checks a narrow control identifier: two ASCII letters and a number.
 * @param identifier The identifier ("AB123", "AB0123", "AB10001").
 * @return 1 for 3 digits, 2 for 4 digits, 3 for 5 digits above 10000; 0 for anything else.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_valid_control_id(const char* identifier);

/**
 * @brief Checks a 16-bit control identifier: two ASCII letters and a number.
 * @param identifier The identifier.
 * @return 1 for 3 digits, 2 for 4 digits; 0 for anything else (no five-digit form).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_valid_control_id_u16(const uint16_t* identifier);

/**
 * @brief Converts a five-character identifier in place into the six-character form
 *        ("AB123" to "AB0123"); a text of any other length stays.
 * @param identifier Buffer of CORVIXMATH_CONTROL_ID_BYTES bytes holding the identifier.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL
cm_check_control_id_and_convert_to_new_version(char* identifier);

/**
 * @brief Gives the character classes that occur in a narrow text.
 * @param text The text; Persian letters are those of the Windows-1256 code page.
 * @return The OR of the classes: 0x1 upper case, 0x2 lower case, 0x4 digit, 0x8 parenthesis,
 *         0x10 arithmetic sign, 0x20 full stop, 0x40 underscore, 0x80 comparison sign, 0x100
 *         Persian letter or mark, 0x200 other punctuation, 0x10000000 anything else; 0 for "".
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_alpha_numeric(const char* text);

/**
 * @brief Checks a formula of variables, numbers, signs and parentheses.
 * @param expression The formula; spaces are stepped over. A null formula reads as the empty
 *        one, which passes (1, message untouched).
 * @param message Buffer of CORVIXMATH_MESSAGE_BYTES bytes for the English message of a fault, or
 *        null; untouched when the formula passes.
 * @param variables Defined names, each enclosed in '#' ("#a#b#"); null skips the lookup.
 * @return 1 when the formula passes; -20 to -30 for the first fault found.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_verify_reg_exp_string(const char* expression,
                                                                  char* message,
                                                                  const char* variables);

/* ---------------------------------------------------------------------------------------------
 * Names and codes of data types, control kinds, value formats and scales
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Gives the type code of a data type name, ignoring ASCII case ("LONG" gives 3).
 * @param name The name.
 * @return The code; 0 for an unknown name.
 */
CORVIXMATH_C_API uint8_t CORVIXMATH_CALL cm_data_type_string_to_index(const char* name);

/**
 * @brief Gives the type code of a data type or control kind name, with exact case.
 * @param name The name ("COLOR" gives 3).
 * @return The code; 255 for an unknown name.
 */
CORVIXMATH_C_API uint8_t CORVIXMATH_CALL cm_cp_model_to_uc_model(const char* name);

/**
 * @brief Writes the name of a type code ("LONG" for 3, "NoData" for codes without a name).
 * @param code The type code.
 * @param name Buffer of CORVIXMATH_NAME_BYTES bytes.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_uc_model_to_cp_model(uint8_t code, char* name);

/**
 * @brief Gives the index of a value format name, ignoring ASCII case ("eng" gives 1).
 * @param name The name.
 * @return The index 0 to 3; 255 for an unknown name.
 */
CORVIXMATH_C_API uint8_t CORVIXMATH_CALL cm_numeric_value_string_to_index(const char* name);

/**
 * @brief Writes the name of a scale index ("Kilo" for 3).
 * @param name Buffer of @p capacity bytes; an index without a name leaves it untouched.
 * @param index The scale index, 0 to 6.
 * @param capacity Size of @p name in bytes, terminator included; a longer name is cut to
 *        @p capacity - 1 characters, and a capacity of 0 leaves @p name untouched.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_scale_index_2_string(char* name, int32_t index,
                                                              uint32_t capacity);

/**
 * @brief Gives the index of a scale name, ignoring ASCII case ("kilo" gives 3).
 * @param name The name.
 * @return The index 0 to 6; -1 for an unknown name.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_scale_string_2_index(const char* name);

/* ---------------------------------------------------------------------------------------------
 * Font descriptors and event strings
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Decodes a font descriptor "Face,Size,Colour,Style" ("Tahoma,12,#FF0000,Bold").
 *
 * Fields missing from the descriptor leave their outputs untouched; null outputs are skipped.
 * @param descriptor The descriptor.
 * @param face Buffer of CORVIXMATH_FACE_BYTES bytes for the face name (cut to fit).
 * @param size Where the point size goes.
 * @param colour Where the colour goes (hexadecimal text, 32 bits).
 * @param style Where the style goes: 0 regular, 1 bold, 2 italic, 3 bold italic.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_decode_font_string(const char* descriptor, char* face,
                                                            uint8_t* size, uint32_t* colour,
                                                            uint8_t* style);

/**
 * @brief Tells the type of an event string by its name (the text before '(').
 * @param event The event string or bare name.
 * @return 1 for "ShowLinearDiagram" (any case), -1 otherwise.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_check_event_type(const char* event);

/**
 * @brief Tells whether a data source text holds a parameter list (a '(').
 * @param source The text.
 * @return 1 when it holds '(', else 0.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_complex_data_source(const char* source);

/**
 * @brief Writes the whole parameter list of an event: the text between the first '(' and the
 *        last ')'.
 * @param event The event string; an empty text leaves @p destination untouched.
 * @param destination Buffer of CORVIXMATH_TEXT_UNITS bytes.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_get_complete_param_list(const char* event,
                                                                 char* destination);

/**
 * @brief Writes one parameter of an event string ("Trend(Tag1,Tag2,60)", 2 gives "Tag2").
 * @param event The event string; the list after its first '(' is read up to its first
 *        CORVIXMATH_NAME_BYTES - 1 characters.
 * @param destination Buffer of @p capacity bytes.
 * @param number Parameter wanted, from 1; 1 or less gives the first, past the last the last.
 * @param capacity Size of @p destination in bytes, terminator included.
 * @return 1 when written (and for "F(", destination untouched); 0 for a text without '(' or a
 *         parameter that does not fit @p capacity (destination untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_get_event_parameters(const char* event,
                                                                 char* destination, int32_t number,
                                                                 uint32_t capacity);

/* ---------------------------------------------------------------------------------------------
 * Device model codes, component names and the packed read word
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Gives the Tavlin data type of a device model.
 * @param model The device model number.
 * @return The data type; 255 for an unknown model.
 */
CORVIXMATH_C_API uint8_t CORVIXMATH_CALL cm_corvix_device_model_to_tavlin_data_type(uint16_t model);

/**
 * @brief Gives the data structure type of a device model.
 * @param model The device model number.
 * @return The data structure type; 0 for an unknown model.
 */
CORVIXMATH_C_API uint8_t CORVIXMATH_CALL
cm_corvix_device_model_to_data_structure_type(uint16_t model);

/**
 * @brief Gives the Iam code of a device model.
 * @param model The device model number.
 * @return The Iam code; 0 for an unknown model.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_model_to_iam(uint16_t model);

/**
 * @brief Gives the device class of a device model.
 * @param model The device model number.
 * @return The device class; 0 for an unknown model.
 */
CORVIXMATH_C_API uint8_t CORVIXMATH_CALL cm_what_is_this(uint16_t model);

/**
 * @brief Writes the name of a software component by its computer id (1000 "Tresk" to 1005).
 * @param computer_id The computer id.
 * @param name Buffer of CORVIXMATH_NAME_BYTES bytes; an unknown id leaves it untouched.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_computer_id_to_string(int32_t computer_id, char* name);

/**
 * @brief Packs a read request or result state into a 32-bit read word.
 * @param first First field (3 bits).
 * @param second Second field (5 bits); CORVIXMATH_MISSING_VALUE packs 15 and sets the flag.
 * @param third Third field (3 bits); CORVIXMATH_MISSING_VALUE packs 1.
 * @param letter Letter field: 'A'-'Z' give 0-25, 'a'-'z' 26-51, others their signed byte.
 * @param flag Flag bit; CORVIXMATH_MISSING_VALUE packs 1.
 * @return The read word.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_build_read_result_state(int32_t first, int32_t second,
                                                                    int32_t third, char letter,
                                                                    int32_t flag);

/**
 * @brief Takes one field out of a read word.
 * @param selector 0 first, 1 second, 2 third, 3 letter (sign-extended), 4 flag.
 * @param word The read word.
 * @return The field; CORVIXMATH_MISSING_VALUE for any other selector.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_extract_from_read_request(int32_t selector,
                                                                      int32_t word);

/**
 * @brief Finds a value in a list of 32-bit integers.
 * @param value The value sought.
 * @param list The list, @p count elements (not read when @p count is 0 or less).
 * @param count Elements searched.
 * @return The 0-based index of the first equal element, or CORVIXMATH_NOT_FOUND (-1).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_long_exist_in_list(int32_t value, const int32_t* list,
                                                               int32_t count);

/* ---------------------------------------------------------------------------------------------
 * Number and address validation, statistics and time windows
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief Checks a number text ("-1.5M") after stripping its spaces in place.
 * @param text The text; leading and trailing spaces are removed from it.
 * @return The form: 4 unsigned integer, 3 signed integer, 8 unsigned decimal, 7 signed decimal,
 *         2, 1, 6, 5 the same four with a scale letter (K, M, G, T); 0 for no number.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_digit(char* text);

/**
 * @brief Checks a 16-bit number text after stripping its spaces in place.
 * @param text The text; leading and trailing spaces are removed from it (texts of
 *        CORVIXMATH_FORMAT_UNITS units or more are not stripped).
 * @return The form code as cm_is_digit() gives it; 0 for no number.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_digit_u16(uint16_t* text);

/**
 * @brief Checks a dotted IPv4 address ("192.168.1.1").
 * @param address The address text, read whole ("192.168.100.1000" gives
 *        CORVIXMATH_ADDRESS_FIELD_ABOVE_254).
 * @return CORVIXMATH_ADDRESS_VALID, or CORVIXMATH_ADDRESS_NO_DOT, _FIELD_ABOVE_254,
 *         _FIELD_NEGATIVE, _NOT_FOUR_FIELDS or _LAST_FIELD_NOT_A_NUMBER.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_valid_ip_string(const char* address);

/**
 * @brief Checks an "address:port" text and writes its parts.
 * @param text The text; the spaces around the port are removed from it.
 * @param address Buffer of CORVIXMATH_ADDRESS_BYTES bytes for the address, or null.
 * @param port Where the port goes, or null.
 * @return 1 when valid (outputs written); 0 without ':' or with a port part that is no port;
 *         the negated number form of a signed or decimal port; the negated address code of a
 *         bad address; CORVIXMATH_ADDRESS_PART_TOO_LONG for an address part that does not fit
 *         CORVIXMATH_ADDRESS_BYTES. Outputs are untouched unless the result is 1.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_is_valid_ip_and_port_string(char* text, char* address,
                                                                        uint16_t* port);

/**
 * @brief Gives the minimum, maximum, average and spread value sqrt(sum of squared deviations)/n.
 *
 * With no sample the minimum is 1e14 and the maximum -1e14 (hosts read them as "no data").
 * @param values The samples, @p count of them.
 * @param count Number of samples.
 * @param minimum Where the minimum goes, or null.
 * @param maximum Where the maximum goes, or null.
 * @param average Where the average goes, or null.
 * @param spread Where the spread value goes, or null.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_calculate_min_max_avr_sd(const double* values,
                                                                  int32_t count, double* minimum,
                                                                  double* maximum, double* average,
                                                                  double* spread);

/**
 * @brief The older name of cm_calculate_min_max_avr_sd(), with the same results.
 * @param values The samples, @p count of them.
 * @param count Number of samples.
 * @param minimum Where the minimum goes, or null.
 * @param maximum Where the maximum goes, or null.
 * @param average Where the average goes, or null.
 * @param spread Where the spread value goes, or null.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_calculate_min_max(const double* values, int32_t count,
                                                           double* minimum, double* maximum,
                                                           double* average, double* spread);

/**
 * @brief Reduces time-stamped sample series of one day to one entry per time window.
 *
 * Window k covers k*step - width/2 <= t < k*step - width/2 + width and is centred at k*step, up
 * to CORVIXMATH_SECONDS_PER_DAY; each entry holds the minimum, maximum and mean of the series'
 * averages in the window. Only windows with a sample give an entry.
 * @param values Value arrays, one per series.
 * @param times Time arrays in seconds, ascending, one per series.
 * @param series_count Number of series; only the first CORVIXMATH_MAX_SERIES take part.
 * @param sample_counts Samples in each series.
 * @param minimum Output: minimum per entry.
 * @param maximum Output: maximum per entry.
 * @param mean Output: mean per entry.
 * @param centres Output: centre time per entry.
 * @param width Window width in seconds; 0 or less gives no entry.
 * @param step Seconds between window centres; 0 or less gives no entry. The outputs hold
 *        CORVIXMATH_SECONDS_PER_DAY / step + 1 entries.
 * @param unused Not read.
 * @return The number of entries written; 0 when an array is null.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_filter_value_array(
    const double* const* values, const int32_t* const* times, int32_t series_count,
    const int32_t* sample_counts, double* minimum, double* maximum, double* mean, int32_t* centres,
    int32_t width, int32_t step, int32_t unused);

/**
 * @brief Gives the times the windows of cm_filter_value_array() cover for a width and step; a
 *        sample before @p first or from @p end on lies in no window and takes no part.
 *
 * It has no member of its own: hosts check their samples with it before a call, so that none
 * is dropped unseen. Width 3600 and step 3600 give -1800 and 88200.
 * @param width Window width in seconds.
 * @param step Seconds between window centres.
 * @param first Where the first covered second goes (the first window's lower bound), or null.
 * @param end Where the second after the last covered one goes, or null.
 * @return 1; 0 when @p width or @p step is 0 or less (no window; outputs untouched).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_filter_covered_seconds(int32_t width, int32_t step,
                                                                   int32_t* first, int32_t* end);

/* ---------------------------------------------------------------------------------------------
 * Windows over any number of days: the multi-day reducer
 * ------------------------------------------------------------------------------------------ */

/**
 * @brief A reducer of sample series to time windows over any number of days (opaque).
 *
 * Window k is centred at origin + k*step, where the origin is the midnight (a multiple of
 * CORVIXMATH_SECONDS_PER_DAY) of the first sample's day, and covers
 * centre - width/2 <= t < centre - width/2 + width. Each run of windows that fits one day's
 * axis is reduced by cm_filter_value_array() on the samples it needs, times shifted to its
 * first centre, so one day of samples gives that function's own entries. The windows go on to
 * the midnight after the last sample's day and, when step <= width, until every sample is held.
 * When step > width, samples between windows are held by none: they are counted and left out.
 *
 * Samples come series by series, each series in time order, in any number of pushes; a window
 * is handed out by cm_reducer_take() as soon as no later sample can change it, that is when
 * every series has a sample at or after its end (or cm_reducer_advance() says so), and all of
 * them after cm_reducer_finish(). The reducer holds only the samples of windows not yet
 * reduced, so its memory follows the width and the spread of the series in time, not the
 * length of the log. Unlike every other function here it allocates; it is not thread-safe:
 * one thread at a time per handle, distinct handles in any threads.
 */
typedef struct cm_reducer cm_reducer;

/** @brief One window handed out by cm_reducer_take(). */
typedef struct cm_window {
  int64_t centre;   /**< Seconds, on the axis of the samples' times. */
  double minimum;   /**< The smallest series average in the window. */
  double maximum;   /**< The largest series average in the window. */
  double mean;      /**< The mean of the series averages. */
  int32_t has_data; /**< 1; 0 for a window without samples (CORVIXMATH_REDUCER_EMPTY_WINDOWS),
                         whose minimum, maximum and mean are 0. */
  int32_t reserved; /**< 0. */
} cm_window;

/** @brief What a reducer has taken and holds, from cm_reducer_get_counts(). */
typedef struct cm_reducer_counts {
  int64_t samples_taken;             /**< Samples accepted by cm_reducer_push(). */
  int64_t samples_held_by_no_window; /**< Of those, samples between windows, left out. */
  int64_t samples_open;              /**< Samples held now for windows not yet reduced. */
  int64_t windows_reduced;           /**< Windows reduced so far, taken or waiting. */
  int64_t windows_waiting;           /**< Reduced windows not yet taken. */
  int64_t refused_windows; /**< The windows the last push refused with TOO_MANY_WINDOWS would
                                have made, or 0. */
} cm_reducer_counts;

/**
 * @brief Makes a reducer.
 * @param width Window width in seconds, 1 to CORVIXMATH_REDUCER_LONGEST_SECONDS.
 * @param step Seconds between window centres, 1 to CORVIXMATH_REDUCER_LONGEST_SECONDS.
 * @param series_count Series, 1 to CORVIXMATH_MAX_SERIES.
 * @param flags 0, or CORVIXMATH_REDUCER_EMPTY_WINDOWS and CORVIXMATH_REDUCER_SERIES_AVERAGES.
 * @param reducer Where the handle goes; null on failure. Free it with cm_reducer_destroy().
 * @return CORVIXMATH_REDUCER_OK, or _NULL_ARGUMENT, _BAD_SIZE, _BAD_FLAGS, _NO_MEMORY.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_create(int64_t width, int64_t step,
                                                           int32_t series_count, uint32_t flags,
                                                           cm_reducer** reducer);

/**
 * @brief Frees a reducer and what it holds; null is ignored.
 * @param reducer The handle.
 */
CORVIXMATH_C_API void CORVIXMATH_CALL cm_reducer_destroy(cm_reducer* reducer);

/**
 * @brief Sets the axis' origin to the midnight of @p time's day instead of the first sample's,
 *        so that reducers over parts of one log (a day each, with the samples its windows
 *        need from the days around it) give the windows of the whole log's axis.
 *
 * Samples before that midnight are then refused as going back.
 * @param reducer The handle.
 * @param time Seconds, within +-CORVIXMATH_REDUCER_TIME_LIMIT.
 * @return CORVIXMATH_REDUCER_OK, or _NULL_ARGUMENT, _TIME_OUT_OF_RANGE, _ALREADY_STARTED (a
 *         sample or an advance came first, or the origin is already set).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_start_at(cm_reducer* reducer, int64_t time);

/**
 * @brief Adds samples of one series, in time order (equal times allowed).
 * @param reducer The handle.
 * @param series The series, 0 to series_count - 1.
 * @param times @p count times in seconds, within +-CORVIXMATH_REDUCER_TIME_LIMIT, none before
 *        the series' last time nor before the time given to cm_reducer_advance().
 * @param values @p count finite values.
 * @param count Samples, 0 or more; the arrays are not read when it is 0.
 * @return CORVIXMATH_REDUCER_OK, or _NULL_ARGUMENT, _BAD_SIZE, _BAD_SERIES, _TIME_GOES_BACK,
 *         _TIME_OUT_OF_RANGE, _NOT_FINITE, _TOO_MANY_WINDOWS, _FINISHED, _NO_MEMORY; a refused
 *         push takes none of its samples.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_push(cm_reducer* reducer, int32_t series,
                                                         const int64_t* times,
                                                         const double* values, int32_t count);

/**
 * @brief Says that no series will have a sample before @p time, so that the windows before it
 *        can be handed out though some series has no sample there (a column of empty cells).
 * @param reducer The handle.
 * @param time Seconds, within +-CORVIXMATH_REDUCER_TIME_LIMIT; an earlier time than a previous
 *        advance is refused.
 * @return CORVIXMATH_REDUCER_OK, or _NULL_ARGUMENT, _TIME_GOES_BACK, _TIME_OUT_OF_RANGE,
 *         _FINISHED, _NO_MEMORY.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_advance(cm_reducer* reducer, int64_t time);

/**
 * @brief Says that no sample follows: every remaining window can be taken. Calling it again
 *        does nothing.
 * @param reducer The handle.
 * @return CORVIXMATH_REDUCER_OK, or _NULL_ARGUMENT, _NO_MEMORY.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_finish(cm_reducer* reducer);

/**
 * @brief Hands out finished windows in time order, each once.
 * @param reducer The handle.
 * @param windows Room for @p capacity windows.
 * @param averages Null, or (with CORVIXMATH_REDUCER_SERIES_AVERAGES) room for @p capacity times
 *        series_count doubles: window by window, each series' own average in it, NaN where the
 *        series has no sample there.
 * @param capacity Windows @p windows has room for, 0 or more.
 * @return The number of windows written, 0 when none is finished (after cm_reducer_finish():
 *         none is left); or _NULL_ARGUMENT, _BAD_SIZE, _BAD_FLAGS (averages not asked for).
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_take(cm_reducer* reducer, cm_window* windows,
                                                         double* averages, int32_t capacity);

/**
 * @brief Gives what a reducer has taken and holds.
 * @param reducer The handle.
 * @param counts Where the counts go.
 * @return CORVIXMATH_REDUCER_OK, or _NULL_ARGUMENT.
 */
CORVIXMATH_C_API int32_t CORVIXMATH_CALL cm_reducer_get_counts(const cm_reducer* reducer,
                                                           cm_reducer_counts* counts);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* CORVIXMATH_CORVIXMATH_H */
