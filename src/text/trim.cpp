// Stripping a repeated character from either end of a string.
#include "text/internal/trim.h"
#include "CMathOperation.h"

long CMathOperation::TrimLeft(char* source, char* destination, char character,
                              unsigned int capacity) {
  return corvix::text::TrimLeading(source, destination, character, capacity);
}

long CMathOperation::TrimLeft(unsigned short* source, unsigned short* destination,
                              unsigned short character, unsigned int capacity) {
  return corvix::text::TrimLeading(source, destination, character, capacity);
}

long CMathOperation::TrimLeftW(wchar_t* source, wchar_t* destination, wchar_t character,
                               unsigned int capacity) {
  return corvix::text::TrimLeading(source, destination, character, capacity);
}

long CMathOperation::TrimRight(char* source, char* destination, char character,
                               unsigned int capacity) {
  return corvix::text::TrimTrailing(source, destination, character, capacity);
}

long CMathOperation::TrimRight(unsigned short* source, unsigned short* destination,
                               unsigned short character, unsigned int capacity) {
  return corvix::text::TrimTrailing(source, destination, character, capacity);
}

long CMathOperation::TrimRightW(wchar_t* source, wchar_t* destination, wchar_t character,
                                unsigned int capacity) {
  return corvix::text::TrimTrailing(source, destination, character, capacity);
}
