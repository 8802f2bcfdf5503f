// Finding a unit or a run of units in the three string flavours.
#include "text/internal/search.h"
#include "CMathOperation.h"

long CMathOperation::FindCharposInString(char* source, char character) {
  return corvix::text::FindCharpos(source, character);
}

long CMathOperation::FindCharposInString(unsigned short* source, unsigned short character) {
  return corvix::text::FindCharpos(source, character);
}

long CMathOperation::FindCharposInStringW(wchar_t* source, wchar_t character) {
  return corvix::text::FindCharpos(source, character);
}

long CMathOperation::FindSubStringStartPos(char* source, char* substring) {
  return corvix::text::FindSubStringStart(source, substring);
}

long CMathOperation::FindSubStringStartPosW(wchar_t* source, wchar_t* substring) {
  return corvix::text::FindSubStringStart(source, substring);
}
