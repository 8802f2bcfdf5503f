// Cutting strings at a character, by a count and by a range, in the three string flavours.
#include "text/internal/extract.h"
#include "CMathOperation.h"
#include "frame/internal/guard.h"

long CMathOperation::ExtractLeftBeforeChar(char* source, char* destination, char character,
                                           long capacity) {
  return corvix::RunGuarded(corvix::guarded::kExtractLeftBeforeChar, [&]() -> long {
    return corvix::text::ExtractLeftBefore(source, destination, character, capacity);
  });
}

long CMathOperation::ExtractLeftBeforeChar(unsigned short* source, unsigned short* destination,
                                           unsigned short character, long capacity) {
  return corvix::RunGuarded(corvix::guarded::kExtractLeftBeforeCharUnits, [&]() -> long {
    return corvix::text::ExtractLeftBefore(source, destination, character, capacity);
  });
}

long CMathOperation::ExtractLeftBeforeCharW(wchar_t* source, wchar_t* destination,
                                            wchar_t character, long capacity) {
  return corvix::text::ExtractLeftBefore(source, destination, character, capacity);
}

void CMathOperation::ExtractRightAfterChar(char* source, char* destination, char character) {
  corvix::text::ExtractRightAfter(source, destination, character);
}

void CMathOperation::ExtractRightAfterChar(unsigned short* source, unsigned short* destination,
                                           unsigned short character) {
  corvix::RunGuarded(corvix::guarded::kExtractRightAfterCharUnits,
                     [&] { corvix::text::ExtractRightAfter(source, destination, character); });
}

void CMathOperation::ExtractRightAfterCharW(wchar_t* source, wchar_t* destination,
                                            wchar_t character) {
  corvix::text::ExtractRightAfter(source, destination, character);
}

void CMathOperation::ExtractLefttSide(char* source, char* destination, long count) {
  corvix::text::ExtractLeftSide(source, destination, count);
}

void CMathOperation::ExtractLefttSide(unsigned short* source, unsigned short* destination,
                                      long count) {
  corvix::text::ExtractLeftSide(source, destination, count);
}

void CMathOperation::ExtractLefttSideW(wchar_t* source, wchar_t* destination, long count) {
  corvix::text::ExtractLeftSide(source, destination, count);
}

void CMathOperation::ExtractRightSide(char* source, char* destination, long count) {
  corvix::text::ExtractRightSide(source, destination, count);
}

void CMathOperation::ExtractRightSide(unsigned short* source, unsigned short* destination,
                                      long count) {
  corvix::text::ExtractRightSide(source, destination, count);
}

void CMathOperation::ExtractRightSideW(wchar_t* source, wchar_t* destination, long count) {
  corvix::text::ExtractRightSide(source, destination, count);
}

long CMathOperation::SubString(char* source, char* destination, long start, long count) {
  return corvix::text::SubString(source, destination, start, count);
}

long CMathOperation::SubString(unsigned short* source, unsigned short* destination, long start,
                               long count) {
  return corvix::text::SubString(source, destination, start, count);
}
