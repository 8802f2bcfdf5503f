// CorvixMath platform layer: the export macro and the OLE Automation VARIANT.
//
// Everything that differs between Windows and the other platforms lives here, so that
// CMathOperation.h and the algorithms stay portable. On Windows the real VARIANT of the
// platform SDK is used; elsewhere a layout-compatible stand-in lets host code written for
// Windows compile unchanged (`v.vt = VT_I2; v.iVal = 5;`).
#ifndef CORVIXMATH_CORVIXPLATFORM_H
#define CORVIXMATH_CORVIXPLATFORM_H

#include <stdint.h>

// CORVIXMATH_STATIC: the library is linked statically (no import/export decoration).
// CORVIXMATH_BUILDING: defined while the library itself is compiled.
#if defined(CORVIXMATH_STATIC)
#define CORVIXMATH_API
#elif defined(_WIN32)
#if defined(CORVIXMATH_BUILDING)
#define CORVIXMATH_API __declspec(dllexport)
#else
#define CORVIXMATH_API __declspec(dllimport)
#endif
#else
#define CORVIXMATH_API __attribute__((visibility("default")))
#endif

#if defined(_WIN32)

// The platform's own VARIANT. This header does not bring <windows.h> into host code: a host
// that builds VARIANTs includes <oaidl.h> (or <windows.h>) itself, as Windows programs do, or
// defines CORVIXMATH_INCLUDE_VARIANT to have it included here.
#if defined(CORVIXMATH_INCLUDE_VARIANT)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <oaidl.h>
#else
struct tagVARIANT;
#endif

#else  // no Windows platform: our own VARIANT with the same layout

typedef unsigned short VARTYPE;

// The standard OLE Automation type codes and flags.
enum VARENUM {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_VECTOR = 0x1000,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000
};

// The record pair is the widest member of the value field: two pointers, as on Windows.
struct tagCorvixVariantRecord {
  void* pvRecord;
  void* pRecInfo;
};

// Type code in the first 16 bits, three reserved words, then the value field at offset 8.
// 32-bit members are int32_t/uint32_t because Windows' LONG and ULONG are 32 bits wide.
struct tagVARIANT {
  VARTYPE vt;
  unsigned short wReserved1;
  unsigned short wReserved2;
  unsigned short wReserved3;
  union {
    long long llVal;
    int32_t lVal;
    unsigned char bVal;
    short iVal;
    float fltVal;
    double dblVal;
    short boolVal;
    int32_t scode;
    double date;
    void* bstrVal;
    void* byref;
    char cVal;
    unsigned short uiVal;
    uint32_t ulVal;
    unsigned long long ullVal;
    int32_t intVal;
    uint32_t uintVal;
    tagCorvixVariantRecord brecVal;
  };
};
typedef struct tagVARIANT VARIANT;

#endif  // _WIN32

#endif  // CORVIXMATH_CORVIXPLATFORM_H
