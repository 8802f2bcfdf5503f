/* A host linked the way MSVC links: by lld-link against corvixmath.lib, the import library
 * made from corvixmath.def, without a C runtime (the kernel's console calls only). It calls the
 * C interface and, through every_import.c, takes the address of every function the .def
 * exports, so the link resolves each import and the loader binds each one. */
#include "corvixmath.h"

typedef void* Handle;
__declspec(dllimport) Handle __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(Handle file, const void* bytes, unsigned long count,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned int code);

/* Any floating-point code makes the compiler ask for this marker of the C runtime. */
int _fltused = 0;

extern void* const corvixmath_every_import[];
extern const int corvixmath_import_count;

static void write_text(const char* text) {
  unsigned long length = 0, written = 0;
  while (text[length] != '\0')
    ++length;
  WriteFile(GetStdHandle((unsigned long)-11), text, length, &written, 0);
}

static void write_number(int value) {
  char digits[12];
  int at = 11;
  digits[at] = '\0';
  do {
    digits[--at] = (char)('0' + value % 10);
    value /= 10;
  } while (value > 0);
  write_text(digits + at);
}

void host_main(void) {
  char text[32];
  int resolved = 0, i;
  for (i = 0; i < corvixmath_import_count; ++i)
    if (corvixmath_every_import[i] != 0) ++resolved;
  if (cm_double_to_eng_string(text, 12345.678, "W", 4, sizeof text, 1) != 1) text[0] = '\0';
  write_text("MSVC-linked host: ");
  write_text(text);
  write_text(", library ");
  write_text(cm_version());
  write_text(", ");
  write_number(resolved);
  write_text(" of ");
  write_number(corvixmath_import_count);
  write_text(" imports bound\n");
  ExitProcess(resolved == corvixmath_import_count ? 0u : 1u);
}
