// One name per member for every string flavour it has, so that a test or a fuzz target is
// written once as a template over the unit type and runs over each flavour the member exports.
// A flavour that a member does not export does not compile.
#ifndef CORVIXMATH_TESTS_SUPPORT_FLAVOURS_H
#define CORVIXMATH_TESTS_SUPPORT_FLAVOURS_H

#include "CMathOperation.h"

namespace corvix_test {
namespace flavour {

// Search.
inline long FindChar(char* s, char c) {
  return CMathOperation().FindCharposInString(s, c);
}
inline long FindChar(unsigned short* s, unsigned short c) {
  return CMathOperation().FindCharposInString(s, c);
}
inline long FindChar(wchar_t* s, wchar_t c) {
  return CMathOperation().FindCharposInStringW(s, c);
}
inline long FindSub(char* s, char* sub) {
  return CMathOperation().FindSubStringStartPos(s, sub);
}
inline long FindSub(wchar_t* s, wchar_t* sub) {
  return CMathOperation().FindSubStringStartPosW(s, sub);
}

// Extraction.
inline long LeftBefore(char* s, char* d, char c, long capacity) {
  return CMathOperation().ExtractLeftBeforeChar(s, d, c, capacity);
}
inline long LeftBefore(unsigned short* s, unsigned short* d, unsigned short c, long capacity) {
  return CMathOperation().ExtractLeftBeforeChar(s, d, c, capacity);
}
inline long LeftBefore(wchar_t* s, wchar_t* d, wchar_t c, long capacity) {
  return CMathOperation().ExtractLeftBeforeCharW(s, d, c, capacity);
}
inline void RightAfter(char* s, char* d, char c) {
  CMathOperation().ExtractRightAfterChar(s, d, c);
}
inline void RightAfter(unsigned short* s, unsigned short* d, unsigned short c) {
  CMathOperation().ExtractRightAfterChar(s, d, c);
}
inline void RightAfter(wchar_t* s, wchar_t* d, wchar_t c) {
  CMathOperation().ExtractRightAfterCharW(s, d, c);
}
inline void LeftSide(char* s, char* d, long n) {
  CMathOperation().ExtractLefttSide(s, d, n);
}
inline void LeftSide(unsigned short* s, unsigned short* d, long n) {
  CMathOperation().ExtractLefttSide(s, d, n);
}
inline void LeftSide(wchar_t* s, wchar_t* d, long n) {
  CMathOperation().ExtractLefttSideW(s, d, n);
}
inline void RightSide(char* s, char* d, long n) {
  CMathOperation().ExtractRightSide(s, d, n);
}
inline void RightSide(unsigned short* s, unsigned short* d, long n) {
  CMathOperation().ExtractRightSide(s, d, n);
}
inline void RightSide(wchar_t* s, wchar_t* d, long n) {
  CMathOperation().ExtractRightSideW(s, d, n);
}
inline long Sub(char* s, char* d, long start, long n) {
  return CMathOperation().SubString(s, d, start, n);
}
inline long Sub(unsigned short* s, unsigned short* d, long start, long n) {
  return CMathOperation().SubString(s, d, start, n);
}

// Trimming.
inline long TrimLeft(char* s, char* d, char c, unsigned int capacity) {
  return CMathOperation().TrimLeft(s, d, c, capacity);
}
inline long TrimLeft(unsigned short* s, unsigned short* d, unsigned short c,
                     unsigned int capacity) {
  return CMathOperation().TrimLeft(s, d, c, capacity);
}
inline long TrimLeft(wchar_t* s, wchar_t* d, wchar_t c, unsigned int capacity) {
  return CMathOperation().TrimLeftW(s, d, c, capacity);
}
inline long TrimRight(char* s, char* d, char c, unsigned int capacity) {
  return CMathOperation().TrimRight(s, d, c, capacity);
}
inline long TrimRight(unsigned short* s, unsigned short* d, unsigned short c,
                      unsigned int capacity) {
  return CMathOperation().TrimRight(s, d, c, capacity);
}
inline long TrimRight(wchar_t* s, wchar_t* d, wchar_t c, unsigned int capacity) {
  return CMathOperation().TrimRightW(s, d, c, capacity);
}

// In-place editing.
template <class Unit>
void Insert(Unit* text, long position, Unit unit) {
  CMathOperation().InsertCharInCharArray(text, position, unit);
}
template <class Unit>
void RemoveChar(Unit* text, Unit unit) {
  CMathOperation().RemoveCharFromCharArray(text, unit);
}
template <class Unit>
void RemoveRange(Unit* text, int start, int count) {
  CMathOperation().RemoveFromCharArray(text, start, count);
}
template <class Unit>
void Replace(Unit* text, Unit find, Unit replacement) {
  CMathOperation().ReplaceCharInCharAaary(text, find, replacement);
}

// Paths.
template <class Unit>
long SplitPath(Unit* path, Unit* directory, Unit* name, unsigned int nameCapacity,
               unsigned int directoryCapacity) {
  return CMathOperation().ExtractPathAndName(path, directory, name, nameCapacity,
                                             directoryCapacity);
}
template <class Unit>
void ClimbPath(Unit* path, Unit* output, unsigned char levels) {
  CMathOperation().RemoveDirFromPath(path, output, levels);
}

// Identifiers and numbers.
template <class Unit>
long ControlId(Unit* identifier) {
  return CMathOperation().IsValidControlID(identifier);
}
template <class Unit>
long NumberForm(Unit* text) {
  return CMathOperation().IsDigit(text);
}

// Digit-array texts.
template <class Unit>
long Encode(Unit* source, char* destination, long capacity) {
  return CMathOperation().UnicodeStringToDigitArray(source, destination, capacity);
}
template <class Unit>
void Decode(char* text, Unit* destination, long flags) {
  CMathOperation().DigitArrayToUnicodeString(text, destination, flags);
}

}  // namespace flavour

}  // namespace corvix_test

#endif  // CORVIXMATH_TESTS_SUPPORT_FLAVOURS_H
