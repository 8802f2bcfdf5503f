// The rules each command's --help states, each with an example. Limits, codes and flags come
// from the library's header, so the texts follow it.
#include <limits>

#include "CorvixLimits.h"
#include "tool.h"

namespace corvix_tool {

std::string MainRules() {
  return "Exit status: 0 done or valid; 1 invalid, refused or no data (a refused text: the "
         "library's\n"
         "output on standard output, the reason on standard error); 2 bad input or usage (one\n"
         "message on standard error, nothing on standard output).\n"
         "Batch: the value - (eng, simple, sci, price, sevenseg, parse, every check) reads one "
         "value\n"
         "per input line and writes one line per input line, in order, as it goes. A bad line "
         "gives\n"
         "an empty line and '<stdin>:N: what is wrong' on standard error, and the batch goes on;\n"
         "--echo writes 'input,result' CSV pairs. The status is the worst line's.\n"
         "  Example: printf '1\\n2.5e3\\n' | corvixmath eng - --unit W --echo\n"
         "Negative values need no '--': corvixmath eng -12.5 (only '-h' does: check expr -- -h).\n"
         "corvixmath --help-all shows every command with its rules."
#if defined(_WIN32)
         "\nOn Windows: paths may use a drive letter and '\\' or '/' ('C:\\logs\\day.csv');\n"
         "input lines may end in CR LF; output lines end in CR LF, as Windows programs write\n"
         "them (an --svg file keeps LF). File names and texts are in the system code page: a\n"
         "file whose name has characters outside it cannot be opened (status 2); rename it."
#endif
      ;
}

std::string EngRules() {
  return "Scale modes: 0 Hide (divided by 1000 while |v| >= 1000, no letter); 1 Auto (the same,\n"
         "with K, M, G or T); 2 Unity, 3 Kilo, 4 Mega, 5 Giga, 6 Tera (fixed; EEEE when the "
         "value\n"
         "is too large for the scale); 7 thousandths (v x 1000, letter m); 10 Auto with\n"
         "thousandths (as 1, and 0.001 < |v| < 0.1 in m); 8, 9 and 11 to 255 plain (the value "
         "itself,\n"
         "no letter, never EEEE). Hide, Auto and 10 show EEEE beyond 1e15 in magnitude.\n"
         "  Example: corvixmath eng 0.05 --unit A --digits 3 --scale 10   ->  50.0 mA\n"
         "A text as long as --size or longer is refused (exit 1, an empty line).";
}

std::string ParseEngRules() {
  return Format(
      "Reads a number with an optional sign and point, then at most one letter: K or k x1e3,\n"
      "M or m x1e6 (m is millions here, while eng writes m for thousandths: a note says so),\n"
      "G or g x1e9, T or t x1e12. Blanks anywhere are dropped. The library reads the first %d\n"
      "characters only: a longer text is refused (exit 1). A text it cannot read gives %d, the\n"
      "missing-value marker, and exit 1. --unit strips a unit from the end first.\n"
      "  Example: corvixmath parse eng '12.34 KV' --unit V   ->  12340",
      CORVIXMATH_FIELD_UNITS - 1, CORVIXMATH_MISSING_VALUE);
}

std::string ParseHexRules() {
  return "Reads 1 to 8 hexadecimal digits (0-9, A-F, any case), after an optional 0x or #, into a\n"
         "32-bit word: 8 digits from 80000000 up read as negative. The library skips any other\n"
         "character and keeps the last 8 digits of a longer text; the tool prints its answer\n"
         "and refuses such a text (exit 1).\n"
         "  Example: corvixmath parse hex '#FF8000'   ->  16744448 (0x00FF8000)";
}

std::string SevenSegmentRules() {
  return Format(
      "Flags: 0x%04lX fixed divisor (--divide), by 1e3 with 0x%04lX, else 1e6 with 0x%04lX, "
      "else 1e9\n"
      "with 0x%04lX, else 1e12 with 0x%04lX; 0x%04lX the four-decimal text of the value itself\n"
      "(--plain); 0x%04lX drop the minus sign (--drop-minus). Otherwise the text is the Auto\n"
      "engineering text with %d digits, whose letter tells the scale. The word packs the "
      "first\n"
      "%d characters (zero filled in front; digits and '-' show) and the position of the "
      "point.\n"
      "  Example: corvixmath sevenseg 2500000 --divide 1e6   ->  text '2.5', shown 0.025",
      CORVIXMATH_SEVENSEG_FIXED_DIVISOR, CORVIXMATH_SEVENSEG_DIVIDE_BY_KILO,
      CORVIXMATH_SEVENSEG_DIVIDE_BY_MEGA, CORVIXMATH_SEVENSEG_DIVIDE_BY_GIGA,
      CORVIXMATH_SEVENSEG_DIVIDE_BY_TERA, CORVIXMATH_SEVENSEG_PLAIN, CORVIXMATH_SEVENSEG_DROP_MINUS,
      CORVIXMATH_SEVENSEG_CHARACTERS, CORVIXMATH_SEVENSEG_CHARACTERS);
}

std::string ExpressionRules() {
  return Format(
      "Formulas: at most %d characters, spaces removed first. A variable is a run of 1 to %d\n"
      "letters (case-sensitive); a number is digits, a point only between two digits; the\n"
      "operators + * / < > & | stand between operands, - and ! also in front (at the start or\n"
      "after an operator); parentheses nest; '_' separates names. With --vars every name must "
      "be\n"
      "listed. Codes: -20 ')' without '(', -21 '(' left open, -22 digit then letter, -23 two "
      "signs\n"
      "together, -24 misplaced point, -25 starts with an infix sign, -26 undefined variable,\n"
      "-27 ends with a sign, -28 letter then digit, -29 invalid character, -30 name too long.\n"
      "  Example: corvixmath check expr '(a+b)*2>c' --vars a,b,c   ->  ok",
      CORVIXMATH_EXPRESSION_UNITS - 1, CORVIXMATH_EXPRESSION_NAME_LETTERS);
}

std::string AddressRules() {
  return Format(
      "Addresses: four fields separated by '.', each 0 to %d (%d is refused); the fields "
      "before\n"
      "the last count by their leading number. Codes: %d no '.', %d a field above %d, %d a "
      "field\n"
      "negative, %d not four fields, %d the last field not a number.\n"
      "Endpoints: ADDRESS:PORT, the port a plain unsigned integer up to %u. Codes: 1 valid, 0 "
      "no\n"
      "':' or the port not a number or above %u, -1 to -8 the port's number form negated (it "
      "has a\n"
      "sign, a point or a scale letter), -%d to -%d the address code negated. The answer "
      "starts\n"
      "with the code, then says which part failed and why.\n"
      "  Example: corvixmath check endpoint 1.2.3.4:65536   ->  0 the port 65536 is above "
      "65535",
      CORVIXMATH_ADDRESS_LARGEST_FIELD, CORVIXMATH_ADDRESS_LARGEST_FIELD + 1,
      CORVIXMATH_ADDRESS_NO_DOT, CORVIXMATH_ADDRESS_FIELD_ABOVE_254,
      CORVIXMATH_ADDRESS_LARGEST_FIELD, CORVIXMATH_ADDRESS_FIELD_NEGATIVE,
      CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS, CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER,
      static_cast<unsigned>(std::numeric_limits<unsigned short>::max()),
      static_cast<unsigned>(std::numeric_limits<unsigned short>::max()), CORVIXMATH_ADDRESS_NO_DOT,
      CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER);
}

std::string IdentifierRules() {
  return "Identifiers: 2 letters and 3 digits (form 1, old: AB123), 2 letters and 4 digits "
         "(form 2,\n"
         "new: AB0123), 2 letters and 5 digits above 10000 (form 3: AB10001). The new form of an "
         "old\n"
         "identifier has a 0 before its digits.\n"
         "  Example: corvixmath check id AB123   ->  ok form 1 (5 characters), new form AB0123";
}

std::string NumberRules() {
  return "Numbers: an optional sign first, digits, at most one point, an optional scale letter "
         "K, M,\n"
         "G or T (either case) last; spaces around are ignored. Code: 1 + 4 with a point + 2 "
         "without\n"
         "a letter + 1 without a sign; 0 not a number. Only code 4 is a port.\n"
         "  Example: corvixmath check number -1.5M   ->  5 number: sign yes, point yes, scale "
         "letter yes";
}

std::string StatsRules() {
  return "Input: one number per line, or CSV whose value columns are series (forms: see "
         "windows);\n"
         "blank lines and '#' comments are skipped; an empty cell is no sample.\n"
         "spread = sqrt(sum((x - average)^2)) / n, the library's value, is not the standard\n"
         "deviation; the population standard deviation sqrt(sum((x - average)^2) / n) is "
         "printed\n"
         "beside it. For 1 2 3 4: spread sqrt(5)/4 = 0.559, deviation sqrt(5/4) = 1.118.\n"
         "Numbers: the shortest text that reads back to the same double, or --decimals N. No "
         "data:\n"
         "'no data' on standard error and exit 1.\n"
         "  Example: printf '1\\n2\\n3\\n4\\n' | corvixmath stats --format csv";
}

std::string WindowsRules() {
  return Format(
      "Windows: width W, step S, h = W/2 (whole seconds, 1 s to 400 days; 90, 90s, 15m, 1h, 7d,\n"
      "2w). Window k covers c - h <= t < c - h + W around its centre c = M + k*S, M the midnight\n"
      "of the first sample's day; windows are taken while c - h + W stays within h after the\n"
      "midnight that ends the last sample's day (one day: centres 0, S, ... up to %ld), and when\n"
      "S <= W on until the last sample is held. When S > W the samples between windows are left\n"
      "out and counted on standard error. A window that straddles midnight holds the samples of\n"
      "both days. Per window, each series' average is the mean of its samples in it; the row is\n"
      "the minimum, maximum and mean of those averages over the series with data\n"
      "(--per-series-columns adds each series' average). A window without data is left out\n"
      "(--empty-windows: empty values). --svg draws the same rows.\n"
      "Input: CSV separated by ',', ';' or tab (--separator, else the first line decides), with\n"
      "or without a header (a first line whose time holds no digit is one); blank lines and '#'\n"
      "comments skipped. Times: seconds, HH:MM[:SS], ISO 8601 YYYY-MM-DDTHH:MM[:SS] (or a space\n"
      "for T), 2015/01/31 13:00[:00], Jan 31 2015 [13:00[:00]], 31 Jan 2015; a fraction of a\n"
      "second is dropped; --time-format PATTERN (%%Y %%y %%m %%d %%j %%b %%H %%M %%S %%f %%z) or\n"
      "epoch, epoch-ms, year for others. A zone offset (Z, +HH:MM, -HHMM) is applied: the times\n"
      "become UTC and the rows are labelled with Z. Dated and undated times do not mix. Values:\n"
      "1.5, or with --decimal-comma 1,5 and 1.234,5 (taken by itself for ';' files whose first\n"
      "values read only so). Time column 1 unless --time; every other column is a value column\n"
      "unless --values; each is a series named by its header, at most %d. An empty cell is no\n"
      "sample. Long format (one row per tag and time): --series-column names the tag column,\n"
      "each tag is one series (--series A,B chooses), times go forward within each tag;\n"
      "--quality-column with --good keeps only samples of those qualities.\n"
      "Errors: a value that is not a finite number, a time that does not read or goes back:\n"
      "'file:line: what is wrong' and exit 2; --skip-bad skips and counts.\n"
      "Output: CSV with a header row 'centre,clock,min,max,mean' (dated: 'time,min,max,mean') or\n"
      "--format json; numbers the shortest text that reads back to the same double, or\n"
      "--decimals.\n"
      "Long logs: one file of one row per time is reduced as it is read, and each window is\n"
      "written as soon as no later row can change it, so memory holds only the open windows\n"
      "(--jobs 2 or more reduces on a second thread while reading goes on); rows already\n"
      "written stay when a later line is bad. A file ending in .gz, or gzip on standard input,\n"
      "is read through zlib; a truncated or corrupt archive is an error naming the file.\n"
      "  Example: corvixmath windows --width 2w --step 1w tags.csv --time Timestamp "
      "--series-column Tagname --svg weeks.svg",
      static_cast<long>(CORVIXMATH_SECONDS_PER_DAY), CORVIXMATH_MAX_SERIES);
}

}  // namespace corvix_tool
