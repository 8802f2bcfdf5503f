/* CorvixMath limits, markers and result codes, named once for every user of the library.
 *
 * The library, the corvixmath tool, the tests, the fuzz targets and the language bindings all
 * read these names; no size or marker is retyped elsewhere. The header is plain C as well as
 * C++, so a C host or a binding generator can take the same values.
 *
 * Sizes are in units (bytes of a narrow text, 16-bit units of a unit text), terminator
 * included. */
#ifndef CORVIXMATH_CORVIXLIMITS_H
#define CORVIXMATH_CORVIXLIMITS_H

/* Fixed sizes that members assume of a caller's buffer they are not told the size of. */
#define CORVIXMATH_CONTROL_ID_BYTES 8  /* a control identifier, new form */
#define CORVIXMATH_ADDRESS_BYTES 16    /* the address part written by the address-and-port check */
#define CORVIXMATH_FACE_BYTES 32       /* a font face name */
#define CORVIXMATH_NAME_BYTES 64       /* names, event names, parameter lists */
#define CORVIXMATH_PATH_UNITS 260      /* a Windows path */
#define CORVIXMATH_MESSAGE_BYTES 512   /* the expression checker's message, the error report */
#define CORVIXMATH_TEXT_UNITS 2048     /* the longest text a text member works on, plus one */

/* Working buffers: a longer source is cut to the size less one before a member works on it. */
#define CORVIXMATH_SEVENSEG_TEXT_UNITS 12 /* the seven-segment four-decimal text */
#define CORVIXMATH_FIELD_UNITS 16         /* an address field, a port, an engineering text */
#define CORVIXMATH_EXPRESSION_UNITS 128   /* a formula: at most 127 characters */
#define CORVIXMATH_EXPRESSION_NAME_LETTERS 3 /* the longest variable name of a formula */
#define CORVIXMATH_FORMAT_UNITS 1024      /* formatter and short text working copies */

/* Markers. */
#define CORVIXMATH_MISSING_VALUE (-999) /* a missing value, an unreadable text, a fault */
#define CORVIXMATH_NOT_FOUND (-1)       /* a search that found nothing */

/* Results of the number check (IsDigit): 0, or CORVIXMATH_NUMBER_FORM plus the bits of what the
 * number lacks or has ("12" -> 4, "-12.5" -> 7, "12k" -> 2). The address-and-port check returns
 * a port's form negated. */
#define CORVIXMATH_NOT_A_NUMBER 0
#define CORVIXMATH_NUMBER_FORM 1
#define CORVIXMATH_NUMBER_NO_SIGN 1         /* added: no leading '+' or '-' */
#define CORVIXMATH_NUMBER_NO_SCALE_LETTER 2 /* added: no trailing K, M, G or T */
#define CORVIXMATH_NUMBER_HAS_POINT 4       /* added: a decimal point */
/* The only form a port may have: an unsigned integer without point or letter. */
#define CORVIXMATH_PLAIN_UNSIGNED_INTEGER \
  (CORVIXMATH_NUMBER_FORM + CORVIXMATH_NUMBER_NO_SCALE_LETTER + CORVIXMATH_NUMBER_NO_SIGN)

/* Results of the IPv4 address check (the address-and-port check returns them negated). */
#define CORVIXMATH_ADDRESS_VALID 1
#define CORVIXMATH_ADDRESS_NO_DOT 10
#define CORVIXMATH_ADDRESS_FIELD_ABOVE_254 11
#define CORVIXMATH_ADDRESS_FIELD_NEGATIVE 12
#define CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS 13
#define CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER 14
/* A result of the address-and-port check alone, returned as it is: the address part passes the
 * address check but does not fit the 16-byte address output ('0001.002.003.004:80'). It follows
 * the negated address codes, so a host that reads -10 and below as "the address part is
 * refused" reads it rightly. */
#define CORVIXMATH_ADDRESS_PART_TOO_LONG (-15)
#define CORVIXMATH_ADDRESS_LARGEST_FIELD 254 /* a field of a dotted address; 255 is refused */


/* Statistics and windows. */
#define CORVIXMATH_MAX_SERIES 32          /* series one window call reduces at once */
#define CORVIXMATH_SECONDS_PER_DAY 86400L /* the windows' time axis is one day of seconds */
/* What the statistics and the windows leave in a minimum and maximum that no sample reached:
 * the starting values, which hosts read as "no data". The two families start differently. */
#define CORVIXMATH_STATS_NO_DATA_MINIMUM 100000000000000.0
#define CORVIXMATH_STATS_NO_DATA_MAXIMUM (-100000000000000.0)
#define CORVIXMATH_WINDOW_NO_DATA_MINIMUM 999999999999999.0
#define CORVIXMATH_WINDOW_NO_DATA_MAXIMUM (-999999999999999.0)

/* The multi-day window reducer (cm_reducer_* in corvixmath.h). */
#define CORVIXMATH_REDUCER_LONGEST_SECONDS 34560000L /* a width or step: 1 s to 400 days */
#define CORVIXMATH_REDUCER_MOST_WINDOWS 100000000LL  /* windows from the first day to the last */
#define CORVIXMATH_REDUCER_TIME_LIMIT 1000000000000LL /* |time| in seconds: about 31,700 years */
/* Flags of cm_reducer_create(). */
#define CORVIXMATH_REDUCER_EMPTY_WINDOWS 0x1U    /* also hand out windows without data */
#define CORVIXMATH_REDUCER_SERIES_AVERAGES 0x2U  /* also give each series' own average */
/* Results of the reducer's functions: 0, a count, or one of these. A refused call changes
 * nothing: the samples of a refused push are not taken, none of them. */
#define CORVIXMATH_REDUCER_OK 0
#define CORVIXMATH_REDUCER_NULL_ARGUMENT (-1)      /* a null handle, or a null array with samples */
#define CORVIXMATH_REDUCER_BAD_SIZE (-2)           /* width, step, series count, count, capacity */
#define CORVIXMATH_REDUCER_BAD_FLAGS (-3)          /* an unknown flag; averages not asked for */
#define CORVIXMATH_REDUCER_BAD_SERIES (-4)         /* a series index outside 0 to count - 1 */
#define CORVIXMATH_REDUCER_TIME_GOES_BACK (-5)     /* before the series' last time or the advance */
#define CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE (-6)  /* beyond CORVIXMATH_REDUCER_TIME_LIMIT */
#define CORVIXMATH_REDUCER_NOT_FINITE (-7)         /* a NaN or infinite value */
#define CORVIXMATH_REDUCER_TOO_MANY_WINDOWS (-8)   /* beyond CORVIXMATH_REDUCER_MOST_WINDOWS */
#define CORVIXMATH_REDUCER_FINISHED (-9)           /* a push or advance after the finish */
#define CORVIXMATH_REDUCER_NO_MEMORY (-10)         /* the open windows' samples did not fit */
#define CORVIXMATH_REDUCER_ALREADY_STARTED (-11)   /* an origin set after the first sample */

/* NumberTo4SevenSeg: bits of its flags argument (bits not named here are ignored). */
#define CORVIXMATH_SEVENSEG_FIXED_DIVISOR 0x0008L /* divide by the divisor named below */
#define CORVIXMATH_SEVENSEG_DROP_MINUS 0x0100L    /* drop a leading minus sign */
#define CORVIXMATH_SEVENSEG_PLAIN 0x0200L         /* four decimals of the value itself */
/* The divisor of CORVIXMATH_SEVENSEG_FIXED_DIVISOR, the first one set in this order. */
#define CORVIXMATH_SEVENSEG_DIVIDE_BY_KILO 0x0800L /* 1e3 */
#define CORVIXMATH_SEVENSEG_DIVIDE_BY_MEGA 0x1000L /* 1e6 */
#define CORVIXMATH_SEVENSEG_DIVIDE_BY_GIGA 0x2000L /* 1e9 */
#define CORVIXMATH_SEVENSEG_DIVIDE_BY_TERA 0x4000L /* 1e12 */

/* NumberTo4SevenSeg: the layout of the word it returns. Character c (1 = leftmost) has its
 * code in the CORVIXMATH_SEVENSEG_CODE_BITS bits from bit
 * CORVIXMATH_SEVENSEG_CODE_BITS * (CORVIXMATH_SEVENSEG_CHARACTERS - c); a decimal point at text
 * index i (1 to 4) sets bit CORVIXMATH_SEVENSEG_FIRST_POINT_BIT + 1 - i (31 down to 28). A
 * digit's code is its value, a minus sign's CORVIXMATH_SEVENSEG_MINUS_CODE, anything else 0. */
#define CORVIXMATH_SEVENSEG_CHARACTERS 4
#define CORVIXMATH_SEVENSEG_CODE_BITS 7
#define CORVIXMATH_SEVENSEG_MINUS_CODE 30
#define CORVIXMATH_SEVENSEG_FIRST_POINT_BIT 31 /* the point at text index 1 */

/* DoubleToEngString: scale modes (ScaleString2Index names 0 to 6). 8, 9 and 11 to 255 show the
 * value as it is, without a letter. */
#define CORVIXMATH_SCALE_HIDE 0 /* automatic, no letter shown */
#define CORVIXMATH_SCALE_AUTO 1 /* automatic: K, M, G, T, P */
#define CORVIXMATH_SCALE_UNITY 2
#define CORVIXMATH_SCALE_KILO 3
#define CORVIXMATH_SCALE_MEGA 4
#define CORVIXMATH_SCALE_GIGA 5
#define CORVIXMATH_SCALE_TERA 6
#define CORVIXMATH_SCALE_THOUSANDTHS 7            /* 'm' */
#define CORVIXMATH_SCALE_AUTO_WITH_THOUSANDTHS 10 /* automatic, 'm' below 0.1 */

/* DecodeFontString: the style codes it writes. */
#define CORVIXMATH_FONT_STYLE_REGULAR 0
#define CORVIXMATH_FONT_STYLE_BOLD 1
#define CORVIXMATH_FONT_STYLE_ITALIC 2
#define CORVIXMATH_FONT_STYLE_BOLD_ITALIC 3

#endif /* CORVIXMATH_CORVIXLIMITS_H */
