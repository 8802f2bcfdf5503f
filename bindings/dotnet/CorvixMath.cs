// CorvixMath for .NET: P/Invoke declarations of the C interface (corvixmath.h) and a small
// friendly layer over them.
//
//   Console.WriteLine(Corvix.CorvixMath.Eng(12345.678, "W"));   // 12.34 KW
//
// The same file runs against libcorvixmath.so (Mono on Linux) and corvixmath.dll (Windows, 32-
// and 64-bit): every function is "corvixmath" with the C calling convention. Narrow texts are
// encoded in CorvixMath.NarrowEncoding (Windows-1256 unless the caller sets another code page)
// by NarrowText on every runtime, Mono included; 16-bit texts go as Unicode (UTF-16). Buffer sizes come from
// CorvixLimits.cs, which bindings/dotnet/make-limits writes from CorvixLimits.h.
using System;
using System.Runtime.InteropServices;
using System.Text;

namespace Corvix {

/// <summary>The C functions as they are exported, one per member of CMathOperation.</summary>
public static class Native {
  const string Library = "corvixmath";
  const CallingConvention Cdecl = CallingConvention.Cdecl;
  const CharSet Ansi = CharSet.Ansi;
  const CharSet Unicode = CharSet.Unicode;

  [DllImport(Library, CallingConvention = Cdecl)] public static extern IntPtr cm_version();

  // Number formatting and parsing
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)]
  public static extern int cm_double_to_eng_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, double value, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string unit, int digits, uint size, byte scaleMode);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)]
  public static extern int cm_double_to_simple_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, double value, byte width, byte decimals, byte zeroFill, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string groupSeparator, int size);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)]
  public static extern void cm_sientific_format([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, double value, byte mantissaDecimals, uint size);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)]
  public static extern void cm_price_to_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, double amount, uint size, byte divisorExponent, byte thousandsSeparator);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)]
  public static extern void cm_standard_len([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text, int length, byte fill);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_number_to_4_seven_seg(double value, int flags);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern double cm_eng_str_2_simple_value([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string text);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_hex_string_to_decimal([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string text);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_i2(short value);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_i4(int value);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_r4(float value);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_r8(double value);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_i1(sbyte value);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_ui1(byte value);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern double cm_var_value_to_long_double_ui2(ushort value);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_to_long_u16(string text);

  // Search and extraction
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_find_charpos_in_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, byte character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_find_charpos_in_string_u16(string source, char character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_find_sub_string_start_pos([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string substring);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_extract_left_before_char([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, byte character, int capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_extract_left_before_char_u16(string source, StringBuilder destination, char character, int capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_extract_right_after_char([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, byte character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_extract_right_after_char_u16(string source, StringBuilder destination, char character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_extract_leftt_side([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_extract_leftt_side_u16(string source, StringBuilder destination, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_extract_right_side([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_extract_right_side_u16(string source, StringBuilder destination, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_sub_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, int start, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_sub_string_u16(string source, StringBuilder destination, int start, int count);

  // Trimming and in-place editing
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_trim_left([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, byte character, uint capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_trim_left_u16(string source, StringBuilder destination, char character, uint capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_trim_right([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, byte character, uint capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_trim_right_u16(string source, StringBuilder destination, char character, uint capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_insert_char_in_char_array([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text, int position, byte character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_insert_char_in_char_array_u16(StringBuilder text, int position, char character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_remove_char_from_char_array([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text, byte character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_remove_char_from_char_array_u16(StringBuilder text, char character);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_remove_from_char_array([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text, int start, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_remove_from_char_array_u16(StringBuilder text, int start, int count);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_replace_char_in_char_aaary([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text, byte find, byte replacement);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_replace_char_in_char_aaary_u16(StringBuilder text, char find, char replacement);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_copy_u16(StringBuilder destination, string source, uint capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_len_u16(string text);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_compare_u16(string first, string second);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern void cm_long_to_w_char(int value, StringBuilder destination, uint capacity);

  // Paths and conversions
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_extract_path_and_name([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string fullPath, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder directory, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder name, uint nameCapacity, uint directoryCapacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_remove_dir_from_path([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder path, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder output, byte levels);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern void cm_char_array_to_wchar_array(byte[] source, [Out] ushort[] destination, int flags);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern void cm_w_char_array_to_char_array([Out] byte[] destination, ushort[] source, int flags);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_unicode_string_to_digit_array([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, int capacity);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_unicode_string_to_digit_array_u16([MarshalAs(UnmanagedType.LPWStr)] string source, [MarshalAs(UnmanagedType.LPStr)] StringBuilder destination, int capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_digit_array_to_unicode_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string digitArray, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, int unused);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern void cm_digit_array_to_unicode_string_u16([MarshalAs(UnmanagedType.LPStr)] string digitArray, [MarshalAs(UnmanagedType.LPWStr)] StringBuilder destination, int flags);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_is_uni_code_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string text);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_contain_unicode_char(byte[] text);

  // Identifiers and the expression checker
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_is_valid_control_id([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string identifier);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_is_valid_control_id_u16(string identifier);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_check_control_id_and_convert_to_new_version([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder identifier);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_is_alpha_numeric(byte[] text);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_verify_reg_exp_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string expression, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder message, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string variables);

  // Vocabulary, fonts and events
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern byte cm_data_type_string_to_index([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string name);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern byte cm_cp_model_to_uc_model([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string name);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_uc_model_to_cp_model(byte code, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder name);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern byte cm_numeric_value_string_to_index([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string name);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_scale_index_2_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder name, int index, uint capacity);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_scale_string_2_index([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string name);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_decode_font_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string descriptor, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder face, ref byte size, ref uint colour, ref byte style);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_check_event_type([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string eventText);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_is_complex_data_source([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string source);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_get_complete_param_list([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string eventText, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_get_event_parameters([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string eventText, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder destination, int number, uint capacity);

  // Devices and read words
  [DllImport(Library, CallingConvention = Cdecl)] public static extern byte cm_corvix_device_model_to_tavlin_data_type(ushort model);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern byte cm_corvix_device_model_to_data_structure_type(ushort model);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_model_to_iam(ushort model);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern byte cm_what_is_this(ushort model);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern void cm_computer_id_to_string(int computerId, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder name);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_build_read_result_state(int first, int second, int third, byte letter, int flag);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_extract_from_read_request(int selector, int word);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_long_exist_in_list(int value, int[] list, int count);

  // Number and address checks, statistics and windows
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_is_digit([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Unicode)] public static extern int cm_is_digit_u16(StringBuilder text);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_is_valid_ip_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] string address);
  [DllImport(Library, CallingConvention = Cdecl, CharSet = Ansi)] public static extern int cm_is_valid_ip_and_port_string([MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder text, [MarshalAs(UnmanagedType.CustomMarshaler, MarshalTypeRef = typeof(NarrowText))] StringBuilder address, ref ushort port);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern void cm_calculate_min_max_avr_sd(double[] values, int count, out double minimum, out double maximum, out double average, out double spread);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern void cm_calculate_min_max(double[] values, int count, out double minimum, out double maximum, out double average, out double spread);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_filter_covered_seconds(int width, int step, out int first, out int end);

  // The multi-day reducer
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_create(long width, long step, int seriesCount, uint flags, out IntPtr reducer);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern void cm_reducer_destroy(IntPtr reducer);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_start_at(IntPtr reducer, long time);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_push(IntPtr reducer, int series, long[] times, double[] values, int count);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_advance(IntPtr reducer, long time);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_finish(IntPtr reducer);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_take(IntPtr reducer, [Out] NativeWindow[] windows, [Out] double[] averages, int capacity);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_reducer_get_counts(IntPtr reducer, out ReducerCounts counts);
  [DllImport(Library, CallingConvention = Cdecl)] public static extern int cm_filter_value_array(IntPtr[] values, IntPtr[] times, int seriesCount, int[] sampleCounts, [Out] double[] minimum, [Out] double[] maximum, [Out] double[] mean, [Out] int[] centres, int width, int step, int unused);
}

/// <summary>Windows-1256, the narrow code page of the host applications, on every runtime: Mono
/// and .NET Core ship it only with extra assemblies or providers. A character the code page
/// cannot hold is refused with an ArgumentException, never replaced.</summary>
public sealed class Windows1256Encoding : Encoding {
  // The characters of bytes 0x80 to 0xFF; bytes below are ASCII.
  const string High =
      "\u20AC\u067E\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0679\u2039\u0152\u0686\u0698\u0688" +
      "\u06AF\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u06A9\u2122\u0691\u203A\u0153\u200C\u200D\u06BA" +
      "\u00A0\u060C\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00A8\u00A9\u06BE\u00AB\u00AC\u00AD\u00AE\u00AF" +
      "\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00B8\u00B9\u061B\u00BB\u00BC\u00BD\u00BE\u061F" +
      "\u06C1\u0621\u0622\u0623\u0624\u0625\u0626\u0627\u0628\u0629\u062A\u062B\u062C\u062D\u062E\u062F" +
      "\u0630\u0631\u0632\u0633\u0634\u0635\u0636\u00D7\u0637\u0638\u0639\u063A\u0640\u0641\u0642\u0643" +
      "\u00E0\u0644\u00E2\u0645\u0646\u0647\u0648\u00E7\u00E8\u00E9\u00EA\u00EB\u0649\u064A\u00EE\u00EF" +
      "\u064B\u064C\u064D\u064E\u00F4\u064F\u0650\u00F7\u0651\u00F9\u0652\u00FB\u00FC\u200E\u200F\u06D2";
  public override string EncodingName { get { return "Windows-1256"; } }
  public override int GetByteCount(char[] chars, int index, int count) { return count; }
  public override int GetBytes(char[] chars, int charIndex, int charCount, byte[] bytes, int byteIndex) {
    for (int i = 0; i < charCount; ++i) {
      char c = chars[charIndex + i];
      int high = High.IndexOf(c);
      if (c >= 0x80 && high < 0)
        throw new ArgumentException("Windows-1256 cannot encode '" + c + "' (U+" + ((int)c).ToString("X4") + ")");
      bytes[byteIndex + i] = c < 0x80 ? (byte)c : (byte)(0x80 + high);
    }
    return charCount;
  }
  public override int GetCharCount(byte[] bytes, int index, int count) { return count; }
  public override int GetChars(byte[] bytes, int byteIndex, int byteCount, char[] chars, int charIndex) {
    for (int i = 0; i < byteCount; ++i) {
      byte b = bytes[byteIndex + i];
      chars[charIndex + i] = b < 0x80 ? (char)b : High[b - 0x80];
    }
    return byteCount;
  }
  public override int GetMaxByteCount(int charCount) { return charCount; }
  public override int GetMaxCharCount(int byteCount) { return byteCount; }
}

/// <summary>Marshals a narrow string or StringBuilder in CorvixMath.NarrowEncoding. A
/// StringBuilder goes out as a buffer of its capacity plus one byte and comes back decoded up
/// to its terminator.</summary>
public sealed class NarrowText : ICustomMarshaler {
  static readonly NarrowText Instance = new NarrowText();
  readonly System.Collections.Generic.Dictionary<IntPtr, StringBuilder> outputs =
      new System.Collections.Generic.Dictionary<IntPtr, StringBuilder>();
  readonly System.Collections.Generic.Dictionary<IntPtr, int> sizes =
      new System.Collections.Generic.Dictionary<IntPtr, int>();

  public static ICustomMarshaler GetInstance(string cookie) { return Instance; }

  public IntPtr MarshalManagedToNative(object managed) {
    if (managed == null) return IntPtr.Zero;
    var builder = managed as StringBuilder;
    byte[] text = CorvixMath.NarrowEncoding.GetBytes(builder != null ? builder.ToString() : (string)managed);
    int size = Math.Max(text.Length, builder != null ? builder.Capacity : 0) + 1;
    IntPtr native = Marshal.AllocHGlobal(size);
    Marshal.Copy(text, 0, native, text.Length);
    for (int i = text.Length; i < size; ++i) Marshal.WriteByte(native, i, 0);
    if (builder != null) {
      lock (outputs) {
        outputs[native] = builder;
        sizes[native] = size;
      }
    }
    return native;
  }

  public void CleanUpNativeData(IntPtr native) {
    if (native == IntPtr.Zero) return;
    StringBuilder builder = null;
    int size = 0;
    lock (outputs) {
      if (outputs.TryGetValue(native, out builder)) {
        size = sizes[native];
        outputs.Remove(native);
        sizes.Remove(native);
      }
    }
    if (builder != null) {
      int length = 0;
      while (length < size && Marshal.ReadByte(native, length) != 0) ++length;
      var text = new byte[length];
      Marshal.Copy(native, text, 0, length);
      builder.Length = 0;
      builder.Append(CorvixMath.NarrowEncoding.GetString(text));
    }
    Marshal.FreeHGlobal(native);
  }

  public object MarshalNativeToManaged(IntPtr native) { throw new NotSupportedException(); }
  public void CleanUpManagedData(object managed) {}
  public int GetNativeDataSize() { return -1; }
}

/// <summary>A text the library refused: it does not fit the size it was given.</summary>
public class TextRefusedException : ArgumentException {
  public TextRefusedException(string message) : base(message) {}
}

/// <summary>The answer of a check: the library's code, whether it passed, and its message.</summary>
public struct Check {
  public int Code;
  public bool Ok;
  public string Message;
  public override string ToString() { return Code + " " + (Ok ? "ok" : "refused") + " " + Message; }
}

/// <summary>Minimum, maximum, average and spread value of samples.</summary>
public struct Statistics {
  public double Minimum, Maximum, Average, Spread;
}

/// <summary>One time window: the minimum, maximum and mean of the series averages.</summary>
public struct Window {
  public double Minimum, Maximum, Mean;
  public int Centre;
}

/// <summary>cm_window: one window as the multi-day reducer hands it out.</summary>
[StructLayout(LayoutKind.Sequential)]
public struct NativeWindow {
  public long Centre;
  public double Minimum, Maximum, Mean;
  public int HasData, Reserved;
}

/// <summary>cm_reducer_counts: what a reducer has taken and holds.</summary>
[StructLayout(LayoutKind.Sequential)]
public struct ReducerCounts {
  public long SamplesTaken, SamplesHeldByNoWindow, SamplesOpen, WindowsReduced, WindowsWaiting,
      RefusedWindows;
}

/// <summary>One time window over any number of days: the minimum, maximum and mean of the
/// series averages around Centre (seconds on the samples' axis). A window without data (asked
/// for with emptyWindows) has HasData false and NaN numbers.</summary>
public struct ReducedWindow {
  public double Minimum, Maximum, Mean;
  public long Centre;
  public bool HasData;
}

/// <summary>The friendly layer: .NET strings and values in, strings and results out.</summary>
public static class CorvixMath {
  public static string Version { get { return Marshal.PtrToStringAnsi(Native.cm_version()); } }
  static Encoding narrowEncoding = new Windows1256Encoding();
  /// <summary>The code page of narrow texts: Windows-1256 unless the caller sets another.</summary>
  public static Encoding NarrowEncoding {
    get { return narrowEncoding; }
    set { NotNull(value, "value"); narrowEncoding = value; }
  }

  static byte Narrow(char character) {
    if (character > 0x7F) throw new ArgumentException("narrow characters must be ASCII: " + character);
    return (byte)character;
  }

  static void NotNull(object value, string name) {
    if (value == null) throw new ArgumentNullException(name);
  }

  /// <summary>Engineering notation: Eng(12345.678, "W") gives "12.34 KW".</summary>
  public static string Eng(double value, string unit = "", int digits = 4, byte scaleMode = 1,
                           int size = CorvixLimits.FORMAT_UNITS) {
    NotNull(unit, "unit");
    if (size < 1 || size > CorvixLimits.FORMAT_UNITS) throw new ArgumentOutOfRangeException("size");
    var text = new StringBuilder(size);
    if (Native.cm_double_to_eng_string(text, value, unit, digits, (uint)size, scaleMode) != 1)
      throw new TextRefusedException("the engineering text does not fit " + size + " bytes");
    return text.ToString();
  }

  /// <summary>Plain decimals: Simple(1234567.891, 2, ",") gives "1,234,567.89".</summary>
  public static string Simple(double value, byte decimals = 255, string separator = null,
                              int size = CorvixLimits.FORMAT_UNITS) {
    var text = new StringBuilder(size);
    if (Native.cm_double_to_simple_string(text, value, 0, decimals, 0, separator, size) != 1)
      throw new TextRefusedException("the decimal text does not fit " + size + " bytes");
    return text.ToString();
  }

  /// <summary>Checks a formula against the defined variable names.</summary>
  public static Check CheckExpression(string expression, params string[] variables) {
    NotNull(expression, "expression");
    NotNull(variables, "variables");
    foreach (var name in variables) NotNull(name, "variables");
    var message = new StringBuilder(CorvixLimits.MESSAGE_BYTES);
    string list = variables.Length == 0 ? null : "#" + string.Join("#", variables) + "#";
    int code = Native.cm_verify_reg_exp_string(expression, message, list);
    return new Check { Code = code, Ok = code == 1, Message = code == 1 ? "valid" : message.ToString() };
  }

  /// <summary>Checks "address:port" and gives the parts when it is valid.</summary>
  public static Check CheckEndpoint(string text, out string address, out ushort port) {
    NotNull(text, "text");
    var buffer = new StringBuilder(text, CorvixLimits.NAME_BYTES);
    var addressBuffer = new StringBuilder(CorvixLimits.ADDRESS_BYTES);
    port = 0;
    int code = Native.cm_is_valid_ip_and_port_string(buffer, addressBuffer, ref port);
    address = code == 1 ? addressBuffer.ToString() : null;
    return new Check { Code = code, Ok = code == 1, Message = code == 1 ? "valid" : "refused" };
  }

  /// <summary>The parameter `number` (from 1) of an event string.</summary>
  public static string EventParameter(string eventText, int number) {
    NotNull(eventText, "eventText");
    var parameter = new StringBuilder(CorvixLimits.NAME_BYTES);
    if (Native.cm_get_event_parameters(eventText, parameter, number, CorvixLimits.NAME_BYTES) != 1)
      throw new TextRefusedException("no parameter " + number + " in " + eventText);
    return parameter.ToString();
  }

  /// <summary>The first `count` 16-bit units of a text.</summary>
  public static string LeftSideU16(string text, int count) {
    NotNull(text, "text");
    var part = new StringBuilder(Math.Max(count, 0) + 1);
    Native.cm_extract_leftt_side_u16(text, part, count);
    return part.ToString();
  }

  static void RefuseNonFinite(double[] values, string what) {
    for (int i = 0; i < values.Length; ++i)
      if (double.IsNaN(values[i]) || double.IsInfinity(values[i]))
        throw new ArgumentException(what + " sample " + i + " is " + values[i] + "; samples must be finite");
  }
  /// <summary>Minimum, maximum, average and spread value of samples; ArgumentException for no
  /// samples and for a NaN or infinite one.</summary>
  public static Statistics Summarise(double[] values) {
    NotNull(values, "values");
    if (values.Length == 0)
      throw new ArgumentException("statistics of no samples: there is no minimum, maximum or average");
    RefuseNonFinite(values, "the");
    var result = new Statistics();
    Native.cm_calculate_min_max_avr_sd(values, values.Length, out result.Minimum,
                                       out result.Maximum, out result.Average, out result.Spread);
    return result;
  }

  // The call covers one day: a sample outside the times its windows cover (as the library
  // gives them) would be dropped in silence.
  static void RefuseOutsideTheDay(int[] times, int series, int width, int step) {
    int first, end;
    Native.cm_filter_covered_seconds(width, step, out first, out end);
    for (int i = 0; i < times.Length; ++i) {
      if (i > 0 && times[i] < times[i - 1])
        throw new ArgumentException("the times of series " + series + " are not in ascending order");
      if (times[i] < first || times[i] >= end)
        throw new ArgumentException("sample " + i + " of series " + series + " at " + times[i] +
                                    " s lies outside the day the windows cover (" + first + " to " + (end - 1) + " s)");
    }
  }
  /// <summary>Time windows over series of (times in seconds, values) of one day. A sample
  /// outside the times the windows cover, and a NaN or infinite value, throw ArgumentException
  /// naming the first such sample.</summary>
  public static Window[] Windows(int[][] times, double[][] values, int width, int step) {
    NotNull(times, "times");
    NotNull(values, "values");
    if (times.Length != values.Length || times.Length > CorvixLimits.MAX_SERIES)
      throw new ArgumentException("times and values must pair up, at most MAX_SERIES series");
    if (width <= 0 || step <= 0) throw new ArgumentOutOfRangeException("width and step must be positive");
    int series = times.Length;
    var handles = new GCHandle[2 * series];
    var valuePointers = new IntPtr[Math.Max(series, 1)];
    var timePointers = new IntPtr[Math.Max(series, 1)];
    var counts = new int[Math.Max(series, 1)];
    try {
      for (int s = 0; s < series; ++s) {
        NotNull(times[s], "times");
        NotNull(values[s], "values");
        if (times[s].Length != values[s].Length) throw new ArgumentException("series " + s + " does not pair up");
        RefuseOutsideTheDay(times[s], s, width, step);
        RefuseNonFinite(values[s], "series " + s);
        handles[2 * s] = GCHandle.Alloc(values[s], GCHandleType.Pinned);
        handles[2 * s + 1] = GCHandle.Alloc(times[s], GCHandleType.Pinned);
        valuePointers[s] = handles[2 * s].AddrOfPinnedObject();
        timePointers[s] = handles[2 * s + 1].AddrOfPinnedObject();
        counts[s] = times[s].Length;
      }
      int entries = (int)(CorvixLimits.SECONDS_PER_DAY / step) + 2;
      var minimum = new double[entries];
      var maximum = new double[entries];
      var mean = new double[entries];
      var centres = new int[entries];
      int written = Native.cm_filter_value_array(valuePointers, timePointers, series, counts, minimum,
                                                 maximum, mean, centres, width, step, 0);
      var windows = new Window[written];
      for (int i = 0; i < written; ++i)
        windows[i] = new Window { Minimum = minimum[i], Maximum = maximum[i], Mean = mean[i], Centre = centres[i] };
      return windows;
    } finally {
      foreach (var handle in handles)
        if (handle.IsAllocated) handle.Free();
    }
  }

  /// <summary>Time windows over series of (times in seconds, values) of any number of days,
  /// through the library's multi-day reducer: window k is centred at the midnight of the first
  /// sample's day + k*step and holds centre - width/2 &lt;= t &lt; centre - width/2 + width. One
  /// day of samples at 0 to 86399 s gives the rows of the one-day overload. Each series' times
  /// must not go back. ArgumentException names the sample whose time goes back or lies beyond
  /// REDUCER_TIME_LIMIT, or whose value is NaN or infinite, and says when there would be more
  /// windows than REDUCER_MOST_WINDOWS. With a step longer than the width, samples between
  /// windows are held by none: the overload with samplesHeldByNoWindow counts them.</summary>
  public static ReducedWindow[] Windows(long[][] times, double[][] values, long width, long step) {
    long heldByNoWindow;
    return Windows(times, values, width, step, false, out heldByNoWindow);
  }

  /// <summary>As Windows(times, values, width, step), with the windows without data too when
  /// emptyWindows, and the number of samples no window holds (left out).</summary>
  public static ReducedWindow[] Windows(long[][] times, double[][] values, long width, long step,
                                        bool emptyWindows, out long samplesHeldByNoWindow) {
    NotNull(times, "times");
    NotNull(values, "values");
    if (times.Length != values.Length || times.Length > CorvixLimits.MAX_SERIES)
      throw new ArgumentException("times and values must pair up, at most MAX_SERIES series");
    if (width < 1 || width > CorvixLimits.REDUCER_LONGEST_SECONDS)
      throw new ArgumentOutOfRangeException("width", width, "from 1 s to REDUCER_LONGEST_SECONDS");
    if (step < 1 || step > CorvixLimits.REDUCER_LONGEST_SECONDS)
      throw new ArgumentOutOfRangeException("step", step, "from 1 s to REDUCER_LONGEST_SECONDS");
    for (int s = 0; s < times.Length; ++s) {
      NotNull(times[s], "times");
      NotNull(values[s], "values");
      if (times[s].Length != values[s].Length)
        throw new ArgumentException("series " + s + " has " + times[s].Length + " times and " +
                                    values[s].Length + " values");
    }
    IntPtr reducer;
    int code = Native.cm_reducer_create(width, step, Math.Max(times.Length, 1),
                                        emptyWindows ? CorvixLimits.REDUCER_EMPTY_WINDOWS : 0,
                                        out reducer);
    if (code != CorvixLimits.REDUCER_OK) throw ReducerError(code, "cannot make a reducer");
    try {
      for (int s = 0; s < times.Length; ++s) {
        code = Native.cm_reducer_push(reducer, s, times[s], values[s], times[s].Length);
        if (code != CorvixLimits.REDUCER_OK) throw RefusedPush(reducer, code, s, times[s], values[s], width, step);
      }
      code = Native.cm_reducer_finish(reducer);
      if (code != CorvixLimits.REDUCER_OK) throw ReducerError(code, "finish");
      var windows = new System.Collections.Generic.List<ReducedWindow>();
      var batch = new NativeWindow[4096];
      while (true) {
        int taken = Native.cm_reducer_take(reducer, batch, null, batch.Length);
        if (taken < 0) throw ReducerError(taken, "take");
        for (int i = 0; i < taken; ++i) {
          bool hasData = batch[i].HasData != 0;
          windows.Add(new ReducedWindow {
            Centre = batch[i].Centre, HasData = hasData,
            Minimum = hasData ? batch[i].Minimum : double.NaN,
            Maximum = hasData ? batch[i].Maximum : double.NaN,
            Mean = hasData ? batch[i].Mean : double.NaN });
        }
        if (taken < batch.Length) break;
      }
      ReducerCounts counts;
      Native.cm_reducer_get_counts(reducer, out counts);
      samplesHeldByNoWindow = counts.SamplesHeldByNoWindow;
      return windows.ToArray();
    } finally {
      Native.cm_reducer_destroy(reducer);
    }
  }

  static Exception ReducerError(int code, string what) {
    switch (code) {
      case CorvixLimits.REDUCER_NO_MEMORY: return new OutOfMemoryException(what + ": the open windows' samples did not fit in memory");
      case CorvixLimits.REDUCER_TIME_GOES_BACK: return new ArgumentException(what + ": a time goes back");
      case CorvixLimits.REDUCER_TIME_OUT_OF_RANGE: return new ArgumentException(what + ": a time beyond +-" + CorvixLimits.REDUCER_TIME_LIMIT + " s");
      case CorvixLimits.REDUCER_NOT_FINITE: return new ArgumentException(what + ": a NaN or infinite value");
      case CorvixLimits.REDUCER_BAD_SIZE: return new ArgumentException(what + ": a width, step, series count or count out of range");
      default: return new ArgumentException(what + ": the reducer's result " + code);
    }
  }

  // The reason of a refused push, naming the sample the library stopped at.
  static Exception RefusedPush(IntPtr reducer, int code, int series, long[] times, double[] values,
                               long width, long step) {
    string label = " of series " + series;
    if (code == CorvixLimits.REDUCER_TOO_MANY_WINDOWS) {
      ReducerCounts counts;
      Native.cm_reducer_get_counts(reducer, out counts);
      return new ArgumentException("the samples" + label + " up to " + times[times.Length - 1] + " s would make " +
                                   counts.RefusedWindows + " windows of " + width + " s every " + step +
                                   " s from the first sample's day to the last one's; at most " +
                                   CorvixLimits.REDUCER_MOST_WINDOWS + ": choose a longer step");
    }
    for (int i = 0; i < times.Length; ++i) {
      if (times[i] < -CorvixLimits.REDUCER_TIME_LIMIT || times[i] > CorvixLimits.REDUCER_TIME_LIMIT)
        return new ArgumentException("sample " + i + label + " at " + times[i] + " s lies beyond the reducer's times, +-" +
                                     CorvixLimits.REDUCER_TIME_LIMIT + " s");
      if (double.IsNaN(values[i]) || double.IsInfinity(values[i]))
        return new ArgumentException("value of sample " + i + label + " is " + values[i] + "; samples must be finite");
      if (i > 0 && times[i] < times[i - 1])
        return new ArgumentException("sample " + i + label + " at " + times[i] + " s goes back before sample " + (i - 1) +
                                     " (" + times[i - 1] + " s); the times of a series must not go back");
    }
    return ReducerError(code, "the samples" + label + " are refused");
  }
}

}  // namespace Corvix
