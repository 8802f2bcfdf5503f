/// \file
/// CorvixMath: the utility library of the Corvix HMI/SCADA applications.
///
/// One stateless class, CMathOperation, whose members format measured values for displays,
/// parse such texts back, handle narrow and 16-bit strings, validate identifiers, numbers,
/// addresses and formulas, map vocabulary names to codes and reduce sample series. The members
/// are grouped by family below; each family's page says what holds for all of its members.
///
/// Conventions that hold for every member:
/// - Buffers belong to the caller. A member writes only within the capacity it is given, or
///   within the fixed size its contract states (for example #CORVIXMATH_NAME_BYTES for a name
///   it is not told the size of), and never allocates.
/// - A text that does not fit its destination together with its terminator is refused: a text
///   exactly as long as the capacity is refused like a longer one. The member returns its
///   failure value and leaves the destination exactly as it was.
/// - "Untouched" means not written at all: several members leave a destination as it was (for
///   an empty source, or on refusal) instead of writing an empty string. Test the result, or
///   prepare the buffer.
/// - A null source reads as the empty string; a null destination is not written, and a member
///   with a result then returns its failure value.
/// - Sizes, capacities, positions and counts are in units: bytes of a narrow text, 16-bit
///   units of a unit or wide text, terminator included where a size is meant.
/// - `long` results are the values of 32-bit Windows, where `long` and `int` are 32 bits and
///   `wchar_t` 16 bits: only the low 32 bits of a `long` argument count, and a 32-bit result
///   is sign-extended where `long` is wider.
/// - `unsigned short*` strings are 16-bit unit strings; the `wchar_t*` overloads read and
///   write `wchar_t` units but behave unit for unit like them.
/// - The formatters convert with six decimals (or a fixed number of decimals) and then cut
///   surplus digits; they never round a second time.
/// - The members keep no state; any number of threads may call them at once on different
///   buffers. No exception leaves a member.
///
/// In the examples `math` is a `CMathOperation` and CorvixLimits.h is included; each example is
/// compiled and run by the test suite exactly as it is shown, and its comments give the
/// results it checks: `call;  // -> result` and `// text is "..."`.
#ifndef CORVIXMATH_CMATHOPERATION_H
#define CORVIXMATH_CMATHOPERATION_H

#include "CorvixPlatform.h"

/// The library's one class: stateless, with one public member per service.
///
/// Construct one where it is needed (a local object is usual), call the members and let it
/// go; every instance, copy or temporary gives the same results.
class CORVIXMATH_API CMathOperation {
 public:
  /// \defgroup lifecycle Lifecycle
  /// Making, copying and destroying a CMathOperation.
  ///
  /// The class holds no data, so these members do nothing visible: a copy or an assignment
  /// copies nothing, and destroying an object releases nothing. The destructor is virtual,
  /// as in the earlier releases, so hosts that derive from the class keep working.
  /// @{

  /// Makes an object; there is nothing to set up.
  CMathOperation();
  /// Makes a copy; there is nothing to copy.
  /// \param other The object copied.
  CMathOperation(const CMathOperation& other);
  /// Destroys the object; there is nothing to release.
  virtual ~CMathOperation();
  /// Assigns nothing, since there is nothing to assign.
  /// \param other The object assigned from.
  /// \return This object.
  CMathOperation& operator=(const CMathOperation& other);
  /// @}

  /// \defgroup formatters Display formatting
  /// Texts for value displays: engineering notation, plain decimals, scientific notation,
  /// prices, fixed-length fields and the word of a four-digit seven-segment panel.
  ///
  /// What holds for the family:
  /// - The value is converted once, with six decimals ("%f"), with four ("%4.4f") or with the
  ///   mantissa decimals asked for, and rounded to nearest there; later steps cut digits and
  ///   never round again. The conversion does not depend on the process locale: the point is
  ///   always ".". Not-a-number and infinities are spelled "nan", "-nan", "inf" and "-inf".
  /// - Every text is built in a working buffer of #CORVIXMATH_FORMAT_UNITS bytes and copied to
  ///   the destination only when it fits there with its terminator. Otherwise the destination
  ///   is untouched and the member returns 0 (PriceToString writes "---" instead).
  /// - The missing-value marker #CORVIXMATH_MISSING_VALUE: DoubleToEngString shows a value
  ///   whose integer part is -999 as 0.
  /// - The scale modes of DoubleToEngString take the scale indexes of ScaleString2Index
  ///   (0 Hide, 1 Auto, 2 Unity, 3 Kilo, 4 Mega, 5 Giga, 6 Tera) and four more (7 to 10).
  /// @{

  /// Writes a value in engineering notation: the number cut to a digit count, a blank, a
  /// scale letter and the unit text, as value displays show it ("12.34 KW").
  ///
  /// Steps: a value whose integer part (truncated towards zero) is -999 becomes 0. The value is
  /// scaled by the mode (table below), converted with six decimals, and cut to `digits` digit
  /// characters: the kept length is `digits`, plus one if the text has a "-", plus one if it
  /// has a "." (so a number with more integer digits than `digits` keeps one character more,
  /// and a cut may end on the point). Then a blank, the scale letter (if the mode shows one)
  /// and the unit are appended; one trailing blank is removed, the text is checked against
  /// `size`, all trailing blanks and then one final "." are removed. A "." that a letter or
  /// unit follows stays: 123.456 in Unity with 3 digits and unit "W" gives "123.", two blanks
  /// and "W".
  ///
  /// | Mode | Value shown | Letter | "EEEE" when |
  /// |---|---|---|---|
  /// | 0 Hide | divided by 1000 while its magnitude is at least 1000 | none | \|v\| > 1e15 |
  /// | 1 Auto | as Hide | " ", K, M, G, T, P by divisions | \|v\| > 1e15 |
  /// | 2 Unity | v | " " | \|v\| >= 10^d |
  /// | 3 Kilo | v / 1e3 | K | \|v/1e3\| >= 10^d |
  /// | 4 Mega | v / 1e6 | M | \|v/1e6\| >= 10^d |
  /// | 5 Giga | v / 1e9 | G | \|v/1e9\| >= 10^(d+9) |
  /// | 6 Tera | v / 1e12 | T | \|v/1e12\| >= 10^(d+12) |
  /// | 7 thousandths | v * 1000 | m | \|v*1000\| >= 10^(d+12) |
  /// | 10 Auto, milli | as Auto; v * 1000 if 0.001 < \|v\| < 0.1 | as Auto, or m | \|v\| > 1e15 |
  /// | 8, 9, 11 to 255 | v | none | never |
  ///
  /// Here d is the digit count. An overflow shows "EEEE" alone, without letter or unit, and is
  /// not a failure. In Auto and mode 10, exactly 1e15 and -1e15 show "1.000 P" and "-1.000 P"
  /// (peta) before the unit.
  ///
  /// \param destination Receives the text; `size` bytes.
  /// \param value The value to show.
  /// \param unit The unit text appended after the letter; may be empty. A null unit reads as
  ///   empty.
  /// \param digits The number of digit characters kept; only its low 16 bits count (0 to
  ///   65535), and 0 keeps all six decimals.
  /// \param size The size of `destination` in bytes, terminator included.
  /// \param scaleMode The scale mode, 0 to 255 (table above).
  /// \return 1 when the text was written; 0 when it does not fit `size` bytes with its
  ///   terminator, or a unit would carry it past the working buffer's
  ///   #CORVIXMATH_FORMAT_UNITS - 1 characters. On 0 the destination is untouched.
  ///
  /// \par Example
  /// \code
  /// char text[32];
  /// math.DoubleToEngString(text, 12345.678, (char*)"W", 4, sizeof text, 1);  // -> 1
  /// // text is "12.34 KW"
  /// math.DoubleToEngString(text, 0.05, (char*)"A", 3, sizeof text, 10);  // -> 1
  /// // text is "50.0 mA"
  /// math.DoubleToEngString(text, 5e9, (char*)"W", 3, sizeof text, 4);  // -> 1
  /// // text is "EEEE"
  /// math.DoubleToEngString(text, 12345.678, (char*)"W", 4, 8, 1);  // -> 0
  /// // text is "EEEE"
  /// \endcode
  long DoubleToEngString(char* destination, double value, char* unit, int digits,
                         unsigned long size, unsigned char scaleMode);

  /// Writes a value as plain decimal text: trailing zeros dropped, decimals cut to a count,
  /// an optional width with zero fill on the left and optional thousands grouping.
  ///
  /// Steps: the value is converted with six decimals; trailing "0"s and then a final "." are
  /// removed (12.5 gives "12.5", 100 gives "100", 0.0000001 gives "0", -0.0 gives "-0"). With
  /// a decimals limit, the text is cut after `decimals` digits past the point (with 0 the
  /// point stays: "12."), and a text at least `width` long whose point lies inside the width
  /// is cut to `width`, which removes decimals only. Without a decimals limit (255), a text
  /// longer than `width` is cut to `width` if the cut removes decimals only; a cut that would
  /// remove integer digits or leave only the sign is refused. Zero fill puts "0"s after the
  /// sign up to `width` characters ("-005"). Grouping puts the separator between groups of
  /// three integer digits, never after the sign ("-123,456"); decimals are not grouped.
  ///
  /// \param destination Receives the text; `size` bytes.
  /// \param value The value.
  /// \param width The number of characters aimed at; 0 and 255 mean the text's own length.
  /// \param decimals The most digits kept after the point; 255 means no limit.
  /// \param zeroFill Non-zero fills with "0" up to `width` characters.
  /// \param groupSeparator Null or empty for no grouping; otherwise its first character
  ///   separates the groups.
  /// \param size The size of `destination` in bytes, terminator included.
  /// \return 1 when the text was written; 0 when it does not fit `size` bytes with its
  ///   terminator, when the width cut would remove integer digits, or after the catch-error
  ///   report. On 0 the destination is untouched.
  ///
  /// \par Example
  /// \code
  /// char text[32];
  /// math.DoubleToSimpleString(text, 1234567.891, 0, 2, 0, (char*)",", sizeof text);  // -> 1
  /// // text is "1,234,567.89"
  /// math.DoubleToSimpleString(text, 12.5, 6, 1, 1, nullptr, sizeof text);  // -> 1
  /// // text is "0012.5"
  /// math.DoubleToSimpleString(text, 123.45, 4, 1, 0, nullptr, sizeof text);  // -> 1
  /// // text is "123."
  /// \endcode
  long DoubleToSimpleString(char* destination, double value, unsigned char width,
                            unsigned char decimals, unsigned char zeroFill, char* groupSeparator,
                            long size);

  /// Writes a value in scientific notation with a compact exponent: no "+" and no leading
  /// zeros ("1.23E4", "-5.0E-3", "0.00E0").
  ///
  /// The mantissa has one digit before the point and `mantissaDecimals` after it, rounded to
  /// nearest; the whole mantissa is kept however long. Not-a-number and infinities have no
  /// exponent of their own and show "NANE0", "-NANE0", "INFE0" and "-INFE0".
  ///
  /// \param destination Receives the text; `size` bytes.
  /// \param value The value.
  /// \param mantissaDecimals Digits after the point, 0 to 19; above 19 nothing is written.
  /// \param size The size of `destination` in bytes, terminator included. A text that does not
  ///   fit with its terminator is not written: the destination is untouched.
  ///
  /// \par Example
  /// \code
  /// char text[16];
  /// math.SientificFormat(text, 12345.678, 2, sizeof text);
  /// // text is "1.23E4"
  /// math.SientificFormat(text, -0.005, 1, sizeof text);
  /// // text is "-5.0E-3"
  /// \endcode
  void SientificFormat(char* destination, double value, unsigned char mantissaDecimals,
                       unsigned int size);

  /// Writes an amount as a whole number with optional thousands grouping, after an optional
  /// division by a power of ten; "---" when the text does not fit.
  ///
  /// The amount is divided by 10^(divisorExponent + 2) when `divisorExponent` is not 0 (1
  /// divides by 1000, 4 by 1 000 000), then cut towards zero to a whole number (1999.99 gives
  /// 1999, -7.5 gives -7) and written as DoubleToSimpleString writes it with no decimals.
  /// Amounts beyond the 64-bit range, not-a-number and infinities keep their value (1e20 gives
  /// "100,000,000,000,000,000,000").
  ///
  /// \param destination Receives the text, or "---"; `size` bytes, at least 4 so that "---"
  ///   fits. With less, nothing is written.
  /// \param amount The amount.
  /// \param size The size of `destination` in bytes, terminator included.
  /// \param divisorExponent 0 for no division; k from 1 to 255 divides by 10^(k+2).
  /// \param thousandsSeparator The separator between groups of three digits; NUL for none.
  ///
  /// \par Example
  /// \code
  /// char text[16];
  /// math.PriceToString(text, 1234567.0, sizeof text, 0, ',');
  /// // text is "1,234,567"
  /// math.PriceToString(text, 2500000.0, sizeof text, 1, '.');
  /// // text is "2.500"
  /// math.PriceToString(text, 1234567.0, 9, 0, ',');
  /// // text is "---"
  /// \endcode
  void PriceToString(char* destination, double amount, unsigned int size,
                     unsigned char divisorExponent, char thousandsSeparator);

  /// Brings a numeric text to an exact length in place: its leading run of numeric characters
  /// ("-", "." and digits) stays, cut to the length, and every position after it up to the
  /// length takes the fill character.
  ///
  /// \param text The text, changed in place; its buffer holds at least `length` + 1 bytes.
  /// \param length The length wanted; 0 empties the text, a negative length does nothing.
  /// \param fill The fill character.
  ///
  /// \par Example
  /// \code
  /// char text[16] = "12.5 KW";
  /// math.StandardLen(text, 6, '0');
  /// // text is "12.500"
  /// char field[16] = "12/5";
  /// math.StandardLen(field, 6, ' ');
  /// // field is "12    "
  /// \endcode
  void StandardLen(char* text, long length, char fill);

  /// Packs a value into the 32-bit word of a four-digit seven-segment panel: four 7-bit
  /// character codes and the position of the decimal point.
  ///
  /// The text is made in one of three ways chosen by `flags`, then the first "." is noted, every
  /// "." removed, the text cut to four characters and filled with "0" in front to four (so -5
  /// shows "00-5"; panel firmware reads this word, so it keeps its own fill rules):
  /// - neither 0x0008 nor 0x0200: the engineering text of DoubleToEngString with no unit, 4
  ///   digits and the Auto scale (12345.678 gives "12.34 K", so the panel shows "1234");
  /// - 0x0200 (plain): the value with four decimals ("%4.4f"), trailing "0"s and "."s removed;
  /// - 0x0008 (divided): as plain, after dividing by 1000 (with 0x0800), else 1e6 (0x1000),
  ///   else 1e9 (0x2000), else 1e12 (0x4000); 0x0008 takes precedence over 0x0200.
  ///
  /// With 0x0100 a text that starts with "-" loses every "-". Other bits are ignored.
  ///
  /// | Bits | Content |
  /// |---|---|
  /// | 0 to 6 | code of character 4 (rightmost) |
  /// | 7 to 13 | code of character 3 |
  /// | 14 to 20 | code of character 2 |
  /// | 21 to 27 | code of character 1 (leftmost) |
  /// | 28, 29, 30, 31 | the first "." was at index 4, 3, 2, 1 of the text (at most one bit) |
  ///
  /// Character codes: "0" to "9" give 0 to 9, "-" gives 30, every other character gives 0. The
  /// word is the 32-bit value, so bit 31 makes it negative.
  ///
  /// \param value The value.
  /// \param flags The flag word (bits above).
  /// \return The word. "EEEE" (too large for the Auto scale) and a four-decimal text that
  ///   does not fit the #CORVIXMATH_SEVENSEG_TEXT_UNITS-byte working buffer (1 000 000 and above,
  ///   -100 000 and below, after the division) give 0. #CORVIXMATH_MISSING_VALUE (-999) after
  ///   the catch-error report; no word the panel can show equals -999.
  ///
  /// \par Example
  /// \code
  /// math.NumberTo4SevenSeg(1234.5678, 0x0200);  // -> 0x10208184
  /// math.NumberTo4SevenSeg(-12.5, 0x0300);  // -> 0x40004105
  /// math.NumberTo4SevenSeg(5e15, 0);  // -> 0
  /// \endcode
  long NumberTo4SevenSeg(double value, long flags);
  /// @}

  /// \defgroup parsing Numbers from texts
  /// Reading numbers back from engineering texts, hexadecimal texts, OLE Automation variants
  /// and 16-bit decimal texts. None of these members reports an error other than by its
  /// result, and none depends on the process locale.
  /// @{

  /// Reads an engineering text such as "12.5 K" back into a plain value.
  ///
  /// The first 15 characters are read (#CORVIXMATH_FIELD_UNITS less one) and every blank is
  /// dropped. A sign is allowed first only, one "." anywhere, digits anywhere, and one suffix
  /// letter last: "K"/"k" 1e3, "M"/"m" 1e6 (both millions), "G"/"g" 1e9, "T"/"t" 1e12.
  ///
  /// \param text The text.
  /// \return The value; 0 for an empty text (or a lone sign, point or suffix);
  ///   #CORVIXMATH_MISSING_VALUE (-999.0) for any other character or a misplaced sign, point or
  ///   suffix ("12K5", "1.2.3" and "1E3" give -999).
  ///
  /// \par Example
  /// \code
  /// math.EngStr2SimpleValue((char*)"12.5 K");  // -> 12500.0
  /// math.EngStr2SimpleValue((char*)"-3m");  // -> -3000000.0
  /// math.EngStr2SimpleValue((char*)"1E3");  // -> -999.0
  /// \endcode
  double EngStr2SimpleValue(char* text);

  /// Reads a hexadecimal text into a 32-bit value, skipping every character that is not a
  /// hexadecimal digit ("0x1A", "#1A" and "1A" all give 26).
  ///
  /// \param text The text.
  /// \return The value of the last eight digits read, as a signed 32-bit number
  ///   ("FFFFFFFF" gives -1); 0 for a text without digits.
  ///
  /// \par Example
  /// \code
  /// math.HexStringToDecimal((char*)"#FF8000");  // -> 16744448
  /// math.HexStringToDecimal((char*)"FFFFFFFF");  // -> -1
  /// \endcode
  long HexStringToDecimal(char* text);

  /// Reads the number an OLE Automation VARIANT holds.
  ///
  /// Read are VT_I1, VT_UI1, VT_I2, VT_UI2, VT_I4 (signed 8, unsigned 8, signed 16, unsigned 16
  /// and signed 32 bits), VT_R4 and VT_R8. Every other type code, including VT_UI4, VT_I8,
  /// VT_BOOL, VT_BSTR, VT_EMPTY and any by-reference or array code, gives 0; no text, date or
  /// currency is converted. On Windows this is the platform's own VARIANT (a host that builds
  /// one includes <oaidl.h>, as Windows programs do); elsewhere CorvixPlatform.h gives a
  /// VARIANT of the same layout, so `v.vt = VT_I2; v.iVal = 5;` compiles unchanged.
  ///
  /// \param value The variant, passed by value.
  /// \return The number, or 0.
  ///
  /// \par Example
  /// \code
  /// VARIANT number{};
  /// number.vt = VT_I1;
  /// number.cVal = -56;
  /// math.VarValueToLongDouble(number);  // -> -56.0
  /// number.vt = VT_BOOL;
  /// math.VarValueToLongDouble(number);  // -> 0.0
  /// \endcode
  long double VarValueToLongDouble(struct tagVARIANT value);

  /// Reads a decimal integer from a 16-bit unit string: leading white space is skipped, an
  /// optional sign and the digits after it are read, and reading stops at the first other
  /// unit.
  ///
  /// \param text The unit string.
  /// \return The value, held to the 32-bit range (-2147483648 to 2147483647); 0 for a text
  ///   without digits.
  ///
  /// \par Example
  /// \code
  /// unsigned short text[] = {' ', '-', '4', '2', 'x', 0};
  /// math.ToLong(text);  // -> -42
  /// \endcode
  long ToLong(unsigned short* text);
  /// @}

  /// \defgroup search Search and extraction
  /// Finding a character or a substring, and cutting a text at a character, by a count of
  /// units or by a range.
  ///
  /// Every member exists for narrow texts and for 16-bit texts (`unsigned short*`, and
  /// `wchar_t*` under the same name or a name ending in W); the flavours behave unit for unit
  /// alike. Positions are 0-based unit indexes; #CORVIXMATH_NOT_FOUND (-1) means "no
  /// occurrence". Characters are compared by their exact unit value, without case folding.
  /// Most members read at most the first #CORVIXMATH_TEXT_UNITS - 1 units of their source
  /// (FindSubStringStartPos and ExtractRightSide the first #CORVIXMATH_FORMAT_UNITS - 1);
  /// a longer source takes part with those units only. The result is made before the
  /// destination is written, so the destination may be the source buffer itself.
  /// @{

  /// Finds the first occurrence of a character.
  /// \param source The text searched.
  /// \param character The character looked for; the NUL character finds the terminator.
  /// \return The 0-based position of the first occurrence within the first
  ///   #CORVIXMATH_TEXT_UNITS - 1 units, or #CORVIXMATH_NOT_FOUND (-1); -1 for an empty source.
  ///
  /// \par Example
  /// \code
  /// math.FindCharposInString((char*)"Tank.Level", '.');  // -> 4
  /// math.FindCharposInString((char*)"abc", 'x');  // -> -1
  /// math.FindCharposInString((char*)"abc", '\0');  // -> 3
  /// \endcode
  long FindCharposInString(char* source, char character);
  /// \copydoc FindCharposInString(char*, char)
  long FindCharposInString(unsigned short* source, unsigned short character);
  /// \copydoc FindCharposInString(char*, char)
  long FindCharposInStringW(wchar_t* source, wchar_t character);

  /// Finds the first occurrence of a substring.
  /// \param source The text searched; its first #CORVIXMATH_FORMAT_UNITS - 1 units take part.
  /// \param substring The text looked for, matched exactly.
  /// \return The 0-based position where the leftmost occurrence starts, or
  ///   #CORVIXMATH_NOT_FOUND (-1). An empty substring gives the source's length.
  ///
  /// \par Example
  /// \code
  /// math.FindSubStringStartPos((char*)"abcabd", (char*)"abd");  // -> 3
  /// math.FindSubStringStartPos((char*)"ab", (char*)"abc");  // -> -1
  /// math.FindSubStringStartPos((char*)"abc", (char*)"");  // -> 3
  /// \endcode
  long FindSubStringStartPos(char* source, char* substring);
  /// \copydoc FindSubStringStartPos(char*, char*)
  long FindSubStringStartPosW(wchar_t* source, wchar_t* substring);

  /// Copies the part of a text before the first occurrence of a character (the whole text
  /// when the character does not occur).
  /// \param source The text.
  /// \param destination Receives the left part; `capacity` units.
  /// \param character The character cut at; it is not part of the result.
  /// \param capacity The size of `destination` in units, terminator included.
  /// \return 1 when the left part was written, and for an empty source (destination
  ///   untouched); 0 when the left part does not fit `capacity` units with its terminator, for
  ///   a null destination, or after the catch-error report (narrow and `unsigned short`
  ///   flavours). On 0 the destination is untouched.
  ///
  /// \par Example
  /// \code
  /// char left[16];
  /// math.ExtractLeftBeforeChar((char*)"12.5", left, '.', sizeof left);  // -> 1
  /// // left is "12"
  /// math.ExtractLeftBeforeChar((char*)"Level", left, '.', 5);  // -> 0
  /// // left is "12"
  /// \endcode
  long ExtractLeftBeforeChar(char* source, char* destination, char character, long capacity);
  /// \copydoc ExtractLeftBeforeChar(char*, char*, char, long)
  long ExtractLeftBeforeChar(unsigned short* source, unsigned short* destination,
                             unsigned short character, long capacity);
  /// \copydoc ExtractLeftBeforeChar(char*, char*, char, long)
  long ExtractLeftBeforeCharW(wchar_t* source, wchar_t* destination, wchar_t character,
                              long capacity);

  /// Copies the part of a text after the first occurrence of a character; the whole text
  /// when the character does not occur, so stripping leading fields in a loop stops by
  /// itself.
  /// \param source The text.
  /// \param destination Receives the right part; holds #CORVIXMATH_TEXT_UNITS units. Untouched
  ///   for an empty source and for the NUL character.
  /// \param character The character cut at.
  ///
  /// \par Example
  /// \code
  /// char right[CORVIXMATH_TEXT_UNITS];
  /// math.ExtractRightAfterChar((char*)"1.2.3", right, '.');
  /// // right is "2.3"
  /// math.ExtractRightAfterChar(right, right, ':');
  /// // right is "2.3"
  /// \endcode
  void ExtractRightAfterChar(char* source, char* destination, char character);
  /// \copydoc ExtractRightAfterChar(char*, char*, char)
  void ExtractRightAfterChar(unsigned short* source, unsigned short* destination,
                             unsigned short character);
  /// \copydoc ExtractRightAfterChar(char*, char*, char)
  void ExtractRightAfterCharW(wchar_t* source, wchar_t* destination, wchar_t character);

  /// Copies the first units of a text.
  /// \param source The text; read in place, whatever its length.
  /// \param destination Receives the first `count` units (the whole text if it is shorter);
  ///   holds `count` + 1 units. Untouched for an empty source.
  /// \param count The number of units; 0 or less writes an empty text.
  ///
  /// \par Example
  /// \code
  /// char left[16];
  /// math.ExtractLefttSide((char*)"ABC12", left, 3);
  /// // left is "ABC"
  /// \endcode
  void ExtractLefttSide(char* source, char* destination, long count);
  /// \copydoc ExtractLefttSide(char*, char*, long)
  void ExtractLefttSide(unsigned short* source, unsigned short* destination, long count);
  /// \copydoc ExtractLefttSide(char*, char*, long)
  void ExtractLefttSideW(wchar_t* source, wchar_t* destination, long count);

  /// Copies the last units of a text.
  /// \param source The text; its first #CORVIXMATH_FORMAT_UNITS - 1 units take part, so the
  ///   right side of a longer text is taken from the end of those units.
  /// \param destination Receives the last `count` units (the whole text if it is shorter), in
  ///   their order; holds `count` + 1 units. Untouched for an empty source.
  /// \param count The number of units; 0 or less writes an empty text.
  ///
  /// \par Example
  /// \code
  /// char right[16];
  /// math.ExtractRightSide((char*)"ABC12", right, 2);
  /// // right is "12"
  /// \endcode
  void ExtractRightSide(char* source, char* destination, long count);
  /// \copydoc ExtractRightSide(char*, char*, long)
  void ExtractRightSide(unsigned short* source, unsigned short* destination, long count);
  /// \copydoc ExtractRightSide(char*, char*, long)
  void ExtractRightSideW(wchar_t* source, wchar_t* destination, long count);

  /// Copies a range of a text: at most `count` units from position `start`, stopping at the
  /// text's end.
  /// \param source The text; read in place.
  /// \param destination Receives the range; holds `count` + 1 units.
  /// \param start The 0-based position of the first unit; a negative start or one past the
  ///   end writes an empty text.
  /// \param count The number of units; 0 or less writes an empty text.
  /// \return 1; 0 for a null destination.
  ///
  /// \par Example
  /// \code
  /// char part[16];
  /// math.SubString((char*)"abcdef", part, 2, 3);  // -> 1
  /// // part is "cde"
  /// math.SubString((char*)"abc", part, 1, 10);  // -> 1
  /// // part is "bc"
  /// \endcode
  long SubString(char* source, char* destination, long start, long count);
  /// \copydoc SubString(char*, char*, long, long)
  long SubString(unsigned short* source, unsigned short* destination, long start, long count);
  /// @}

  /// \defgroup editing Trimming, editing and unit strings
  /// Stripping a repeated character from either end, editing a text in place, and the basic
  /// operations on 16-bit unit strings.
  ///
  /// The trims work on a copy of at most #CORVIXMATH_FORMAT_UNITS - 1 units, so the
  /// destination may be the source (trimming in place). The in-place members change the
  /// caller's text where it lies; positions and counts outside the text are ignored rather
  /// than acted on.
  /// @{

  /// Copies a text without the repeats of one character at its start.
  /// \param source The text; a source longer than #CORVIXMATH_FORMAT_UNITS units is refused,
  ///   and one of exactly that many takes part with its first units less one.
  /// \param destination Receives the trimmed text; `capacity` units.
  /// \param character The character stripped, as often as it repeats; the NUL character
  ///   strips nothing.
  /// \param capacity The size of `destination` in units, terminator included.
  /// \return 1 when written; 0 when the source is too long, the trimmed text does not fit
  ///   `capacity` units with its terminator, or the destination is null. On 0 the destination
  ///   is untouched.
  ///
  /// \par Example
  /// \code
  /// char text[10];
  /// math.TrimLeft((char*)"  12", text, ' ', sizeof text);  // -> 1
  /// // text is "12"
  /// math.TrimLeft((char*)"abcd", text, ' ', 4);  // -> 0
  /// // text is "12"
  /// \endcode
  long TrimLeft(char* source, char* destination, char character, unsigned int capacity);
  /// \copydoc TrimLeft(char*, char*, char, unsigned int)
  long TrimLeft(unsigned short* source, unsigned short* destination, unsigned short character,
                unsigned int capacity);
  /// \copydoc TrimLeft(char*, char*, char, unsigned int)
  long TrimLeftW(wchar_t* source, wchar_t* destination, wchar_t character,
                 unsigned int capacity);

  /// Copies a text without the repeats of one character at its end.
  /// \param source The text; a source longer than #CORVIXMATH_FORMAT_UNITS units is refused,
  ///   and one of exactly that many takes part with its first units less one.
  /// \param destination Receives the trimmed text; `capacity` units.
  /// \param character The character stripped, as often as it repeats; the NUL character
  ///   strips nothing.
  /// \param capacity The size of `destination` in units, terminator included.
  /// \return 1 when written; 0 when the source is too long, the trimmed text does not fit
  ///   `capacity` units with its terminator, or the destination is null. On 0 the destination
  ///   is untouched.
  ///
  /// \par Example
  /// \code
  /// char text[12] = "1.500";
  /// math.TrimRight(text, text, '0', sizeof text);  // -> 1
  /// // text is "1.5"
  /// \endcode
  long TrimRight(char* source, char* destination, char character, unsigned int capacity);
  /// \copydoc TrimRight(char*, char*, char, unsigned int)
  long TrimRight(unsigned short* source, unsigned short* destination, unsigned short character,
                 unsigned int capacity);
  /// \copydoc TrimRight(char*, char*, char, unsigned int)
  long TrimRightW(wchar_t* source, wchar_t* destination, wchar_t character,
                  unsigned int capacity);

  /// Inserts one unit into a text in place; the rest of the text moves one place right.
  /// \param text The text; its buffer holds its length + 2 units.
  /// \param position The 0-based position; the text's length appends. A negative position or
  ///   one past the length changes nothing.
  /// \param character The unit inserted.
  ///
  /// \par Example
  /// \code
  /// char text[8] = "1234";
  /// math.InsertCharInCharArray(text, 1, ',');
  /// // text is "1,234"
  /// \endcode
  void InsertCharInCharArray(char* text, long position, char character);
  /// \copydoc InsertCharInCharArray(char*, long, char)
  void InsertCharInCharArray(unsigned short* text, long position, unsigned short character);
  /// \copydoc InsertCharInCharArray(char*, long, char)
  void InsertCharInCharArray(wchar_t* text, long position, wchar_t character);

  /// Removes every occurrence of one unit from a text in place.
  /// \param text The text.
  /// \param character The unit removed.
  ///
  /// \par Example
  /// \code
  /// char text[8] = "1.5E+03";
  /// math.RemoveCharFromCharArray(text, '+');
  /// // text is "1.5E03"
  /// \endcode
  void RemoveCharFromCharArray(char* text, char character);
  /// \copydoc RemoveCharFromCharArray(char*, char)
  void RemoveCharFromCharArray(unsigned short* text, unsigned short character);

  /// Removes a range of units from a text in place; a range past the end ends the text at
  /// `start`.
  /// \param text The text.
  /// \param start The 0-based position of the first unit removed; a negative start or one at
  ///   or past the end changes nothing.
  /// \param count The number of units removed; 0 or less changes nothing.
  ///
  /// \par Example
  /// \code
  /// char text[8] = "abcdef";
  /// math.RemoveFromCharArray(text, 1, 2);
  /// // text is "adef"
  /// \endcode
  void RemoveFromCharArray(char* text, int start, int count);
  /// \copydoc RemoveFromCharArray(char*, int, int)
  void RemoveFromCharArray(unsigned short* text, int start, int count);

  /// Replaces every occurrence of one unit by another in place, up to the text's terminator
  /// on entry. Replacing a separator by the NUL character therefore leaves a row of
  /// terminated pieces ("a,b,c" becomes "a", "b", "c" one after the other).
  /// \param text The text.
  /// \param find The unit replaced; the NUL character replaces nothing.
  /// \param replacement The unit put in its place.
  ///
  /// \par Example
  /// \code
  /// char path[16] = "D:/Data/Log";
  /// math.ReplaceCharInCharAaary(path, '/', '\\');
  /// // path is "D:\\Data\\Log"
  /// \endcode
  void ReplaceCharInCharAaary(char* text, char find, char replacement);
  /// \copydoc ReplaceCharInCharAaary(char*, char, char)
  void ReplaceCharInCharAaary(unsigned short* text, unsigned short find,
                              unsigned short replacement);

  /// Copies a 16-bit unit string.
  /// \param destination Receives the copy; `capacity` units. Untouched when the source does
  ///   not fit with its terminator.
  /// \param source The unit string.
  /// \param capacity The size of `destination` in units, terminator included.
  ///
  /// \par Example
  /// \code
  /// unsigned short source[] = {'O', 'K', 0};
  /// unsigned short copy[4] = {};
  /// math.Copy(copy, source, 4);
  /// // copy is "OK"
  /// \endcode
  void Copy(unsigned short* destination, unsigned short* source, unsigned int capacity);

  /// Counts the units of a 16-bit unit string.
  /// \param text The unit string.
  /// \return The number of units before the terminator; 0 for an empty or null text.
  ///
  /// \par Example
  /// \code
  /// unsigned short text[] = {'O', 'K', 0};
  /// math.Len(text);  // -> 2
  /// \endcode
  long Len(unsigned short* text);

  /// Compares two 16-bit unit strings unit by unit as unsigned numbers.
  /// \param first The first unit string.
  /// \param second The second unit string.
  /// \return 0 when they are equal; -1 when `first` is smaller at the first difference, or is
  ///   a proper beginning of `second`; 1 when it is larger.
  ///
  /// \par Example
  /// \code
  /// unsigned short abc[] = {'a', 'b', 'c', 0};
  /// unsigned short abd[] = {'a', 'b', 'd', 0};
  /// math.Compare(abc, abd);  // -> -1
  /// math.Compare(abd, abc);  // -> 1
  /// \endcode
  long Compare(unsigned short* first, unsigned short* second);

  /// Writes a number as decimal text into a 16-bit unit string: a "-" for negatives, no "+",
  /// no leading zeros. Only the 32-bit value of the `long` counts; its longest text,
  /// "-2147483648", has 11 units, so a capacity of 12 holds every value.
  /// \param value The number.
  /// \param destination Receives the text; `capacity` units. Untouched when the text does not
  ///   fit with its terminator.
  /// \param capacity The size of `destination` in units, terminator included.
  ///
  /// \par Example
  /// \code
  /// unsigned short text[12];
  /// math.LongToWChar(-2147483647L - 1, text, 12);
  /// // text is "-2147483648"
  /// \endcode
  void LongToWChar(long value, unsigned short* destination, unsigned int capacity);
  /// @}

  /// \defgroup paths Windows paths
  /// Splitting a Windows path into its directory and name, and climbing directories.
  ///
  /// The separator is the backslash only; "/" is an ordinary character, and drive letters
  /// and network prefixes get no special treatment. A path takes part with at most
  /// #CORVIXMATH_PATH_UNITS - 1 units. Every directory written ends with exactly one
  /// backslash. When there is no directory to report, the member marks its directory output by
  /// setting its first unit to the digit '0' and writes nothing else there, no terminator
  /// either.
  /// @{

  /// Splits a full path into its directory (with a trailing backslash) and its file name.
  /// \param fullPath The path.
  /// \param directory Receives everything before the last backslash, and a backslash; holds
  ///   #CORVIXMATH_PATH_UNITS units. Only its first unit is set to '0' for a bare name. May be
  ///   null.
  /// \param name Receives everything after the last backslash; `nameCapacity` units. May be
  ///   null.
  /// \param nameCapacity The size of `name` in units, terminator included.
  /// \param directoryCapacity The size of `directory`; the trailing backslash is appended
  ///   only where it fits.
  /// \return 1 when the name was written (or not asked for); 0 when the name does not fit
  ///   `nameCapacity` units with its terminator (the name output is untouched, the directory
  ///   is still written), or when a bare name is given without a name output.
  ///
  /// \par Example
  /// \code
  /// char folder[CORVIXMATH_PATH_UNITS];
  /// char name[16];
  /// math.ExtractPathAndName((char*)"D:\\Log\\day.txt", folder, name, 16, sizeof folder);  // -> 1
  /// // folder is "D:\\Log\\"
  /// // name is "day.txt"
  /// \endcode
  long ExtractPathAndName(char* fullPath, char* directory, char* name, unsigned int nameCapacity,
                          unsigned int directoryCapacity);
  /// \copydoc ExtractPathAndName(char*, char*, char*, unsigned int, unsigned int)
  long ExtractPathAndName(wchar_t* fullPath, wchar_t* directory, wchar_t* name,
                          unsigned int nameCapacity, unsigned int directoryCapacity);

  /// Climbs a number of directories up from a path. Trailing backslashes are replaced by one;
  /// each level drops one component, the file name counting as one.
  /// \param path The path.
  /// \param output Receives the directory reached, with a trailing backslash; holds
  ///   #CORVIXMATH_PATH_UNITS units. When the path has too few backslashes for the levels,
  ///   only its first unit is set to '0'. Null writes the result over `path`, which then holds
  ///   #CORVIXMATH_PATH_UNITS units.
  /// \param levels The number of components dropped, 0 to 255.
  ///
  /// \par Example
  /// \code
  /// char up[CORVIXMATH_PATH_UNITS];
  /// math.RemoveDirFromPath((char*)"D:\\Data\\Log\\day.txt", up, 2);
  /// // up is "D:\\Data\\"
  /// math.RemoveDirFromPath((char*)"D:\\Data\\\\", up, 0);
  /// // up is "D:\\Data\\"
  /// \endcode
  void RemoveDirFromPath(char* path, char* output, unsigned char levels);
  /// \copydoc RemoveDirFromPath(char*, char*, unsigned char)
  void RemoveDirFromPath(wchar_t* path, wchar_t* output, unsigned char levels);
  /// @}

  /// \defgroup conversions Narrow and 16-bit conversions
  /// Moving text between narrow and 16-bit strings without any code-page translation, and
  /// the digit-array text that carries a 16-bit string (or a narrow one with bytes from
  /// 0x80) as plain ASCII.
  ///
  /// The digit-array text is "UniCode(", then each unit's unsigned value in decimal followed
  /// by ",", then ")": "AB" gives "UniCode(65,66,)", an empty text "UniCode()". It is at most
  /// #CORVIXMATH_FORMAT_UNITS - 1 characters long. Each member with a `flags` word reads one
  /// bit of it and ignores the others:
  ///
  /// | Bit | Member | Set | Clear |
  /// |---|---|---|---|
  /// | 1 | WCharArrayToCharArray | a unit's low byte | a unit's low byte, then its high byte |
  /// | 2 | CharArrayToWcharArray | 0x80-0xFF give 0x0080 to 0x00FF | they give 0xFF80 to 0xFFFF |
  /// | 4 | DigitArrayToUnicodeString | a value's low byte, sign-extended | a value's low 16 bits |
  /// @{

  /// Widens a narrow text into a 16-bit unit string, byte by byte.
  /// \param source The narrow text.
  /// \param destination Receives one unit per byte and a terminator: the source's length + 1
  ///   units. Untouched for an empty source.
  /// \param flags Bit 2 set: bytes are taken as unsigned (0xE9 gives 0x00E9); clear: as
  ///   signed (0xE9 gives 0xFFE9).
  ///
  /// \par Example
  /// \code
  /// unsigned short units[4];
  /// math.CharArrayToWcharArray((char*)"OK", units, 2);
  /// // units is "OK"
  /// \endcode
  void CharArrayToWcharArray(char* source, unsigned short* destination, long flags);

  /// Narrows a 16-bit unit string into bytes. The destination comes first.
  /// \param destination Receives the bytes and a terminator: the source's length + 1 bytes
  ///   with bit 1 set, twice that with it clear (the string's raw little-endian bytes, ending
  ///   in two 0 bytes).
  /// \param source The unit string.
  /// \param flags Bit 1 set: each unit's low byte (0x0644 gives 0x44); clear: its low byte,
  ///   then its high byte.
  ///
  /// \par Example
  /// \code
  /// unsigned short units[] = {'O', 'K', 0};
  /// char text[4];
  /// math.WCharArrayToCharArray(text, units, 1);
  /// // text is "OK"
  /// \endcode
  void WCharArrayToCharArray(char* destination, unsigned short* source, long flags);

  /// Writes the digit-array text of a narrow text, each byte taken as unsigned (0xE9 gives
  /// 233).
  /// \param source The text.
  /// \param destination Receives the digit-array text; `capacity` bytes.
  /// \param capacity The size of `destination` in bytes, terminator included.
  /// \return 1 when written; 0 when the text does not fit `capacity` bytes with its
  ///   terminator, or would be longer than #CORVIXMATH_FORMAT_UNITS - 1 characters. On 0 the
  ///   destination is untouched.
  ///
  /// \par Example
  /// \code
  /// char text[64];
  /// math.UnicodeStringToDigitArray((char*)"AB", text, sizeof text);  // -> 1
  /// // text is "UniCode(65,66,)"
  /// \endcode
  long UnicodeStringToDigitArray(char* source, char* destination, long capacity);
  /// Writes the digit-array text of a 16-bit unit string (0xFFFF gives 65535).
  /// \param source The unit string.
  /// \param destination Receives the digit-array text; `capacity` bytes.
  /// \param capacity The size of `destination` in bytes, terminator included.
  /// \return 1 when written; 0 when the text does not fit `capacity` bytes with its
  ///   terminator, or would be longer than #CORVIXMATH_FORMAT_UNITS - 1 characters. On 0 the
  ///   destination is untouched.
  ///
  /// \par Example
  /// \code
  /// unsigned short units[] = {0x0633, 0x0644, 0};
  /// char text[64];
  /// math.UnicodeStringToDigitArray(units, text, sizeof text);  // -> 1
  /// // text is "UniCode(1587,1604,)"
  /// \endcode
  long UnicodeStringToDigitArray(unsigned short* source, char* destination, long capacity);

  /// Reads a digit-array text back into a narrow text: each number followed by "," gives
  /// one byte, its low byte. Any other character drops the number being read; the prefix and
  /// the ")" need not be there. A number without its "," is lost, and a "," without digits
  /// gives 0, which ends the text there. A number longer than 11 digits keeps its last 11.
  /// \param digitArray The digit-array text.
  /// \param destination Receives one byte per "," and a terminator.
  /// \param unused Not read.
  ///
  /// \par Example
  /// \code
  /// char text[8];
  /// math.DigitArrayToUnicodeString((char*)"UniCode(65,66,)", text, 0);
  /// // text is "AB"
  /// \endcode
  void DigitArrayToUnicodeString(char* digitArray, char* destination, long unused);
  /// Reads a digit-array text back into a 16-bit unit string: each number followed by ","
  /// gives one unit. The text is read as by the narrow flavour.
  /// \param digitArray The digit-array text.
  /// \param destination Receives one unit per "," and a terminator.
  /// \param flags Bit 4 set: each value's low byte, sign-extended (200 gives 0xFFC8); clear:
  ///   its low 16 bits.
  ///
  /// \par Example
  /// \code
  /// unsigned short units[8];
  /// math.DigitArrayToUnicodeString((char*)"UniCode(1587,1604,)", units, 0);
  /// // units[0] is 1587
  /// // units[1] is 1604
  /// // units[2] is 0
  /// \endcode
  void DigitArrayToUnicodeString(char* digitArray, unsigned short* destination, long flags);

  /// Tells whether a text is a digit-array text: it starts with "UniCode(" (exact case) and
  /// its first #CORVIXMATH_FORMAT_UNITS - 1 characters end with ")".
  /// \param text The text.
  /// \return 1 when it is; 0 otherwise, and for an empty or null text.
  ///
  /// \par Example
  /// \code
  /// math.IsUniCodeString((char*)"UniCode(65,)");  // -> 1
  /// math.IsUniCodeString((char*)"unicode(65,)");  // -> 0
  /// \endcode
  long IsUniCodeString(char* text);

  /// Tells whether a narrow text holds a byte of 0x80 or above.
  /// \param text The text.
  /// \return 1 when it does; 0 otherwise, and for an empty or null text.
  ///
  /// \par Example
  /// \code
  /// math.ContainUnicodeChar((char*)"abc");  // -> 0
  /// math.ContainUnicodeChar((char*)"caf\xE9");  // -> 1
  /// \endcode
  long ContainUnicodeChar(char* text);
  /// @}

  /// \defgroup identifiers Control identifiers and character classes
  /// Checking the identifiers of the host applications' controls, converting old
  /// identifiers to the new form, and telling which kinds of characters a text holds.
  ///
  /// A control identifier is two ASCII letters (either case) followed by decimal digits:
  ///
  /// | Form | Length | Layout | Result of IsValidControlID |
  /// |---|---|---|---|
  /// | old | 5 | 2 letters, 3 digits (000 to 999) | 1 |
  /// | new | 6 | 2 letters, 4 digits (0000 to 9999) | 2 |
  /// | long (narrow texts only) | 7 | 2 letters, 5 digits, 10001 to 99999 | 3 |
  ///
  /// Any other text is not an identifier (0). The prefix is not compared with any list of
  /// control kinds, and only ASCII letters and digits count.
  /// @{

  /// Tells whether a text is a control identifier, and of which form.
  /// \param identifier The text.
  /// \return 0 when it is not an identifier (also for a null text, and after the catch-error
  ///   report); 1 for the old form, 2 for the new form, 3 for the long form.
  ///
  /// \par Example
  /// \code
  /// math.IsValidControlID((char*)"AB123");  // -> 1
  /// math.IsValidControlID((char*)"Zz9999");  // -> 2
  /// math.IsValidControlID((char*)"AB10001");  // -> 3
  /// math.IsValidControlID((char*)"AB12C");  // -> 0
  /// \endcode
  long IsValidControlID(char* identifier);
  /// Tells whether a 16-bit text is a control identifier of the old or the new form; the
  /// 16-bit flavours know no long form, so a seven-unit text gives 0.
  /// \param identifier The text.
  /// \return 0 when it is not an identifier (also for a null text, and after the catch-error
  ///   report); 1 for the old form, 2 for the new form.
  ///
  /// \par Example
  /// \code
  /// unsigned short identifier[] = {'A', 'B', '0', '1', '2', '3', 0};
  /// math.IsValidControlID(identifier);  // -> 2
  /// \endcode
  long IsValidControlID(unsigned short* identifier);
  /// \copydoc IsValidControlID(unsigned short*)
  long IsValidControlID(wchar_t* identifier);

  /// Converts an identifier of the old five-character form to the new six-character form in
  /// place ("AB123" becomes "AB0123"). Only the length is looked at: any five-character text
  /// keeps its first two characters and gets the number its last three read as, in four
  /// digits ("ABxyz" becomes "AB0000", "AB-12" becomes "AB-012"); a text of any other length
  /// is left as it is.
  /// \param identifier The text, changed in place; its buffer holds at least
  ///   #CORVIXMATH_CONTROL_ID_BYTES bytes, and nothing beyond them is written. A null text is
  ///   left alone.
  ///
  /// \par Example
  /// \code
  /// char identifier[CORVIXMATH_CONTROL_ID_BYTES] = "AB123";
  /// math.CheckControlIDAndConvertToNewVersion(identifier);
  /// // identifier is "AB0123"
  /// \endcode
  void CheckControlIDAndConvertToNewVersion(char* identifier);

  /// Tells which classes of characters a narrow text holds: the bitwise OR of the class bits
  /// of all its bytes.
  ///
  /// - 0x1: upper-case letters A to Z;
  /// - 0x2: lower-case letters a to z;
  /// - 0x4: digits 0 to 9;
  /// - 0x8: parentheses ( );
  /// - 0x10: arithmetic signs * / - +;
  /// - 0x20: the full stop;
  /// - 0x40: the underscore;
  /// - 0x80: comparison signs < > =;
  /// - 0x100: the 32 Persian letters of code page 1256 (0xC7 0xC8 0x81 0xCA 0xCB 0xCC 0x8D
  ///   0xCD 0xCE 0xCF 0xD0 0xD1 0xD2 0x8E 0xD3 0xD4 0xD5 0xD6 0xD8 0xD9 0xDA 0xDB 0xDD 0xDE
  ///   0x98 0x90 0xE1 0xE3 0xE4 0xE6 0xE5 0xED), seven further Arabic-script characters (0xC2
  ///   0xC3 0xC4 0xC6 0xC1 0xC9 0xDC), the punctuation 0xA1 0xBA 0xBF 0xAB 0xBB, and the ASCII
  ///   comma and question mark;
  /// - 0x200: other ASCII punctuation ! ~ ` @ # $ % ^ & ; : and the vertical bar;
  /// - 0x10000000: every other byte: blank, quotes, brackets, braces, backslash, control
  ///   characters, and the other bytes from 0x80.
  ///
  /// \param text The text.
  /// \return The class bits; 0 for an empty or null text.
  ///
  /// \par Example
  /// \code
  /// math.IsAlphaNumeric((char*)"Ab_1");  // -> 0x47
  /// math.IsAlphaNumeric((char*)"x+y");  // -> 0x12
  /// math.IsAlphaNumeric((char*)"a b");  // -> 0x10000002
  /// \endcode
  long IsAlphaNumeric(char* text);
  /// @}

  /// \defgroup formulas Formula checker
  /// Checking the formulas that users type, with a result code and an English message the
  /// host can show.
  ///
  /// A formula is made of variables (runs of one to three ASCII letters, case-sensitive),
  /// unsigned decimal numbers (a "." only between two digits), parentheses, the seven infix
  /// signs `+ * / < > & |`, the two prefix signs `-` and `!` (at the start, after an infix
  /// sign, or between operands), and the underscore, which separates letter runs. Blanks are
  /// ignored. The checker does not parse the formula into a tree or evaluate it: it runs a
  /// fixed series of local tests, and the first that fails decides the result. A formula that
  /// passes them all is accepted even where a full grammar would object ("a(b)", "(a+)").
  ///
  /// The tests, in the order they run:
  ///
  /// 1. Parentheses: -20 for a ")" without its "(" ("Closing parenthesis without opening
  ///    parenthesis was found"); -21 for a "(" still open at the end ("Some parenthesis are
  ///    still not closed").
  /// 2. Characters: -29 for a character outside the formula's set: tab, "=", ",", quotes,
  ///    brackets, bytes from 0x80 ("Invalid Character detected.").
  /// 3. Letters and digits: -28 for a letter directly followed by a digit ("Variable followed
  ///    by Numeric Value "); -22 for a digit directly followed by a letter ("Numeric Value
  ///    followed by Variable ").
  /// 4. First character: -25 for an infix sign first ("Regular Expression could not start whit
  ///    this sign.").
  /// 5. Last character: -27 for any of the nine signs last ("Right side should have a
  ///    value.").
  /// 6. Variable length: -30 for a run of four or more letters ("Variable Len should be less
  ///    than 4 characters.").
  /// 7. Signs and points: -23 for an infix sign followed by an infix sign, or a prefix sign
  ///    followed by any sign, so "a++b", "a-+b", "&&" and "<>" fail while "a+-b" and "a*!b"
  ///    pass ("Two Adjacent sign detected."); -24 for a "." not between two digits ("Floating
  ///    point could onlu be used in numeric values.").
  /// 8. Variables: -26 for a variable whose name is not in the list ("Undefined variable").
  ///
  /// The messages are the ones host applications have always shown, spelling included; the
  /// -22 and -28 messages end in a blank. The longest has 57 characters.
  /// @{

  /// Checks a formula and, when it fails, writes the reason.
  /// \param expression The formula; checked whole, whatever its length, and never changed.
  ///   An empty formula, or one of blanks only, is accepted; a null formula reads as an empty
  ///   one.
  /// \param message Receives the message of the failing test (table above); assumed to hold
  ///   #CORVIXMATH_MESSAGE_BYTES bytes. Untouched when the formula is accepted. May be null.
  /// \param variables The defined variables, each name between number signs
  ///   ("#a#b#abc#"; neighbours may share a "#"). Null skips the variable test.
  /// \return 1 when the formula is accepted; otherwise the code of the first failing test,
  ///   -20 to -30.
  ///
  /// \par Example
  /// \code
  /// char message[CORVIXMATH_MESSAGE_BYTES] = "";
  /// math.VerifyRegExpString((char*)"(a+b)*2.5-c", message, (char*)"#a#b#c#");  // -> 1
  /// math.VerifyRegExpString((char*)"a+*b", message, (char*)"#a#b#");  // -> -23
  /// // message is "Two Adjacent sign detected."
  /// math.VerifyRegExpString((char*)"a+d", message, (char*)"#a#b#");  // -> -26
  /// // message is "Undefined variable"
  /// \endcode
  long VerifyRegExpString(char* expression, char* message, char* variables);
  /// @}

  /// \defgroup vocabulary Vocabulary: data types, control kinds, value formats, scales
  /// The product's fixed names and their codes.
  ///
  /// Type codes (one byte) name a data type or a control kind; the two share one code space.
  /// DataTypeStringToIndex reads data type names, the Modbus register types included, in
  /// any letter case; cpModelTOucModel reads data type and control kind names with exact
  /// case and knows two synonyms; ucModelTOcpModel writes the names back.
  ///
  /// | Code | Meaning | DataTypeStringToIndex | cpModelTOucModel | ucModelTOcpModel |
  /// |---|---|---|---|---|
  /// | 2 | 16-bit signed | SHORT | SHORT | SHORT |
  /// | 3 | 32-bit signed | LONG | LONG, COLOR | LONG |
  /// | 4 | float | FLOAT | FLOAT | FLOAT |
  /// | 5 | double | DOUBLE | DOUBLE | DOUBLE |
  /// | 8 | text |  | CHARP, STRING | CHARP |
  /// | 11 | boolean | BOOL | BOOL | BOOL |
  /// | 16 | 8-bit signed | CHAR | CHAR | CHAR |
  /// | 17 | 8-bit unsigned | UCHAR | UCHAR | UCHAR |
  /// | 18 | 16-bit unsigned | USHORT | USHORT | USHORT |
  /// | 19 | 32-bit unsigned | ULONG | ULONG | ULONG |
  /// | 101 | bit | BIT | BIT | BIT |
  /// | 105 | colour |  |  | COLOR |
  /// | 106 | Modbus 16-bit signed | INT16_MODBUS |  | NoData |
  /// | 107 | Modbus 16-bit unsigned | UINT16_MODBUS |  | NoData |
  /// | 108 | Modbus 32-bit signed | INT32_MODBUS |  | NoData |
  /// | 109 | Modbus 32-bit unsigned | UINT32_MODBUS |  | NoData |
  /// | 110 | Modbus float | FLOAT_MODBUS |  | NoData |
  /// | 111 | Modbus double | DOUBLE_MODBUS |  | NoData |
  /// | 112 | label |  | LABEL | LABEL |
  /// | 113 | value box |  | VALUEBOX | VALUEBOX |
  /// | 114 | frame |  | FRAME | FRAME |
  /// | 116 | bar diagram |  | BARDIAGRAM | BARDIAGRAM |
  /// | 117 | edit box |  | EDITBOX | EDITBOX |
  /// | 118 | info box |  | INFOBOX | INFOBOX |
  /// | 119 | push button |  | PUSHBUTTON | PUSHBUTTON |
  /// | 120 | line diagram |  | LINEDIAGRAM | LINEDIAGRAM |
  /// | 121 | vector diagram |  | VECTORDIAGRAM | VECTORDIAGRAM |
  /// | other |  | gives 0 | gives 255 | NoData |
  ///
  /// Value formats: 0 "Simple", 1 "Eng", 2 "Scirntific" (spelt so; "Scientific" is unknown),
  /// 3 "Enum". Scales: 0 "Hide", 1 "Auto", 2 "Unity", 3 "Kilo", 4 "Mega", 5 "Giga", 6 "Tera",
  /// the scale modes DoubleToEngString takes.
  /// @{

  /// Reads a data type name (any letter case) as its type code.
  /// \param name The name: BOOL, CHAR, BIT, SHORT, LONG, UCHAR, USHORT, ULONG, FLOAT, DOUBLE
  ///   or one of the six Modbus names.
  /// \return The type code (table above); 0 for any other text, a null one included.
  ///
  /// \par Example
  /// \code
  /// math.DataTypeStringToIndex((char*)"long");  // -> 3
  /// math.DataTypeStringToIndex((char*)"INT16_MODBUS");  // -> 106
  /// math.DataTypeStringToIndex((char*)"COLOR");  // -> 0
  /// \endcode
  unsigned char DataTypeStringToIndex(char* name);

  /// Reads a data type or control kind name (exact case) as its type code.
  /// \param name The name (table above), compared byte for byte.
  /// \return The type code; 255 for any other text, a null one included.
  ///
  /// \par Example
  /// \code
  /// math.cpModelTOucModel((char*)"VALUEBOX");  // -> 113
  /// math.cpModelTOucModel((char*)"COLOR");  // -> 3
  /// math.cpModelTOucModel((char*)"long");  // -> 255
  /// \endcode
  unsigned char cpModelTOucModel(char* name);

  /// Writes the name of a type code.
  /// \param code The type code.
  /// \param name Receives the name (table above), or "NoData" for a code that names nothing;
  ///   assumed to hold #CORVIXMATH_NAME_BYTES bytes. Every name fits. A null buffer is not
  ///   written.
  ///
  /// \par Example
  /// \code
  /// char name[CORVIXMATH_NAME_BYTES];
  /// math.ucModelTOcpModel(8, name);
  /// // name is "CHARP"
  /// math.ucModelTOcpModel(106, name);
  /// // name is "NoData"
  /// \endcode
  void ucModelTOcpModel(unsigned char code, char* name);

  /// Reads a value format name (any letter case) as its index.
  /// \param name The name: Simple, Eng, Scirntific or Enum.
  /// \return 0 to 3; 255 for any other text, a null one included.
  ///
  /// \par Example
  /// \code
  /// math.NumericValueStringToIndex((char*)"ENG");  // -> 1
  /// math.NumericValueStringToIndex((char*)"Scientific");  // -> 255
  /// \endcode
  unsigned char NumericValueStringToIndex(char* name);

  /// Writes the name of a scale index.
  /// \param name Receives the name, cut to `capacity` - 1 characters; untouched for an index
  ///   outside 0 to 6, a null buffer or a capacity of 0.
  /// \param index The scale index, 0 to 6; only its 32-bit value counts.
  /// \param capacity The size of `name` in bytes, terminator included.
  ///
  /// \par Example
  /// \code
  /// char name[8];
  /// math.ScaleIndex2String(name, 3, sizeof name);
  /// // name is "Kilo"
  /// math.ScaleIndex2String(name, 7, sizeof name);
  /// // name is "Kilo"
  /// \endcode
  void ScaleIndex2String(char* name, long index, unsigned int capacity);

  /// Reads a scale name (any letter case) as its index, the scale mode of DoubleToEngString.
  /// \param name The name: Hide, Auto, Unity, Kilo, Mega, Giga or Tera.
  /// \return 0 to 6; #CORVIXMATH_NOT_FOUND (-1) for any other text, a null one included.
  ///
  /// \par Example
  /// \code
  /// math.ScaleString2Index((char*)"kilo");  // -> 3
  /// math.ScaleString2Index((char*)"Milli");  // -> -1
  /// \endcode
  long ScaleString2Index(char* name);
  /// @}

  /// \defgroup fonts Font descriptors
  /// The one-line font descriptor "Face,Size,Colour,Style" taken apart.
  ///
  /// The face is the text before the first comma (at most #CORVIXMATH_FACE_BYTES - 1
  /// characters), the size a decimal number cut to 8 bits, the colour a decimal number or "#"
  /// followed by hexadecimal digits, and the style the text after the third comma (further
  /// commas included), searched with exact case for "BoldItalic" (3), then "Bold" (1), then
  /// "Italic" (2); none of them gives 0.
  /// @{

  /// Splits a font descriptor into face, size, colour and style. Each output is written only
  /// when the descriptor reaches its field, so preset the outputs with defaults: with no
  /// comma nothing is written, with one comma only the face.
  /// \param descriptor The descriptor; its first #CORVIXMATH_FORMAT_UNITS - 1 characters
  ///   take part. Not changed.
  /// \param face Receives the face name, cut to #CORVIXMATH_FACE_BYTES - 1 characters; holds
  ///   #CORVIXMATH_FACE_BYTES bytes.
  /// \param size Receives the size: the number before the second comma, read as a decimal
  ///   integer (0 for no digits) and cut to its low 8 bits (300 gives 44, -1 gives 255).
  /// \param colour Receives the colour: with a "#" first, the hexadecimal value of the field
  ///   (as HexStringToDecimal reads it); otherwise its decimal value. It is the 32-bit value:
  ///   "#FFFFFFFF" and "-1" give 0xFFFFFFFF even where `unsigned long` is 64 bits.
  /// \param style Receives the style code 0 to 3; 0 when the descriptor has no third comma.
  ///   May be null.
  ///
  /// Null outputs are skipped.
  ///
  /// \par Example
  /// \code
  /// char face[CORVIXMATH_FACE_BYTES];
  /// unsigned char size = 0;
  /// unsigned long colour = 0;
  /// unsigned char style = 0;
  /// char descriptor[] = "Tahoma,12,#FF8000,BoldItalic";
  /// math.DecodeFontString(descriptor, face, &size, &colour, &style);
  /// // face is "Tahoma"
  /// // size is 12
  /// // colour is 0xFF8000
  /// // style is 3
  /// \endcode
  void DecodeFontString(char* descriptor, char* face, unsigned char* size, unsigned long* colour,
                        unsigned char* style);
  /// @}

  /// \defgroup events Event strings
  /// Event and data-source texts of the form "Name(param,param,...)".
  ///
  /// The name is the text before the first "("; the parameters follow it, separated by ","
  /// and closed by ")". Parameters are taken as they stand: no blanks are removed, and there
  /// is no quoting or nesting. They are numbered from 1. A text is a complex data source when
  /// it holds a "(" anywhere. Names and parameter lists of #CORVIXMATH_NAME_BYTES characters
  /// or more are cut to their first #CORVIXMATH_NAME_BYTES - 1.
  /// @{

  /// Tells the event type of an event string by its name.
  /// \param event The event string or a bare name.
  /// \return 1 when the name is "ShowLinearDiagram" in any letter case; -1 for any other name.
  ///
  /// \par Example
  /// \code
  /// math.CheckEventType((char*)"showlineardiagram(3,4)");  // -> 1
  /// math.CheckEventType((char*)"ShowLinearDiagram (3)");  // -> -1
  /// \endcode
  long CheckEventType(char* event);

  /// Tells a data source with a parameter list from a plain one.
  /// \param source The data source text.
  /// \return true when it holds a "("; false otherwise, and for an empty or null text.
  ///
  /// \par Example
  /// \code
  /// math.IsComplexDataSource((char*)"Avg(Tag1)");  // -> true
  /// math.IsComplexDataSource((char*)"Tag1");  // -> false
  /// \endcode
  bool IsComplexDataSource(char* source);

  /// Copies the whole parameter list: the text between the first "(" and the last ")".
  /// \param event The event string.
  /// \param destination Receives the list; holds the text after the first "(" with its
  ///   terminator (at most #CORVIXMATH_TEXT_UNITS bytes). With no ")" after the "(", the text
  ///   after the "(" is written unchanged; an empty text leaves the destination untouched.
  ///
  /// \par Example
  /// \code
  /// char list[CORVIXMATH_NAME_BYTES];
  /// math.GetCompleteParamList((char*)"Trend(Tag1,Tag2,60)", list);
  /// // list is "Tag1,Tag2,60"
  /// \endcode
  void GetCompleteParamList(char* event, char* destination);

  /// Copies one parameter of an event string. A number beyond the last parameter gives the
  /// last one, and a number of 1 or less the first.
  /// \param event The event string; the list after its first "(" is read up to its first
  ///   #CORVIXMATH_NAME_BYTES - 1 characters.
  /// \param destination Receives the parameter; `capacity` bytes. Untouched when the result is
  ///   false, and for an empty list ("F(").
  /// \param number The parameter wanted, from 1; only its 32-bit value counts.
  /// \param capacity The size of `destination` in bytes, terminator included.
  /// \return true when the parameter was written (or the list is empty); false when the text
  ///   has no "(", or the parameter does not fit `capacity` bytes with its terminator.
  ///
  /// \par Example
  /// \code
  /// char parameter[16];
  /// math.GetEventParameters((char*)"Trend(Tag1,Tag2,60)", parameter, 2, 16);  // -> true
  /// // parameter is "Tag2"
  /// math.GetEventParameters((char*)"F(abcdef)", parameter, 1, 6);  // -> false
  /// // parameter is "Tag2"
  /// \endcode
  bool GetEventParameters(char* event, char* destination, long number, unsigned int capacity);
  /// @}

  /// \defgroup devices Device models and component names
  /// Fixed tables of the device models and of the product's software components.
  ///
  /// A device model number gives four derived numbers, one member each; a model missing from
  /// the table gives the value meaning "none" in every column:
  ///
  /// | Model | Tavlin data type | Data structure type | Iam code | Device class |
  /// |---|---|---|---|---|
  /// | 102 | 0 | 1 | 12 | 1 |
  /// | 103 | 1 | 1 | 13 | 1 |
  /// | 104 | 2 | 1 | 17 | 3 |
  /// | 106 | 255 | 0 | 0 | 5 |
  /// | 107 | 3 | 1 | 18 | 2 |
  /// | 108 | 255 | 0 | 19 | 4 |
  /// | 109 | 4 | 4 | 35 | 1 |
  /// | 110 | 5 | 50 | 38 | 1 |
  /// | 111 | 25 | 4 | 39 | 2 |
  /// | 112 | 26 | 50 | 40 | 2 |
  /// | 113 | 27 | 0 | 0 | 1 |
  /// | 114 | 28 | 0 | 0 | 2 |
  /// | 115 | 29 | 0 | 0 | 0 |
  /// | 118 | 33 | 0 | 0 | 1 |
  /// | 119 | 34 | 0 | 0 | 2 |
  /// | 201 | 6 | 0 | 6 | 6 |
  /// | 203 | 7 | 0 | 7 | 6 |
  /// | 204 | 8 | 0 | 8 | 6 |
  /// | 205 | 9 | 0 | 9 | 6 |
  /// | 206 | 10 | 0 | 10 | 6 |
  /// | 207 | 11 | 0 | 11 | 6 |
  /// | 208 | 12 | 0 | 24 | 6 |
  /// | 209 | 13 | 0 | 25 | 6 |
  /// | 210 | 14 | 0 | 26 | 6 |
  /// | 211 | 15 | 0 | 31 | 6 |
  /// | 212 | 31 | 0 | 41 | 6 |
  /// | 213 | 32 | 0 | 42 | 6 |
  /// | 214 | 35 | 0 | 43 | 6 |
  /// | 301 | 16 | 0 | 16 | 1 |
  /// | 302 | 17 | 0 | 22 | 2 |
  /// | 305 | 20 | 2 | 14 | 1 |
  /// | 306 | 21 | 2 | 20 | 2 |
  /// | 401 | 24 | 0 | 0 | 6 |
  /// | any other | 255 (none) | 0 (none) | 0 (none) | 0 (unknown) |
  /// @{

  /// Gives the Tavlin data type of a device model.
  /// \param model The device model number.
  /// \return 0 to 35 (table above); 255 when the model has none.
  ///
  /// \par Example
  /// \code
  /// math.CorvixDeviceModelToTavlinDataType(305);  // -> 20
  /// math.CorvixDeviceModelToTavlinDataType(106);  // -> 255
  /// \endcode
  unsigned char CorvixDeviceModelToTavlinDataType(unsigned short model);

  /// Gives the data structure type of a device model.
  /// \param model The device model number.
  /// \return 1, 2, 4 or 50 (table above); 0 when the model has none.
  ///
  /// \par Example
  /// \code
  /// math.CorvixDeviceModelToDataStructureType(305);  // -> 2
  /// \endcode
  unsigned char CorvixDeviceModelToDataStructureType(unsigned short model);

  /// Gives the Iam code of a device model.
  /// \param model The device model number.
  /// \return The code (table above); 0 when the model has none.
  ///
  /// \par Example
  /// \code
  /// math.ModelToIam(305);  // -> 14
  /// math.ModelToIam(401);  // -> 0
  /// \endcode
  long ModelToIam(unsigned short model);

  /// Gives the device class of a device model.
  /// \param model The device model number.
  /// \return 1 to 6 (table above); 0 when the model is unknown.
  ///
  /// \par Example
  /// \code
  /// math.WhatIsThis(305);  // -> 1
  /// math.WhatIsThis(401);  // -> 6
  /// \endcode
  unsigned char WhatIsThis(unsigned short model);

  /// Writes the name of a software component: 1000 "Tresk", 1001 "SettingManager", 1002
  /// "OPCServer", 1003 "GPRSClient", 1004 "WatchDog", 1005 "GPRSServer".
  /// \param computerId The component's computer id.
  /// \param name Receives the name; assumed to hold #CORVIXMATH_NAME_BYTES bytes, and every
  ///   name fits. Untouched for any other id, so fill it first where a text is needed.
  ///
  /// \par Example
  /// \code
  /// char name[CORVIXMATH_NAME_BYTES] = "unknown";
  /// math.ComputerIdToString(1001, name);
  /// // name is "SettingManager"
  /// math.ComputerIdToString(999, name);
  /// // name is "SettingManager"
  /// \endcode
  void ComputerIdToString(int computerId, char* name);
  /// @}

  /// \defgroup readwords Read words
  /// The packed 32-bit word of a read request and of its result state, and a search in a list
  /// of numbers.
  ///
  /// Layout of a read word, from the least significant bit (the selector names the field for
  /// ExtractFromReadRequest):
  ///
  /// | Bits | Field | Selector | Packed from | Range |
  /// |---|---|---|---|---|
  /// | 0 | flag | 4 | `flag` | 0 or 1 |
  /// | 1 to 3 | first | 0 | `first` | 0 to 7 |
  /// | 4 to 6 | third | 2 | `third` | 0 to 7 |
  /// | 7 to 11 | second | 1 | `second` | 0 to 31 |
  /// | 12 to 15 | always 0 | | | |
  /// | 16 to 31 | letter code, 16-bit signed | 3 | `letter` | -128 to 127 |
  ///
  /// Letter codes: "A" to "Z" give 0 to 25, "a" to "z" give 26 to 51, any other character its
  /// own value as a signed 8-bit number (so "0", 48, shares its code with "w"). A negative
  /// code makes the whole word negative. Words are 32-bit values, sign-extended where `long`
  /// is wider, and only the low 32 bits of a `long` argument count.
  /// @{

  /// Packs five values into a read word. Values are cut to their field's width (9 gives a
  /// first field of 1). The missing-value marker #CORVIXMATH_MISSING_VALUE (-999) has fixed
  /// meanings: as `second` it gives the second field 15 and forces the flag to 1; as `third`
  /// it gives 1; as `flag` it gives 1; as `first` it is masked like any number.
  /// \param first The first field, 0 to 7.
  /// \param second The second field, 0 to 31, or -999.
  /// \param third The third field, 0 to 7, or -999.
  /// \param letter The character of the letter field.
  /// \param flag The flag: its lowest bit, or -999 for 1.
  /// \return The read word.
  ///
  /// \par Example
  /// \code
  /// math.BuildReadResultState(5, -999, -999, 'C', 0);  // -> 0x2079B
  /// math.BuildReadResultState(1, 2, 3, 'b', -999);  // -> 0x1B0133
  /// \endcode
  long BuildReadResultState(long first, long second, long third, char letter, long flag);

  /// Takes one field out of a read word.
  /// \param selector 0 first, 1 second, 2 third, 3 letter code, 4 flag.
  /// \param word The read word.
  /// \return The field, 0 or more, except the letter code, which is sign-extended (-128 to
  ///   127 for words BuildReadResultState makes); #CORVIXMATH_MISSING_VALUE (-999) for any
  ///   other selector.
  ///
  /// \par Example
  /// \code
  /// math.ExtractFromReadRequest(1, 0x2079B);  // -> 15
  /// math.ExtractFromReadRequest(3, 0x2079B);  // -> 2
  /// math.ExtractFromReadRequest(5, 0x2079B);  // -> -999
  /// \endcode
  long ExtractFromReadRequest(long selector, long word);

  /// Finds a number in a list.
  /// \param value The number sought; compared by its 32-bit value.
  /// \param list The list; holds at least `count` numbers. Not read when `count` is 0 or
  ///   less, and may then be null.
  /// \param count The number of elements searched.
  /// \return The index of the first equal element; #CORVIXMATH_NOT_FOUND (-1) when none is
  ///   equal or `count` is 0 or less.
  ///
  /// \par Example
  /// \code
  /// long list[] = {7, 42, 42};
  /// math.LongExistInList(42, list, 3);  // -> 1
  /// math.LongExistInList(5, list, 3);  // -> -1
  /// \endcode
  long LongExistInList(long value, long* list, long count);
  /// @}

  /// \defgroup checks Number, address and port checks
  /// Validating the texts that hosts take as numbers, IPv4 addresses and ports.
  ///
  /// The number form code of IsDigit tells what a number has: code = 1, plus 4 with a
  /// decimal point, plus 2 without a scale letter, plus 1 without a sign.
  ///
  /// | Code | Sign | Point | Scale letter | Example |
  /// |---|---|---|---|---|
  /// | 0 | not a number | | | "1.2.3" |
  /// | 1 | yes | no | yes | "-12K" |
  /// | 2 | no | no | yes | "12K" |
  /// | 3 | yes | no | no | "-12" |
  /// | 4 | no | no | no | "12" |
  /// | 5 | yes | yes | yes | "-1.5M" |
  /// | 6 | no | yes | yes | "3.K" |
  /// | 7 | yes | yes | no | "-12.5" |
  /// | 8 | no | yes | no | "12.5" |
  ///
  /// A number, after its leading and trailing blanks are removed, is a non-empty text with an
  /// optional "+" or "-" first, digits, at most one ".", and one scale letter (G K M T g k m t)
  /// only last. No digit is required ("+", "." and "K" are numbers). Only the blank (0x20) is
  /// removed: a tab makes the text not a number. Code 4 is the only form taken as a port.
  ///
  /// The address check is loose on purpose, since stored configurations hold such texts: the
  /// fields before the last are read as numbers up to their first other character (letters or
  /// nothing read as 0), and only the last field must be a number. Every field lies within 0
  /// to 254; 255 is refused in every position. Its codes are named in CorvixLimits.h:
  /// #CORVIXMATH_ADDRESS_VALID 1, #CORVIXMATH_ADDRESS_NO_DOT 10,
  /// #CORVIXMATH_ADDRESS_FIELD_ABOVE_254 11, #CORVIXMATH_ADDRESS_FIELD_NEGATIVE 12,
  /// #CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS 13, #CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER 14.
  /// @{

  /// Tells whether a narrow text is a number, and of which form. Removes the text's leading
  /// and trailing blanks in place.
  /// \param text The text, changed in place.
  /// \return The number form code 1 to 8 (table above); 0 when it is not a number, for an
  ///   empty text or one of blanks only (which becomes empty), and for a null text.
  ///
  /// \par Example
  /// \code
  /// char text[] = "  -12.5  ";
  /// math.IsDigit(text);  // -> 7
  /// // text is "-12.5"
  /// math.IsDigit((char*)"1e5");  // -> 0
  /// \endcode
  long IsDigit(char* text);
  /// Tells whether a 16-bit text is a number, and of which form; only the ASCII characters
  /// of the number syntax take part. Removes the text's leading and trailing blanks in place,
  /// except in a text of #CORVIXMATH_FORMAT_UNITS units or more, which is then not a number.
  /// \param text The unit string, changed in place.
  /// \return The number form code 1 to 8 (table above); 0 when it is not a number, and after
  ///   the catch-error report.
  ///
  /// \par Example
  /// \code
  /// unsigned short text[] = {' ', '8', '0', 0};
  /// math.IsDigit(text);  // -> 4
  /// // text is "80"
  /// \endcode
  long IsDigit(unsigned short* text);

  /// Checks a dotted IPv4 address. The whole text takes part, however long; the checks run
  /// field by field from the left, and the first failing field decides the code ("300.1"
  /// gives 11 before the number of fields is looked at).
  /// \param address The text.
  /// \return #CORVIXMATH_ADDRESS_VALID (1) for a valid address; otherwise
  ///   #CORVIXMATH_ADDRESS_NO_DOT (10) for a text without "." (an empty one included),
  ///   #CORVIXMATH_ADDRESS_FIELD_ABOVE_254 (11), #CORVIXMATH_ADDRESS_FIELD_NEGATIVE (12),
  ///   #CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS (13) when there are not exactly four fields, or
  ///   #CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER (14) when the last field is empty or not a
  ///   number.
  ///
  /// \par Example
  /// \code
  /// math.IsValidIPString((char*)"192.168.1.20");  // -> 1
  /// math.IsValidIPString((char*)"1.2.3.255");  // -> 11
  /// math.IsValidIPString((char*)"1.2.3");  // -> 13
  /// math.IsValidIPString((char*)"a.b.c.1");  // -> 1
  /// \endcode
  long IsValidIPString(char* address);

  /// Checks an "address:port" text and gives its two parts. The steps run in order: the text
  /// is cut at its first ":"; the port part is checked as IsDigit checks it, which removes
  /// the blanks around the port in the caller's text itself ("1.2.3.4: 80 " becomes
  /// "1.2.3.4:80"); then the whole address part is checked as IsValidIPString checks it. A
  /// second ":" makes the port part not a number.
  /// \param text The text, changed in place as described.
  /// \param address Receives the address part when the result is 1; holds
  ///   #CORVIXMATH_ADDRESS_BYTES bytes. May be null.
  /// \param port Receives the port, 0 to 65535, when the result is 1. May be null.
  /// \return 1 when the text is valid and the outputs are written. Otherwise the outputs are
  ///   untouched, and the result is: 0 for a text without ":", a port part that is not a
  ///   number (an empty one included), a port above 65535, or a port part of
  ///   #CORVIXMATH_FIELD_UNITS characters or more; -1 to -8 (the negated number form code)
  ///   for a port that is a number but not a plain unsigned integer ("-80" and "+80" give
  ///   -3, "8.5" gives -8, "80K" gives -2); -10 to -14 (the negated address code) for a
  ///   valid port with an invalid address part; and CORVIXMATH_ADDRESS_PART_TOO_LONG (-15,
  ///   in CorvixLimits.h, after the negated address codes) for an address part that passes
  ///   the address check but does not fit #CORVIXMATH_ADDRESS_BYTES bytes with its terminator
  ///   ("0001.002.003.004:80").
  ///
  /// \par Example
  /// \code
  /// char text[] = "192.168.1.20: 502 ";
  /// char address[CORVIXMATH_ADDRESS_BYTES];
  /// unsigned short port = 0;
  /// math.IsValidIpAndPortString(text, address, &port);  // -> 1
  /// // address is "192.168.1.20"
  /// // port is 502
  /// // text is "192.168.1.20:502"
  /// math.IsValidIpAndPortString((char*)"1.2.3:80", address, &port);  // -> -13
  /// \endcode
  long IsValidIpAndPortString(char* text, char* address, unsigned short* port);
  /// @}

  /// \defgroup statistics Statistics and time windows
  /// Reducing samples: one array to its minimum, maximum, average and spread, and up to
  /// #CORVIXMATH_MAX_SERIES time-stamped series of one day to one point per time window.
  ///
  /// All arithmetic is in `double`, in the order stated, and the library is built without
  /// fused multiply-add, so every platform gives the same doubles to the last bit.
  /// @{

  /// Gives the minimum, maximum, average and spread of an array of values.
  ///
  /// The spread is sqrt(sum((v - average)^2)) / n, the square root of the sum of squared
  /// deviations divided by the count (not the standard deviation): 1, 2, 3, 4 give sqrt(5) /
  /// 4, about 0.559. A not-a-number value takes no part in the minimum and maximum but makes
  /// the average and spread not-a-number. Hosts read a minimum of 1e14 and a maximum of -1e14
  /// (CORVIXMATH_STATS_NO_DATA_MINIMUM and CORVIXMATH_STATS_NO_DATA_MAXIMUM in CorvixLimits.h)
  /// as "no values": with n = 0, or only not-a-number values, those starting values are
  /// written, and with n = 0 the average and spread are not-a-number. Values beyond them are
  /// reported as they are (2e14 and 3e14 give the minimum 2e14).
  ///
  /// \param values The values; holds `count` values.
  /// \param count The number of values n.
  /// \param minimum Receives the smallest value.
  /// \param maximum Receives the largest value.
  /// \param average Receives the average.
  /// \param spread Receives the spread.
  ///
  /// \par Example
  /// \code
  /// double values[] = {1.0, 2.0, 3.0, 4.0};
  /// double low, high, average, spread;
  /// math.CalculateMinMaxAvrSD(values, 4, &low, &high, &average, &spread);
  /// // low is 1.0
  /// // high is 4.0
  /// // average is 2.5
  /// // spread is std::sqrt(5.0) / 4
  /// \endcode
  void CalculateMinMaxAvrSD(double* values, long count, double* minimum, double* maximum,
                            double* average, double* spread);
  /// The same member as CalculateMinMaxAvrSD under its second name, which earlier hosts call.
  /// \copydetails CalculateMinMaxAvrSD
  void CalculateMinMax(double* values, long count, double* minimum, double* maximum,
                       double* average, double* spread);

  /// Reduces time-stamped series of one day to one point per time window: for each window,
  /// the minimum, maximum and mean of the series' averages in it, and the window's centre.
  ///
  /// With h = width / 2 (rounded towards zero), window k covers the times t with
  /// k * step - h <= t < k * step - h + width, and its centre is k * step. Windows are taken
  /// while their upper bound is at most h + #CORVIXMATH_SECONDS_PER_DAY: for an even width the
  /// centres run 0, step, 2 * step, ... up to 86400 inclusive. In each window every series
  /// with samples there gives its average; the entry is the minimum, maximum and mean of those
  /// averages. Windows where no series has a sample give no entry: entries are packed, and the
  /// centres tell which windows they are. With step < width the windows overlap and a sample
  /// counts in each window it falls in. Times within a series are expected in ascending order;
  /// out-of-order times still end the call and write only within the outputs.
  ///
  /// \param values The value array of each series.
  /// \param times The time array of each series, in seconds of the day (0 to 86399).
  /// \param seriesCount The number of series; only the first #CORVIXMATH_MAX_SERIES take part.
  /// \param sampleCounts The sample count of each series; a series with null arrays or a
  ///   count of 0 or less has no samples.
  /// \param minimum Receives each entry's minimum.
  /// \param maximum Receives each entry's maximum.
  /// \param mean Receives each entry's mean.
  /// \param centres Receives each entry's centre time.
  /// \param width The window width in seconds, more than 0.
  /// \param step The step between window centres in seconds, more than 0.
  /// \param unused Not read.
  ///
  /// The four outputs hold one entry per window: 86400 / step + 1 entries suffice for an
  /// even width. Entries from the returned count on are not part of the result and may have
  /// been overwritten.
  ///
  /// \return The number of entries written; 0 when width or step is 0 or less, or a pointer
  ///   argument is null (nothing is then written).
  ///
  /// \par Example
  /// \code
  /// double first[] = {1.0, 3.0, 10.0, 20.0, 7.0};
  /// long firstTimes[] = {0, 100, 3600, 3700, 7300};
  /// double second[] = {5.0, 6.0};
  /// long secondTimes[] = {50, 3650};
  /// double* values[] = {first, second};
  /// long* times[] = {firstTimes, secondTimes};
  /// long counts[] = {5, 2};
  /// double lo[25], hi[25], avg[25];
  /// long at[25];
  /// math.FilterValueArray(values, times, 2, counts, lo, hi, avg, at, 3600, 3600, 0);  // -> 3
  /// // lo[1] is 6.0
  /// // hi[1] is 15.0
  /// // avg[1] is 10.5
  /// // at[1] is 3600
  /// // at[2] is 7200
  /// \endcode
  long FilterValueArray(double** values, long** times, long seriesCount, long* sampleCounts,
                        double* minimum, double* maximum, double* mean, long* centres,
                        long width, long step, long unused);
  /// @}
};

#endif  // CORVIXMATH_CMATHOPERATION_H
