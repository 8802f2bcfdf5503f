// Editing a caller's string where it lies: insert, remove, replace.
#include "text/internal/edit.h"
#include "CMathOperation.h"

void CMathOperation::InsertCharInCharArray(char* text, long position, char character) {
  corvix::text::InsertUnit(text, position, character);
}

void CMathOperation::InsertCharInCharArray(unsigned short* text, long position,
                                           unsigned short character) {
  corvix::text::InsertUnit(text, position, character);
}

void CMathOperation::InsertCharInCharArray(wchar_t* text, long position, wchar_t character) {
  corvix::text::InsertUnit(text, position, character);
}

void CMathOperation::RemoveCharFromCharArray(char* text, char character) {
  corvix::text::RemoveUnit(text, character);
}

void CMathOperation::RemoveCharFromCharArray(unsigned short* text, unsigned short character) {
  corvix::text::RemoveUnit(text, character);
}

void CMathOperation::RemoveFromCharArray(char* text, int start, int count) {
  corvix::text::RemoveRange(text, start, count);
}

void CMathOperation::RemoveFromCharArray(unsigned short* text, int start, int count) {
  corvix::text::RemoveRange(text, start, count);
}

void CMathOperation::ReplaceCharInCharAaary(char* text, char find, char replacement) {
  corvix::text::ReplaceUnit(text, find, replacement);
}

void CMathOperation::ReplaceCharInCharAaary(unsigned short* text, unsigned short find,
                                            unsigned short replacement) {
  corvix::text::ReplaceUnit(text, find, replacement);
}
