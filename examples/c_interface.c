/* The C interface from a C99 host: a value for a display, a path split into caller-sized
 * buffers, a refusal that leaves the buffer as it was, and a formula with its message.
 *
 *   cm_double_to_eng_string(text, 12345.678, "W", 4, 32, 1)  -> 1, "12.34 KW"
 *   cm_extract_path_and_name(path, dir, name, 16, 8)         -> 0, dir untouched */
#include <stdio.h>

#include "corvixmath.h"

int main(void) {
  char text[32];
  char directory[CORVIXMATH_PATH_UNITS];
  char small[8] = "unset";
  char name[16];
  char message[CORVIXMATH_MESSAGE_BYTES] = "";
  const char* path = "D:\\Log\\Pump\\day.txt";

  if (cm_double_to_eng_string(text, 12345.678, "W", 4, sizeof text, CORVIXMATH_SCALE_AUTO) == 1)
    printf("display: %s\n", text);

  /* Each output gets the size of its buffer; a part that does not fit is refused whole. */
  printf("split: %d %s %s\n",
         (int)cm_extract_path_and_name(path, directory, name, sizeof name, sizeof directory),
         directory, name);
  printf("small directory buffer: %d, still \"%s\"\n",
         (int)cm_extract_path_and_name(path, small, name, sizeof name, sizeof small), small);

  printf("formula: %d %s\n", (int)cm_verify_reg_exp_string("a+*b", message, "#a#b#"), message);
  printf("null formula: %d (read as the empty one)\n",
         (int)cm_verify_reg_exp_string(NULL, message, "#a#b#"));
  return 0;
}
