// CorvixMath for JavaScript: the display formatters, checks, vocabulary, statistics and
// multi-day windows of the library, over its C interface compiled to WebAssembly.
//
// Narrow texts are Windows-1256 unless an `encoding` option names another single-byte
// encoding (or "utf-8"). A text the library refuses throws TextRefusedError (a RangeError);
// a value out of range, a text the encoding cannot hold and a text longer than the library
// reads throw RangeError; a wrong type throws TypeError. No text is ever cut in silence.

/** The library's version, "major.minor.patch". */
export const VERSION: string;
/** Every number macro of CorvixLimits.h without its CORVIXMATH_ prefix. */
export const LIMITS: Readonly<Record<string, number>>;
/** The narrow code page of the host applications. */
export const DEFAULT_ENCODING: "windows-1256";
/** The missing-value marker (-999): an unreadable text, a seven-segment fault. */
export const MISSING_VALUE: number;
/** The result of a search that found nothing (-1). */
export const NOT_FOUND: number;
/** The scale modes of eng() by name. */
export const SCALES: Readonly<Record<ScaleName, number>>;

export type ScaleName =
  | "hide" | "auto" | "unity" | "kilo" | "mega" | "giga" | "tera" | "milli" | "auto-milli";

/** The library refused to write a text: it does not fit the size it was given. */
export class TextRefusedError extends RangeError {
  /** What the library returned (its result code, or the text it wrote instead). */
  readonly result: number | string;
  /** The size in bytes the text had to fit. */
  readonly size: number;
}

export interface EncodingOption {
  /** A single-byte encoding TextDecoder knows ("windows-1256", "windows-1252" ...) or "utf-8". */
  encoding?: string;
}

export interface EngOptions extends EncodingOption {
  /** The unit after the scale letter ("W"). */
  unit?: string;
  /** Digit characters kept, 0..65535; 0 keeps all. Default 4. */
  digits?: number;
  /** A name of SCALES or a mode 0..255. Default "auto". */
  scale?: ScaleName | number;
  /** The display field in bytes, terminator included, 1..LIMITS.FORMAT_UNITS. */
  size?: number;
}
/** Engineering notation: eng(12345.678, {unit: "W"}) gives "12.34 KW". */
export function eng(value: number, options?: EngOptions): string;

export interface SimpleOptions {
  /** 0..255; 0 is the natural length. */
  width?: number;
  /** 0..254; undefined keeps every decimal. */
  decimals?: number;
  zeroFill?: boolean;
  /** One character: the thousands separator. */
  separator?: string;
  size?: number;
}
/** Plain decimal text: simple(1234567.891, {decimals: 2, separator: ","}) gives "1,234,567.89". */
export function simple(value: number, options?: SimpleOptions): string;

export interface SciOptions {
  /** 0..19, default 2. */
  decimals?: number;
  /** Default 64. */
  size?: number;
}
/** Compact scientific notation: sci(12345.678) gives "1.23E4". */
export function sci(value: number, options?: SciOptions): string;

export interface PriceOptions {
  /** "" (none) or one character. */
  separator?: string;
  /** k > 0 divides by 10 ** (k + 2); 0..255. */
  divisorExponent?: number;
  /** 4..LIMITS.FORMAT_UNITS, default 64. */
  size?: number;
}
/** A whole amount with separators: price(1234567, {separator: ","}) gives "1,234,567";
 * "---" when it does not fit `size`. */
export function price(amount: number, options?: PriceOptions): string;

export interface SevenSegOptions {
  /** The raw flags word (the SEVENSEG_* bits of LIMITS); the options below add to it. */
  flags?: number;
  /** Four decimals of the value itself. */
  plain?: boolean;
  /** Drop a leading minus sign. */
  dropMinus?: boolean;
  /** A fixed divisor before the four-decimal text. */
  divide?: "1e3" | "1e6" | "1e9" | "1e12";
}
export interface SevenSegment {
  /** The 32-bit word, unsigned (0..2**32-1). */
  word: number;
  /** The short text packed into the word ("12.34"); "" when the four-decimal text does not fit
   * the panel's working buffer (LIMITS.SEVENSEG_TEXT_UNITS), and the word is then 0. */
  text: string;
  /** Which scale made the text: "plain", "fixed, divided by 1e6", "Auto chose K" ... */
  scale: string;
  /** The four characters the panel shows, left to right: "0".."9", "-" or " ". */
  digits: string[];
  /** True when the library gave its fault marker (MISSING_VALUE) instead of a word. */
  fault: boolean;
  /** Whether the decimal point after character i (0..3) is lit. */
  points: boolean[];
}
/** The word of a four-digit seven-segment display, and the text it carries. */
export function sevenseg(value: number, options?: SevenSegOptions): SevenSegment;

/** The value of an engineering text: parse("12.5 K") gives 12500. RangeError when the text is
 * not one. */
export function parse(text: string): number;
/** The 32-bit value of a hexadecimal text, non-hex characters skipped ("#FF8000" is 16744448). */
export function parseHex(text: string): number;

/** The answer of a check: the library's code, whether it passed, and what it means. */
export interface Check {
  code: number;
  ok: boolean;
  message: string;
}
export interface Endpoint extends Check {
  /** The address and port when the check passed, else null. */
  address: string | null;
  port: number | null;
}

export interface ExpressionOptions {
  /** The defined variable names; without it names are not looked up. */
  variables?: Iterable<string>;
}
/** Checks a formula: checkExpression("a+*b", {variables: ["a", "b"]}) gives
 * {code: -23, ok: false, message: "Two Adjacent sign detected."}. */
export function checkExpression(expression: string, options?: ExpressionOptions): Check;
/** Checks a dotted IPv4 address. */
export function checkIp(address: string): Check;
/** Checks "address:port". */
export function checkEndpoint(text: string): Endpoint;
export interface WideOption {
  /** Use the library's 16-bit flavour (UTF-16 text). */
  wide?: boolean;
}
/** Whether the text is a control identifier ("AB123", "AB0123", "AB10001"); code is the form. */
export function checkControlId(identifier: string, options?: WideOption): Check;
/** The number form of a text after its spaces are stripped ("-1.5M" is 5). */
export function checkNumber(text: string, options?: WideOption): Check;
/** The six-character form of a five-character identifier ("AB123" to "AB0123"). */
export function convertControlId(identifier: string): string;
/** The bit set of character classes in a text (0x1 upper case ... 0x100 Persian). */
export function characterClasses(text: string, options?: EncodingOption): number;

/** A decoded font descriptor; fields the descriptor does not reach keep their zero defaults. */
export interface Font {
  face: string;
  size: number;
  colour: number;
  style: number;
}
/** decodeFont("Tahoma,12,#FF8000,Bold") gives {face: "Tahoma", size: 12, colour: 16744448,
 * style: 1}. */
export function decodeFont(descriptor: string): Font;

/** The type code of a data type name (any case); 0 for an unknown name. */
export function dataTypeIndex(name: string): number;
/** The type code of a data type or control kind name (exact case); 255 if unknown. */
export function controlKindCode(name: string): number;
/** The name of a type code 0..255; "NoData" for codes without one. */
export function typeCodeName(code: number): string;
/** The index of a value format name (any case); 255 for an unknown name. */
export function valueFormatIndex(name: string): number;
/** The name of a scale index 0..6 ("Kilo" for 3); RangeError for another index. */
export function scaleName(index: number): string;
/** The index of a scale name (any case); -1 for an unknown name. */
export function scaleIndex(name: string): number;
/** The software component of a computer id (1000 is "Tresk"), null for another id. */
export function componentName(computerId: number): string | null;

/** Minimum, maximum, average and spread: sqrt(sum of squared deviations) / n. */
export interface Statistics {
  minimum: number;
  maximum: number;
  average: number;
  spread: number;
}
/** Statistics of finite samples; RangeError for none, NaN or infinity. */
export function statistics(values: ArrayLike<number>): Statistics;

/** Seconds since the epoch (or any axis): integers, as numbers or BigInts. */
export type Times = Float64Array | BigInt64Array | Int32Array | ArrayLike<number> | ArrayLike<bigint>;
export type Values = Float64Array | Float32Array | ArrayLike<number>;
/** A width or step: seconds, or the tool's text ("90", "15m", "1h", "7d", "2w"). */
export type Duration = number | bigint | string;

/** One time window: the minimum, maximum and mean of the series' averages around `centre`. */
export interface Window {
  minimum: number;
  maximum: number;
  mean: number;
  /** Seconds, on the axis of the samples' times. */
  centre: number;
  /** False for a window without samples (emptyWindows), whose minimum, maximum, mean are NaN. */
  hasData: boolean;
  /** Each series' own average, NaN where it has no sample (seriesAverages). */
  averages?: Float64Array;
}
export interface WindowList extends Array<Window> {
  /** Samples no window held (between windows, with a step longer than the width). */
  samplesHeldByNoWindow: number;
}
export interface WindowsOptions {
  width: Duration;
  step: Duration;
  emptyWindows?: boolean;
  seriesAverages?: boolean;
  /** Windows are centred at the midnight of this time's day + k * step. */
  origin?: number | bigint;
}
/**
 * Reduces series to windows of `width` seconds every `step`, over any number of days.
 * One series: `times` and `values` are arrays; several: arrays of arrays, series by series.
 */
export function windows(times: Times | readonly Times[], values: Values | readonly Values[],
                        options: WindowsOptions): WindowList;

export interface ReducerCounts {
  samplesTaken: number;
  samplesHeldByNoWindow: number;
  samplesOpen: number;
  windowsReduced: number;
  windowsWaiting: number;
  refusedWindows: number;
}
export interface ReducerOptions {
  width: Duration;
  step: Duration;
  seriesCount: number;
  emptyWindows?: boolean;
  seriesAverages?: boolean;
  origin?: number | bigint;
}
/** The multi-day reducer a piece at a time; call close() (or use `using`) to free it. */
export class Reducer {
  constructor(options: ReducerOptions);
  readonly width: number;
  readonly step: number;
  readonly seriesCount: number;
  push(series: number, times: Times, values: Values): void;
  advance(time: number | bigint): void;
  finish(): void;
  take(most?: number): Window[];
  readonly counts: ReducerCounts;
  close(): void;
}
