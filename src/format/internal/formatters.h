// The bodies of the formatting members that other members build on: the seven-segment word
// and the price field reach them here, not through the public class.
#ifndef CORVIXMATH_FORMAT_INTERNAL_FORMATTERS_H
#define CORVIXMATH_FORMAT_INTERNAL_FORMATTERS_H

namespace corvix {
namespace format {

// DoubleToSimpleString (format/simple.cpp): 1 when the text was written, else 0.
long FormatSimple(char* destination, double value, unsigned char width, unsigned char decimals,
                  unsigned char zeroFill, const char* groupSeparator, long size);

// DoubleToEngString (format/eng.cpp): 1 when the text was written, else 0.
long FormatEngineering(char* destination, double value, const char* unit, int digits,
                       unsigned long size, unsigned char scaleMode);

// HexStringToDecimal (format/parse.cpp): the 32-bit word of the hexadecimal digits of `text`.
long HexWord(const char* text);

}  // namespace format
}  // namespace corvix

#endif  // CORVIXMATH_FORMAT_INTERNAL_FORMATTERS_H
