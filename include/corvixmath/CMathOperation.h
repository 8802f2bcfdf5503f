// CorvixMath: the utility library of the Corvix HMI/SCADA applications.
//
// One stateless class, CMathOperation, whose members format measured values for displays,
// parse such texts back, handle narrow and 16-bit strings, validate identifiers, numbers,
// addresses and formulas, map vocabulary names to codes and reduce sample series.
//
// Conventions that hold for every member:
// - Buffers belong to the caller; members write only within the capacity they are given or
//   the fixed size their comment states, and never allocate.
// - A text that does not fit its destination with its terminator is refused: the member
//   returns its failure value and leaves the destination exactly as it was.
// - A null source reads as the empty string; a null destination is not written.
// - `long` results are the 32-bit values of the original platform, sign-extended.
// - `unsigned short*` strings are 16-bit; `wchar_t*` overloads behave unit for unit like them.
#ifndef CORVIXMATH_CMATHOPERATION_H
#define CORVIXMATH_CMATHOPERATION_H

#include "CorvixPlatform.h"

class CORVIXMATH_API CMathOperation {
 public:
  // --- Lifecycle: the class holds no data; copies and assignments copy nothing.
  CMathOperation();
  CMathOperation(const CMathOperation& other);
  virtual ~CMathOperation();
  CMathOperation& operator=(const CMathOperation& other);

  // --- Engineering notation: value, scale letter and unit ("12.34 KV"); 1 written, 0 refused.
  long DoubleToEngString(char* destination, double value, char* unit, int digits,
                         unsigned long size, unsigned char scaleMode);

  // --- Plain decimal text with width, decimals, zero fill and grouping; 1 written, 0 refused.
  long DoubleToSimpleString(char* destination, double value, unsigned char width,
                            unsigned char decimals, unsigned char zeroFill, char* groupSeparator,
                            long size);

  // --- Scientific notation, prices and fixed-length texts.
  void SientificFormat(char* destination, double value, unsigned char mantissaDecimals,
                       unsigned int size);
  void PriceToString(char* destination, double amount, unsigned int size,
                     unsigned char divisorExponent, char thousandsSeparator);
  void StandardLen(char* text, long length, char fill);

  // --- Four-digit seven-segment display word; -999 after a fault.
  long NumberTo4SevenSeg(double value, long flags);

  // --- Numbers from texts and variants.
  double EngStr2SimpleValue(char* text);
  long HexStringToDecimal(char* text);
  long double VarValueToLongDouble(struct tagVARIANT value);
  long ToLong(unsigned short* text);

  // --- Search: 0-based position of the first occurrence, or -1.
  long FindCharposInString(char* source, char character);
  long FindCharposInString(unsigned short* source, unsigned short character);
  long FindCharposInStringW(wchar_t* source, wchar_t character);
  long FindSubStringStartPos(char* source, char* substring);
  long FindSubStringStartPosW(wchar_t* source, wchar_t* substring);

  // --- Extraction at a character, by count and by range.
  long ExtractLeftBeforeChar(char* source, char* destination, char character, long capacity);
  long ExtractLeftBeforeChar(unsigned short* source, unsigned short* destination,
                             unsigned short character, long capacity);
  long ExtractLeftBeforeCharW(wchar_t* source, wchar_t* destination, wchar_t character,
                              long capacity);
  void ExtractRightAfterChar(char* source, char* destination, char character);
  void ExtractRightAfterChar(unsigned short* source, unsigned short* destination,
                             unsigned short character);
  void ExtractRightAfterCharW(wchar_t* source, wchar_t* destination, wchar_t character);
  void ExtractLefttSide(char* source, char* destination, long count);
  void ExtractLefttSide(unsigned short* source, unsigned short* destination, long count);
  void ExtractLefttSideW(wchar_t* source, wchar_t* destination, long count);
  void ExtractRightSide(char* source, char* destination, long count);
  void ExtractRightSide(unsigned short* source, unsigned short* destination, long count);
  void ExtractRightSideW(wchar_t* source, wchar_t* destination, long count);
  long SubString(char* source, char* destination, long start, long count);
  long SubString(unsigned short* source, unsigned short* destination, long start, long count);

  // --- Trimming: 1 written, 0 refused.
  long TrimLeft(char* source, char* destination, char character, unsigned int capacity);
  long TrimLeft(unsigned short* source, unsigned short* destination, unsigned short character,
                unsigned int capacity);
  long TrimLeftW(wchar_t* source, wchar_t* destination, wchar_t character,
                 unsigned int capacity);
  long TrimRight(char* source, char* destination, char character, unsigned int capacity);
  long TrimRight(unsigned short* source, unsigned short* destination, unsigned short character,
                 unsigned int capacity);
  long TrimRightW(wchar_t* source, wchar_t* destination, wchar_t character,
                  unsigned int capacity);

  // --- In-place editing.
  void InsertCharInCharArray(char* text, long position, char character);
  void InsertCharInCharArray(unsigned short* text, long position, unsigned short character);
  void InsertCharInCharArray(wchar_t* text, long position, wchar_t character);
  void RemoveCharFromCharArray(char* text, char character);
  void RemoveCharFromCharArray(unsigned short* text, unsigned short character);
  void RemoveFromCharArray(char* text, int start, int count);
  void RemoveFromCharArray(unsigned short* text, int start, int count);
  void ReplaceCharInCharAaary(char* text, char find, char replacement);
  void ReplaceCharInCharAaary(unsigned short* text, unsigned short find,
                              unsigned short replacement);

  // --- Unit-string basics.
  void Copy(unsigned short* destination, unsigned short* source, unsigned int capacity);
  long Len(unsigned short* text);
  long Compare(unsigned short* first, unsigned short* second);
  void LongToWChar(long value, unsigned short* destination, unsigned int capacity);

  // --- Windows paths: directory and name, climbing directories.
  long ExtractPathAndName(char* fullPath, char* directory, char* name, unsigned int nameCapacity,
                          unsigned int directoryCapacity);
  long ExtractPathAndName(wchar_t* fullPath, wchar_t* directory, wchar_t* name,
                          unsigned int nameCapacity, unsigned int directoryCapacity);
  void RemoveDirFromPath(char* path, char* output, unsigned char levels);
  void RemoveDirFromPath(wchar_t* path, wchar_t* output, unsigned char levels);

  // --- Narrow and 16-bit conversions and the digit-array text "UniCode(72,105,)".
  void CharArrayToWcharArray(char* source, unsigned short* destination, long flags);
  void WCharArrayToCharArray(char* destination, unsigned short* source, long flags);
  long UnicodeStringToDigitArray(char* source, char* destination, long capacity);
  long UnicodeStringToDigitArray(unsigned short* source, char* destination, long capacity);
  void DigitArrayToUnicodeString(char* digitArray, char* destination, long unused);
  void DigitArrayToUnicodeString(char* digitArray, unsigned short* destination, long flags);
  long IsUniCodeString(char* text);
  long ContainUnicodeChar(char* text);

  // --- Control identifiers and character classes: 0 invalid, else the form code.
  long IsValidControlID(char* identifier);
  long IsValidControlID(unsigned short* identifier);
  long IsValidControlID(wchar_t* identifier);
  void CheckControlIDAndConvertToNewVersion(char* identifier);
  long IsAlphaNumeric(char* text);

  // --- Expression checker: 1 valid, or -20 to -30 with an English message (512 bytes).
  long VerifyRegExpString(char* expression, char* message, char* variables);

  // --- Data type, control kind, value format and scale names.
  unsigned char DataTypeStringToIndex(char* name);
  unsigned char cpModelTOucModel(char* name);
  void ucModelTOcpModel(unsigned char code, char* name);
  unsigned char NumericValueStringToIndex(char* name);
  void ScaleIndex2String(char* name, long index, unsigned int capacity);
  long ScaleString2Index(char* name);

  // --- Font descriptors "Face,Size,Colour,Style".
  void DecodeFontString(char* descriptor, char* face, unsigned char* size, unsigned long* colour,
                        unsigned char* style);

  // --- Event strings "Name(param,param,...)".
  long CheckEventType(char* event);
  bool IsComplexDataSource(char* source);
  void GetCompleteParamList(char* event, char* destination);
  bool GetEventParameters(char* event, char* destination, long number, unsigned int capacity);

  // --- Device model codes and software component names.
  unsigned char CorvixDeviceModelToTavlinDataType(unsigned short model);
  unsigned char CorvixDeviceModelToDataStructureType(unsigned short model);
  long ModelToIam(unsigned short model);
  unsigned char WhatIsThis(unsigned short model);
  void ComputerIdToString(int computerId, char* name);

  // --- Packed read-request and result-state words.
  long BuildReadResultState(long first, long second, long third, char letter, long flag);
  long ExtractFromReadRequest(long selector, long word);
  long LongExistInList(long value, long* list, long count);

  // --- Number, IPv4 address and port validation.
  long IsDigit(char* text);
  long IsDigit(unsigned short* text);
  long IsValidIPString(char* address);
  // An address part too long for the 16-byte output gives CORVIXMATH_ADDRESS_PART_TOO_LONG.
  long IsValidIpAndPortString(char* text, char* address, unsigned short* port);

  // --- Statistics over samples and time windows over sample series.
  void CalculateMinMaxAvrSD(double* values, long count, double* minimum, double* maximum,
                            double* average, double* spread);
  void CalculateMinMax(double* values, long count, double* minimum, double* maximum,
                       double* average, double* spread);
  long FilterValueArray(double** values, long** times, long seriesCount, long* sampleCounts,
                        double* minimum, double* maximum, double* mean, long* centres,
                        long width, long step, long unused);
};

#endif  // CORVIXMATH_CMATHOPERATION_H
