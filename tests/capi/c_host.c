/* A host program written in C (C99): it includes only corvixmath.h, links the exported
 * library (the shared object, or corvixmath.dll through its import library) and calls every
 * family of the C interface on worked examples. Prints one line per failed check and a count;
 * the exit status is 0 only when every check passed. */
#include <stdio.h>
#include <string.h>

#include "corvixmath.h"

static int checks = 0;
static int failures = 0;

static void check(int passed, const char* what) {
  ++checks;
  if (!passed) {
    printf("FAILED: %s\n", what);
    ++failures;
  }
}

static void check_text(const char* actual, const char* expected, const char* what) {
  check(strcmp(actual, expected) == 0, what);
  if (strcmp(actual, expected) != 0) printf("  got '%s', expected '%s'\n", actual, expected);
}

/* A 16-bit text from ASCII. */
static void units_from(uint16_t* units, const char* ascii) {
  size_t i = 0;
  for (; ascii[i] != '\0'; ++i)
    units[i] = (uint16_t)(unsigned char)ascii[i];
  units[i] = 0;
}

static void formatting(void) {
  char text[32];
  check(strcmp(cm_version(), "") != 0, "cm_version gives a text");
  check(cm_double_to_eng_string(text, 12345.678, "W", 4, sizeof text, 1) == 1, "eng written");
  check_text(text, "12.34 KW", "eng 12345.678 W");
  strcpy(text, "kept");
  check(cm_double_to_eng_string(text, 12345.678, "W", 4, 8, 1) == 0, "eng refused at 8 bytes");
  check_text(text, "kept", "eng refusal leaves the destination");
  check(cm_double_to_simple_string(text, 1234567.891, 0, 2, 0, ",", sizeof text) == 1, "simple");
  check_text(text, "1,234,567.89", "simple grouped");
  cm_sientific_format(text, 12345.678, 2, sizeof text);
  check_text(text, "1.23E4", "scientific");
  cm_price_to_string(text, 1234567.0, sizeof text, 0, ',');
  check_text(text, "1,234,567", "price");
  strcpy(text, "12.5 KW");
  cm_standard_len(text, 6, '0');
  check_text(text, "12.500", "standard length");
  check(cm_number_to_4_seven_seg(-12.5, 0x0200) == 0x23C04105, "seven-segment word");
  check(cm_eng_str_2_simple_value("12.5 K") == 12500.0, "engineering text value");
  check(cm_eng_str_2_simple_value("1E3") == CORVIXMATH_MISSING_VALUE, "bad engineering text");
  check(cm_hex_string_to_decimal("#FF8000") == 16744448, "hex text");
  check(cm_hex_string_to_decimal("FFFFFFFF") == -1, "hex wraps at 32 bits");
  check(cm_var_value_to_long_double_i2(-56) == -56.0, "variant i2");
  check(cm_var_value_to_long_double_r4(1.5f) == 1.5, "variant r4");
  check(cm_var_value_to_long_double_ui2(65535) == 65535.0, "variant ui2");
}

static void text_utilities(void) {
  char part[CORVIXMATH_TEXT_UNITS];
  uint16_t units[64];
  uint16_t other[64];
  char narrow[64];
  check(cm_find_charpos_in_string("Tank.Level", '.') == 4, "find character");
  check(cm_find_sub_string_start_pos("abcabd", "abd") == 3, "find substring");
  check(cm_extract_left_before_char("12.5", part, '.', 16) == 1, "left before");
  check_text(part, "12", "left before '.'");
  cm_extract_right_after_char("1.2.3", part, '.');
  check_text(part, "2.3", "right after '.'");
  cm_extract_leftt_side("ABC12", part, 3);
  check_text(part, "ABC", "left side");
  cm_extract_right_side("ABC12", part, 2);
  check_text(part, "12", "right side");
  check(cm_sub_string("abcdef", part, 2, 3) == 1, "substring");
  check_text(part, "cde", "substring text");
  check(cm_trim_left("  12", part, ' ', 16) == 1, "trim left");
  check_text(part, "12", "trim left text");
  check(cm_trim_right("1200", part, '0', 3) == 1, "trim right");
  check_text(part, "12", "trim right text");
  strcpy(part, "1234");
  cm_insert_char_in_char_array(part, 1, ',');
  check_text(part, "1,234", "insert");
  cm_remove_char_from_char_array(part, ',');
  check_text(part, "1234", "remove character");
  cm_remove_from_char_array(part, 1, 2);
  check_text(part, "14", "remove range");
  cm_replace_char_in_char_aaary(part, '4', '7');
  check_text(part, "17", "replace");

  units_from(units, "  -42x");
  check(cm_to_long_u16(units) == -42, "16-bit to long");
  check(cm_len_u16(units) == 6, "16-bit length");
  check(cm_find_charpos_in_string_u16(units, 'x') == 5, "16-bit find");
  cm_copy_u16(other, units, 64);
  check(cm_compare_u16(other, units) == 0, "16-bit copy and compare");
  check(cm_trim_left_u16(units, other, ' ', 64) == 1 && cm_len_u16(other) == 4, "16-bit trim");
  cm_long_to_w_char(-2147483647 - 1, other, 12);
  units_from(units, "-2147483648");
  check(cm_compare_u16(other, units) == 0, "long to 16-bit text");

  check(cm_extract_path_and_name("D:\\Data\\Log\\day.txt", part, narrow, 16, 260) == 1, "path");
  check_text(part, "D:\\Data\\Log\\", "path directory");
  check_text(narrow, "day.txt", "path name");
  strcpy(part, "D:\\Data\\Log\\day.txt");
  cm_remove_dir_from_path(part, NULL, 2);
  check_text(part, "D:\\Data\\", "remove two levels");

  cm_char_array_to_wchar_array("\xE9", units, 2);
  check(units[0] == 0x00E9 && units[1] == 0, "widen with zero extension");
  units[0] = 0x0644;
  units[1] = 0;
  cm_w_char_array_to_char_array(narrow, units, 0);
  check(narrow[0] == 0x44 && narrow[1] == 0x06 && narrow[2] == 0 && narrow[3] == 0, "narrow");
  check(cm_unicode_string_to_digit_array("AB", narrow, 64) == 1, "digit array");
  check_text(narrow, "UniCode(65,66,)", "digit array text");
  check(cm_unicode_string_to_digit_array("AB", narrow, 15) == 0, "digit array refused");
  units[0] = 0x0633;
  units[1] = 0x0644;
  units[2] = 0;
  check(cm_unicode_string_to_digit_array_u16(units, narrow, 64) == 1, "16-bit digit array");
  check_text(narrow, "UniCode(1587,1604,)", "16-bit digit array text");
  cm_digit_array_to_unicode_string_u16("UniCode(200,65,)", other, 4);
  check(other[0] == 0xFFC8 && other[1] == 0x41 && other[2] == 0, "decode sign-extended");
  cm_digit_array_to_unicode_string("UniCode(65,66,)", part, 0);
  check_text(part, "AB", "decode narrow");
  check(cm_is_uni_code_string("UniCode()") == 1, "is digit array");
  check(cm_contain_unicode_char("a\xC7") == 1, "holds a byte above 0x7F");
}

static void identifiers_and_vocabulary(void) {
  char message[CORVIXMATH_MESSAGE_BYTES] = "";
  char identifier[CORVIXMATH_CONTROL_ID_BYTES] = "AB123";
  char name[CORVIXMATH_NAME_BYTES] = "";
  char face[CORVIXMATH_FACE_BYTES] = "";
  char list[CORVIXMATH_TEXT_UNITS] = "";
  uint16_t units[16];
  uint8_t size = 0, style = 0;
  uint32_t colour = 0;
  check(cm_is_valid_control_id("AB10001") == 3, "seven-character identifier");
  units_from(units, "AB0123");
  check(cm_is_valid_control_id_u16(units) == 2, "16-bit identifier");
  cm_check_control_id_and_convert_to_new_version(identifier);
  check_text(identifier, "AB0123", "identifier conversion");
  check(cm_is_alpha_numeric("Ab_1") == 0x47, "character classes");
  check(cm_verify_reg_exp_string("a+*b", message, "#a#b#") == -23, "expression fault");
  check_text(message, "Two Adjacent sign detected.", "expression message");
  check(cm_verify_reg_exp_string("(a+b)*2.5", NULL, "#a#b#") == 1, "expression passes");

  check(cm_data_type_string_to_index("long") == 3, "data type name");
  check(cm_cp_model_to_uc_model("COLOR") == 3, "control kind name");
  cm_uc_model_to_cp_model(8, name);
  check_text(name, "CHARP", "type code name");
  check(cm_numeric_value_string_to_index("ENG") == 1, "value format name");
  cm_scale_index_2_string(name, 3, sizeof name);
  check_text(name, "Kilo", "scale name");
  check(cm_scale_string_2_index("kilo") == 3, "scale index");
  cm_decode_font_string("Tahoma,12,#FF8000,BoldItalic", face, &size, &colour, &style);
  check_text(face, "Tahoma", "font face");
  check(size == 12 && colour == 0xFF8000u && style == 3, "font size, colour and style");
  check(cm_check_event_type("ShowLinearDiagram(1)") == 1, "event type");
  check(cm_is_complex_data_source("Trend(a)") == 1, "complex data source");
  cm_get_complete_param_list("F(a,(b),c) x", list);
  check_text(list, "a,(b),c", "parameter list");
  check(cm_get_event_parameters("Trend(Tag1,Tag2,60)", name, 2, sizeof name) == 1, "parameter");
  check_text(name, "Tag2", "second parameter");
}

static void devices_checks_and_statistics(void) {
  char name[CORVIXMATH_NAME_BYTES] = "";
  char text[64];
  char address[CORVIXMATH_ADDRESS_BYTES] = "";
  uint16_t units[16];
  uint16_t port = 0;
  const int32_t list[] = {5, -7, 9};
  const double samples[] = {1, 2, 3, 4};
  double minimum = 0, maximum = 0, average = 0, spread = 0;
  const double series_values[] = {1.0, 3.0, 10.0};
  const int32_t series_times[] = {0, 100, 3600};
  const double* values[] = {series_values};
  const int32_t* times[] = {series_times};
  const int32_t counts[] = {3};
  double window_min[32], window_max[32], window_mean[32];
  int32_t centres[32];

  check(cm_corvix_device_model_to_tavlin_data_type(305) == 20, "Tavlin data type");
  check(cm_corvix_device_model_to_data_structure_type(305) == 2, "data structure type");
  check(cm_model_to_iam(305) == 14, "Iam code");
  check(cm_what_is_this(305) == 1, "device class");
  cm_computer_id_to_string(1000, name);
  check_text(name, "Tresk", "component name");
  check(cm_build_read_result_state(5, CORVIXMATH_MISSING_VALUE, CORVIXMATH_MISSING_VALUE, 'C', 0) ==
            0x2079B,
        "read word");
  check(cm_extract_from_read_request(3, 0x2079B) == 2, "read word letter");
  check(cm_long_exist_in_list(-7, list, 3) == 1, "list search");

  strcpy(text, "  -1.5M ");
  check(cm_is_digit(text) == 5, "number form");
  check_text(text, "-1.5M", "number stripped in place");
  units_from(units, "12.5");
  check(cm_is_digit_u16(units) == 8, "16-bit number form");
  check(cm_is_valid_ip_string("255.1.1.1") == CORVIXMATH_ADDRESS_FIELD_ABOVE_254, "address code");
  strcpy(text, "192.168.1.1:502");
  check(cm_is_valid_ip_and_port_string(text, address, &port) == 1, "address and port");
  check_text(address, "192.168.1.1", "address part");
  check(port == 502, "port");

  cm_calculate_min_max_avr_sd(samples, 4, &minimum, &maximum, &average, &spread);
  check(minimum == 1 && maximum == 4 && average == 2.5 &&
            spread == 0.5590169943749475 /* sqrt(5) / 4 */,
        "statistics");
  cm_calculate_min_max(samples, 0, &minimum, &maximum, NULL, NULL);
  check(minimum == 1e14 && maximum == -1e14, "statistics without samples");
  check(cm_filter_value_array(values, times, 1, counts, window_min, window_max, window_mean,
                              centres, 3600, 3600, 0) == 2,
        "windows");
  check(window_mean[0] == 2.0 && centres[0] == 0 && window_mean[1] == 10.0 && centres[1] == 3600,
        "window entries");
}

/* The worked example of the windows above through a reducer: every cm_reducer_ function. */
static void reduction(void) {
  const int64_t first_times[] = {0, 100, 3600, 3700, 7300};
  const double first_values[] = {1.0, 3.0, 10.0, 20.0, 7.0};
  const int64_t second_times[] = {50, 3650};
  const double second_values[] = {5.0, 6.0};
  cm_reducer* reducer = NULL;
  cm_reducer_counts counts;
  cm_window windows[4];
  double averages[8];
  check(cm_reducer_create(3600, 3600, 2, CORVIXMATH_REDUCER_SERIES_AVERAGES, &reducer) ==
                CORVIXMATH_REDUCER_OK &&
            reducer != NULL,
        "reducer made");
  if (reducer == NULL) return;
  check(cm_reducer_start_at(reducer, 7300) == CORVIXMATH_REDUCER_OK,
        "origin at the day's midnight");
  check(cm_reducer_push(reducer, 0, first_times, first_values, 5) == CORVIXMATH_REDUCER_OK,
        "first series pushed");
  check(cm_reducer_push(reducer, 1, second_times, second_values, 2) == CORVIXMATH_REDUCER_OK,
        "second series pushed");
  check(cm_reducer_push(reducer, 1, first_times, first_values, 1) ==
            CORVIXMATH_REDUCER_TIME_GOES_BACK,
        "a time before the series' last refused");
  check(cm_reducer_advance(reducer, 7300) == CORVIXMATH_REDUCER_OK, "advance");
  check(cm_reducer_finish(reducer) == CORVIXMATH_REDUCER_OK, "finish");
  check(cm_reducer_get_counts(reducer, &counts) == CORVIXMATH_REDUCER_OK &&
            counts.samples_taken == 7 && counts.windows_waiting == 3,
        "reducer counts");
  check(cm_reducer_take(reducer, windows, averages, 4) == 3, "three windows");
  check(windows[0].centre == 0 && windows[0].minimum == 2.0 && windows[0].maximum == 5.0 &&
            windows[0].mean == 3.5 && windows[0].has_data == 1,
        "first window");
  check(windows[1].centre == 3600 && windows[1].mean == 10.5 && windows[2].centre == 7200 &&
            windows[2].mean == 7.0,
        "later windows");
  check(averages[2] == 15.0 && averages[3] == 6.0 && averages[4] == 7.0, "series averages");
  check(averages[5] != averages[5], "no average of a series without a sample in the window");
  check(cm_reducer_take(reducer, windows, NULL, 4) == 0, "nothing left to take");
  cm_reducer_destroy(reducer);
  cm_reducer_destroy(NULL);
}

int main(void) {
  formatting();
  text_utilities();
  identifiers_and_vocabulary();
  devices_checks_and_statistics();
  reduction();
  printf("corvixmath C host: %d checks, %d failed (library %s)\n", checks, failures, cm_version());
  return failures == 0 ? 0 : 1;
}
