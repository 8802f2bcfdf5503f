// The friendly API over the library's C interface compiled to WebAssembly. bind() takes a
// loaded module (index.js loads the .wasm beside it, single.js the variant with it inlined)
// and returns every public name; both entry points export them.
//
// Rules kept by every function: each argument is checked before it reaches the library; a
// wrong type throws TypeError, a value out of range RangeError, and a text the library refuses
// TextRefusedError (a RangeError carrying the library's result). No text is ever cut: a text
// longer than the library reads, or one the encoding cannot hold, is refused up front.
import { LIMITS } from "./limits.js";

export const DEFAULT_ENCODING = "windows-1256";
export const MISSING_VALUE = LIMITS.MISSING_VALUE;
export const NOT_FOUND = LIMITS.NOT_FOUND;
// Scale modes of eng(): the names ScaleString2Index knows, and the unnamed modes.
export const SCALES = Object.freeze({
  hide: LIMITS.SCALE_HIDE,
  auto: LIMITS.SCALE_AUTO,
  unity: LIMITS.SCALE_UNITY,
  kilo: LIMITS.SCALE_KILO,
  mega: LIMITS.SCALE_MEGA,
  giga: LIMITS.SCALE_GIGA,
  tera: LIMITS.SCALE_TERA,
  milli: LIMITS.SCALE_THOUSANDTHS,
  "auto-milli": LIMITS.SCALE_AUTO_WITH_THOUSANDTHS,
});
export { LIMITS };

const TEXT = LIMITS.TEXT_UNITS;
const FORMAT = LIMITS.FORMAT_UNITS;
const FIELD = LIMITS.FIELD_UNITS;
const NAME = LIMITS.NAME_BYTES;
const MESSAGE = LIMITS.MESSAGE_BYTES;
const INT32 = [-(2 ** 31), 2 ** 31 - 1];
const INT64 = [-(2n ** 63n), 2n ** 63n - 1n];
const DAY = LIMITS.SECONDS_PER_DAY;
const TIME_LIMIT = LIMITS.REDUCER_TIME_LIMIT;
const MOST_PER_PUSH = 2 ** 31 - 1; // the count is a 32-bit argument
const TAKE_BATCH = 4096;
const WINDOW_BYTES = 40; // cm_window: int64 centre, three doubles, two int32
const COUNTS_FIELDS = 6; // cm_reducer_counts: six int64
const DURATION_UNITS = { "": 1, s: 1, m: 60, h: 3600, d: DAY, w: 7 * DAY };

/** The library refused to write a text: it does not fit the size it was given. */
export class TextRefusedError extends RangeError {
  constructor(message, { result, size }) {
    super(message);
    this.name = "TextRefusedError";
    this.result = result;
    this.size = size;
  }
}

// --- Argument checks

const describe = (value) =>
  value === null ? "null" : Array.isArray(value) ? "array" : typeof value;

function options(given, name, known) {
  if (given === undefined) return {};
  if (given === null || typeof given !== "object" || Array.isArray(given))
    throw new TypeError(`the options of ${name}() must be an object, not ${describe(given)}`);
  for (const key of Object.keys(given))
    if (!known.includes(key))
      throw new TypeError(`${name}() has no option ${key}; it knows ${known.join(", ")}`);
  return given;
}

// An option's value, or its default when it is not given; null is a value (of the wrong type).
const or = (value, fallback) => (value === undefined ? fallback : value);

function number(value, name) {
  if (typeof value !== "number")
    throw new TypeError(`${name} must be a number, not ${describe(value)}`);
  return value;
}

function finite(value, name) {
  if (!Number.isFinite(number(value, name)))
    throw new RangeError(`${name} is ${value}; samples must be finite`);
  return value;
}

function integer(value, name, low, high) {
  if (typeof value !== "number" || !Number.isInteger(value))
    throw new TypeError(`${name} must be an integer, not ${typeof value === "number" ? value : describe(value)}`);
  if (value < low || value > high)
    throw new RangeError(`${name} must lie in ${low}..${high}, not ${value}`);
  return value;
}

const int32 = (value, name) => integer(value, name, ...INT32);

function bool(value, name) {
  if (value === undefined) return false;
  if (typeof value !== "boolean")
    throw new TypeError(`${name} must be a boolean, not ${describe(value)}`);
  return value;
}

function string(text, name) {
  if (typeof text !== "string") throw new TypeError(`${name} must be a string, not ${describe(text)}`);
  if (text.includes("\0"))
    throw new RangeError(`${name} holds a NUL character, which would end the text`);
  return text;
}

// --- Narrow encodings: single-byte ones through a table TextDecoder gives, and UTF-8.

const SINGLE_BYTE = /^(ibm866|iso-8859-\d+|koi8-[ru]|macintosh|windows-\d+|x-mac-cyrillic)$/;
// Bytes 0x80..0x9F of windows-1252. Node's TextDecoder reads them as Latin-1 control codes,
// which would refuse "€" and write U+0080 in its place; browsers read them as these.
const WINDOWS_1252_HIGH =
  "\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\uFFFD\u017D\uFFFD" +
  "\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\uFFFD\u017E\u0178";
const codecs = new Map();

function codec(encoding) {
  if (typeof encoding !== "string")
    throw new TypeError(`encoding must be a string, not ${describe(encoding)}`);
  let found = codecs.get(encoding);
  if (found) return found;
  let decoder;
  try {
    decoder = new TextDecoder(encoding);
  } catch {
    throw new RangeError(`encoding must name a text encoding, not ${JSON.stringify(encoding)}`);
  }
  const name = decoder.encoding;
  if (name === "utf-8") {
    const encoder = new TextEncoder();
    const strict = new TextDecoder("utf-8", { fatal: true });
    found = {
      name,
      encode(text, what) {
        if (!text.isWellFormed())
          throw new RangeError(`${what} holds a lone surrogate, which utf-8 cannot encode`);
        return encoder.encode(text);
      },
      decode: (bytes) => strict.decode(bytes),
    };
  } else if (SINGLE_BYTE.test(name)) {
    const characters = [];
    const bytes = new Map();
    for (let byte = 0; byte < 256; ++byte) {
      const character =
        name === "windows-1252" && byte >= 0x80 && byte <= 0x9f
          ? WINDOWS_1252_HIGH[byte - 0x80]
          : decoder.decode(Uint8Array.of(byte));
      characters.push(character);
      if (character !== "\uFFFD" && !bytes.has(character)) bytes.set(character, byte);
    }
    found = {
      name,
      encode(text, what) {
        const data = new Uint8Array(text.length);
        let length = 0;
        for (const character of text) {
          const byte = bytes.get(character);
          if (byte === undefined)
            throw new RangeError(`${what} holds ${JSON.stringify(character)}, which ${name} cannot encode`);
          data[length++] = byte;
        }
        return data.subarray(0, length);
      },
      decode(data) {
        let text = "";
        for (const byte of data) text += characters[byte];
        return text;
      },
    };
  } else {
    throw new RangeError(`encoding ${name} is not supported: name a single-byte encoding or utf-8`);
  }
  codecs.set(encoding, found);
  return found;
}

function narrow(text, name, encoding = DEFAULT_ENCODING, longest = undefined) {
  const data = codec(encoding).encode(string(text, name), name);
  if (longest !== undefined && data.length > longest)
    throw new RangeError(`${name} is ${data.length} bytes long; the library reads at most ${longest}`);
  return data;
}

function character(text, name, encoding = DEFAULT_ENCODING) {
  const data = narrow(text, name, encoding);
  if (data.length !== 1) throw new RangeError(`${name} must be one character, not ${JSON.stringify(text)}`);
  return (data[0] << 24) >> 24; // a C char is signed on this target
}

// --- The module

export function bind(module) {
  const M = module;
  const version = readText(M._cm_version(), 32, "ascii-only");

  // Every allocation of one call, freed together whatever happens.
  function scratch(work) {
    const blocks = [];
    const space = {
      alloc(size) {
        const pointer = M._malloc(Math.max(size, 1));
        if (pointer === 0) throw new RangeError(`no memory for ${size} bytes`);
        blocks.push(pointer);
        return pointer;
      },
      zeroed(size) {
        const pointer = space.alloc(size);
        M.HEAPU8.fill(0, pointer, pointer + Math.max(size, 1));
        return pointer;
      },
      // A NUL-terminated copy of `data` in a block of at least `size` bytes.
      bytes(data, size = data.length + 1) {
        const pointer = space.zeroed(Math.max(size, data.length + 1));
        M.HEAPU8.set(data, pointer);
        return pointer;
      },
      units(text, extra = 0) {
        const pointer = space.zeroed((text.length + 1 + extra) * 2);
        const heap = M.HEAPU16;
        for (let i = 0; i < text.length; ++i) heap[pointer / 2 + i] = text.charCodeAt(i);
        return pointer;
      },
    };
    try {
      return work(space);
    } finally {
      for (const pointer of blocks) M._free(pointer);
    }
  }

  function readBytes(pointer, size) {
    const heap = M.HEAPU8;
    let end = pointer;
    while (end < pointer + size && heap[end] !== 0) ++end;
    return heap.slice(pointer, end);
  }

  function readText(pointer, size, encoding = DEFAULT_ENCODING) {
    const data = readBytes(pointer, size);
    if (encoding === "ascii-only") return String.fromCharCode(...data);
    return codec(encoding).decode(data);
  }

  function readUnits(pointer, size) {
    const heap = M.HEAPU16;
    let text = "";
    for (let i = pointer / 2; i < pointer / 2 + size && heap[i] !== 0; ++i)
      text += String.fromCharCode(heap[i]);
    return text;
  }

  // --- Number formatting and parsing

  function eng(value, given) {
    const o = options(given, "eng", ["unit", "digits", "scale", "size", "encoding"]);
    number(value, "value");
    const encoding = or(o.encoding, DEFAULT_ENCODING);
    let mode = SCALES.auto;
    if (typeof o.scale === "string") {
      const key = o.scale.toLowerCase();
      if (!Object.hasOwn(SCALES, key))
        throw new RangeError(`scale must be one of ${Object.keys(SCALES).join(", ")} or 0..255, not ${JSON.stringify(o.scale)}`);
      mode = SCALES[key];
    } else if (o.scale !== undefined) {
      mode = integer(o.scale, "scale", 0, 255);
    }
    const digits = integer(or(o.digits, 4), "digits", 0, 65535);
    const size = integer(or(o.size, FORMAT), "size", 1, FORMAT);
    const unit = narrow(or(o.unit, ""), "unit", encoding, FORMAT - 1);
    return scratch((space) => {
      const destination = space.zeroed(size);
      const result = M._cm_double_to_eng_string(destination, value, space.bytes(unit), digits, size, mode);
      if (result !== 1)
        throw new TextRefusedError(`the engineering text of ${value} does not fit ${size} bytes`, { result, size });
      return readText(destination, size, encoding);
    });
  }

  function simple(value, given) {
    const o = options(given, "simple", ["width", "decimals", "zeroFill", "separator", "size"]);
    number(value, "value");
    const width = integer(or(o.width, 0), "width", 0, 255);
    const decimals = o.decimals === undefined ? 255 : integer(o.decimals, "decimals", 0, 254);
    const zeroFill = bool(o.zeroFill, "zeroFill");
    const size = integer(or(o.size, FORMAT), "size", 1, FORMAT);
    const separator = o.separator === undefined ? undefined : character(o.separator, "separator");
    return scratch((space) => {
      const destination = space.zeroed(size);
      const group = separator === undefined ? 0 : space.bytes(Uint8Array.of(separator & 0xff));
      const result = M._cm_double_to_simple_string(destination, value, width, decimals, zeroFill ? 1 : 0, group, size);
      if (result !== 1)
        throw new TextRefusedError(`the decimal text of ${value} is refused: it does not fit ${size} bytes, or the width would cut integer digits`, { result, size });
      return readText(destination, size);
    });
  }

  function sci(value, given) {
    const o = options(given, "sci", ["decimals", "size"]);
    number(value, "value");
    const decimals = integer(or(o.decimals, 2), "decimals", 0, 19);
    const size = integer(or(o.size, 64), "size", 1, FORMAT);
    return scratch((space) => {
      const destination = space.zeroed(size);
      M._cm_sientific_format(destination, value, decimals, size);
      const text = readText(destination, size);
      if (text === "")
        throw new TextRefusedError(`the scientific text of ${value} does not fit ${size} bytes`, { result: text, size });
      return text;
    });
  }

  function price(amount, given) {
    const o = options(given, "price", ["separator", "divisorExponent", "size"]);
    number(amount, "amount");
    const separator = or(o.separator, "");
    const mark = separator === "" ? 0 : character(separator, "separator");
    const exponent = integer(or(o.divisorExponent, 0), "divisorExponent", 0, 255);
    const size = integer(or(o.size, 64), "size", 4, FORMAT);
    return scratch((space) => {
      const destination = space.zeroed(size);
      M._cm_price_to_string(destination, amount, size, exponent, mark);
      return readText(destination, size);
    });
  }

  const DIVISORS = [
    ["1e3", LIMITS.SEVENSEG_DIVIDE_BY_KILO, 1e3],
    ["1e6", LIMITS.SEVENSEG_DIVIDE_BY_MEGA, 1e6],
    ["1e9", LIMITS.SEVENSEG_DIVIDE_BY_GIGA, 1e9],
    ["1e12", LIMITS.SEVENSEG_DIVIDE_BY_TERA, 1e12],
  ];

  // The short text NumberTo4SevenSeg packs for these flags, and which scale made it, as the
  // corvixmath tool prints them.
  function sevenSegmentText(value, flags) {
    let text;
    let scale;
    if ((flags & (LIMITS.SEVENSEG_FIXED_DIVISOR | LIMITS.SEVENSEG_PLAIN)) !== 0) {
      let divisor = 1;
      scale = "plain";
      if ((flags & LIMITS.SEVENSEG_FIXED_DIVISOR) !== 0) {
        scale = "fixed, no divisor";
        const chosen = DIVISORS.find(([, bit]) => (flags & bit) !== 0);
        if (chosen) {
          divisor = chosen[2];
          scale = `fixed, divided by ${chosen[0]}`;
        }
      }
      text = scratch((space) => {
        const size = LIMITS.SEVENSEG_TEXT_UNITS;
        const buffer = space.zeroed(size);
        M._cmjs_fixed_text(value / divisor, 4, buffer, size);
        return readText(buffer, size);
      });
      text = text.replace(/0+$/, "").replace(/\.+$/, "");
    } else {
      text = scratch((space) => {
        const size = LIMITS.SEVENSEG_TEXT_UNITS;
        const buffer = space.zeroed(size);
        M._cm_double_to_eng_string(buffer, value, space.bytes(new Uint8Array(0)),
          LIMITS.SEVENSEG_CHARACTERS, size, SCALES.auto);
        return readText(buffer, size);
      });
      const blank = text.lastIndexOf(" ");
      scale = blank >= 0 && blank + 1 < text.length ? `Auto chose ${text.slice(blank + 1)}` : "Auto chose no letter";
    }
    if ((flags & LIMITS.SEVENSEG_DROP_MINUS) !== 0 && text.startsWith("-")) text = text.replaceAll("-", "");
    return { text, scale };
  }

  function sevenseg(value, given) {
    const o = options(given, "sevenseg", ["flags", "plain", "dropMinus", "divide"]);
    number(value, "value");
    let flags = int32(or(o.flags, 0), "flags");
    if (bool(o.plain, "plain")) flags |= LIMITS.SEVENSEG_PLAIN;
    if (bool(o.dropMinus, "dropMinus")) flags |= LIMITS.SEVENSEG_DROP_MINUS;
    if (o.divide !== undefined) {
      const chosen = DIVISORS.find(([name]) => name === o.divide);
      if (!chosen)
        throw new RangeError(`divide must be 1e3, 1e6, 1e9 or 1e12, not ${JSON.stringify(o.divide)}`);
      flags |= LIMITS.SEVENSEG_FIXED_DIVISOR | chosen[1];
    }
    const signed = M._cm_number_to_4_seven_seg(value, flags);
    const word = signed >>> 0;
    const digits = [];
    const points = [];
    const bits = LIMITS.SEVENSEG_CODE_BITS;
    for (let c = 1; c <= LIMITS.SEVENSEG_CHARACTERS; ++c) {
      const code = (word >>> (bits * (LIMITS.SEVENSEG_CHARACTERS - c))) & ((1 << bits) - 1);
      digits.push(code <= 9 ? String(code) : code === LIMITS.SEVENSEG_MINUS_CODE ? "-" : " ");
      points.push(((word >>> (LIMITS.SEVENSEG_FIRST_POINT_BIT + 1 - c)) & 1) === 1);
    }
    return { word, ...sevenSegmentText(value, flags), digits, points, fault: signed === MISSING_VALUE };
  }

  function parse(text) {
    const data = narrow(text, "text", DEFAULT_ENCODING, FIELD - 1);
    const value = scratch((space) => M._cm_eng_str_2_simple_value(space.bytes(data)));
    // "-999" itself reads as -999; only an unreadable text gives the marker otherwise.
    if (value === MISSING_VALUE && Number(text.replaceAll(" ", "") || "x") !== MISSING_VALUE)
      throw new RangeError(`${JSON.stringify(text)} is not an engineering text`);
    return value;
  }

  function parseHex(text) {
    const data = narrow(text, "text");
    return scratch((space) => M._cm_hex_string_to_decimal(space.bytes(data)));
  }

  // --- Checks

  const CONTROL_ID_FORMS = [
    "not a control identifier",
    "old form (two letters, 3 digits)",
    "new form (two letters, 4 digits)",
    "seven-character form (two letters, 10001-99999)",
  ];
  const NUMBER_FORMS = [
    "not a number",
    "signed integer with scale letter",
    "unsigned integer with scale letter",
    "signed integer",
    "unsigned integer",
    "signed decimal with scale letter",
    "unsigned decimal with scale letter",
    "signed decimal",
    "unsigned decimal",
  ];
  const ADDRESS_CODES = new Map([
    [LIMITS.ADDRESS_VALID, "valid address"],
    [LIMITS.ADDRESS_NO_DOT, "no dot in the address"],
    [LIMITS.ADDRESS_FIELD_ABOVE_254, "a field above 254"],
    [LIMITS.ADDRESS_FIELD_NEGATIVE, "a negative field"],
    [LIMITS.ADDRESS_NOT_FOUR_FIELDS, "not four fields"],
    [LIMITS.ADDRESS_LAST_FIELD_NOT_A_NUMBER, "the last field is not a number"],
  ]);
  const check = (code, ok, message) => ({ code, ok, message });

  function checkExpression(expression, given) {
    const o = options(given, "checkExpression", ["variables"]);
    const data = narrow(expression, "expression");
    let listed;
    if (o.variables !== undefined) {
      if (typeof o.variables === "string" || o.variables === null || typeof o.variables[Symbol.iterator] !== "function")
        throw new TypeError(`variables must be an iterable of names, not ${describe(o.variables)}`);
      const names = [...o.variables].map((name) => string(name, "variable"));
      listed = narrow(`#${names.join("#")}#`, "variables");
    }
    return scratch((space) => {
      const message = space.zeroed(MESSAGE);
      const code = M._cm_verify_reg_exp_string(space.bytes(data), message, listed ? space.bytes(listed) : 0);
      return check(code, code === 1, code === 1 ? "valid" : readText(message, MESSAGE));
    });
  }

  function checkIp(address) {
    const data = narrow(address, "address");
    const code = scratch((space) => M._cm_is_valid_ip_string(space.bytes(data)));
    return check(code, code === 1, ADDRESS_CODES.get(code) ?? `code ${code}`);
  }

  function checkEndpoint(text) {
    const data = narrow(text, "text");
    return scratch((space) => {
      const address = space.zeroed(LIMITS.ADDRESS_BYTES);
      const port = space.zeroed(2);
      const code = M._cm_is_valid_ip_and_port_string(space.bytes(data), address, port);
      if (code === 1)
        return { ...check(1, true, "valid"), address: readText(address, LIMITS.ADDRESS_BYTES), port: M.HEAPU16[port / 2] };
      let meaning;
      if (code === 0) meaning = "no ':' or the port is not a port";
      else if (code === LIMITS.ADDRESS_PART_TOO_LONG) meaning = "the address part is too long";
      else if (-code >= LIMITS.ADDRESS_NO_DOT) meaning = ADDRESS_CODES.get(-code) ?? `address code ${-code}`;
      else meaning = `the port is a ${NUMBER_FORMS[-code] ?? "bad number"}`;
      return { ...check(code, false, meaning), address: null, port: null };
    });
  }

  function checkControlId(identifier, given) {
    const wide = bool(options(given, "checkControlId", ["wide"]).wide, "wide");
    const code = wide
      ? scratch((space) => M._cm_is_valid_control_id_u16(space.units(string(identifier, "identifier"))))
      : scratch((space) => M._cm_is_valid_control_id(space.bytes(narrow(identifier, "identifier"))));
    return check(code, code > 0, CONTROL_ID_FORMS[code] ?? `code ${code}`);
  }

  function checkNumber(text, given) {
    const wide = bool(options(given, "checkNumber", ["wide"]).wide, "wide");
    const code = wide
      ? scratch((space) => M._cm_is_digit_u16(space.units(string(text, "text"))))
      : scratch((space) => M._cm_is_digit(space.bytes(narrow(text, "text"))));
    return check(code, code > 0, NUMBER_FORMS[code] ?? `code ${code}`);
  }

  function convertControlId(identifier) {
    const size = LIMITS.CONTROL_ID_BYTES;
    const data = narrow(identifier, "identifier", DEFAULT_ENCODING, size - 1);
    return scratch((space) => {
      const buffer = space.bytes(data, size);
      M._cm_check_control_id_and_convert_to_new_version(buffer);
      return readText(buffer, size);
    });
  }

  function characterClasses(text, given) {
    const o = options(given, "characterClasses", ["encoding"]);
    const data = narrow(text, "text", or(o.encoding, DEFAULT_ENCODING));
    return scratch((space) => M._cm_is_alpha_numeric(space.bytes(data)) >>> 0);
  }

  // --- Vocabulary and fonts

  function decodeFont(descriptor) {
    const data = narrow(descriptor, "descriptor", DEFAULT_ENCODING, FORMAT - 1);
    const comma = data.indexOf(0x2c);
    if (comma >= LIMITS.FACE_BYTES)
      throw new RangeError(`the face name is longer than ${LIMITS.FACE_BYTES - 1} bytes`);
    return scratch((space) => {
      const face = space.zeroed(LIMITS.FACE_BYTES);
      const size = space.zeroed(1);
      const colour = space.zeroed(4);
      const style = space.zeroed(1);
      M._cm_decode_font_string(space.bytes(data), face, size, colour, style);
      return {
        face: readText(face, LIMITS.FACE_BYTES),
        size: M.HEAPU8[size],
        colour: M.HEAPU32[colour / 4],
        style: M.HEAPU8[style],
      };
    });
  }

  const lookUp = (name, read) => scratch((space) => read(space.bytes(narrow(name, "name"))));
  const dataTypeIndex = (name) => lookUp(name, (p) => M._cm_data_type_string_to_index(p) & 0xff);
  const controlKindCode = (name) => lookUp(name, (p) => M._cm_cp_model_to_uc_model(p) & 0xff);
  const valueFormatIndex = (name) => lookUp(name, (p) => M._cm_numeric_value_string_to_index(p) & 0xff);
  const scaleIndex = (name) => lookUp(name, (p) => M._cm_scale_string_2_index(p));

  function typeCodeName(code) {
    integer(code, "code", 0, 255);
    return scratch((space) => {
      const name = space.zeroed(NAME);
      M._cm_uc_model_to_cp_model(code, name);
      return readText(name, NAME);
    });
  }

  function scaleName(index) {
    int32(index, "index");
    const name = scratch((space) => {
      const buffer = space.zeroed(NAME);
      M._cm_scale_index_2_string(buffer, index, NAME);
      return readText(buffer, NAME);
    });
    if (name === "") throw new RangeError(`scale index ${index} has no name`);
    return name;
  }

  function componentName(computerId) {
    int32(computerId, "computerId");
    const name = scratch((space) => {
      const buffer = space.zeroed(NAME);
      M._cm_computer_id_to_string(computerId, buffer);
      return readText(buffer, NAME);
    });
    return name === "" ? null : name;
  }

  // --- Statistics

  function samples(values, name) {
    if (values === null || typeof values !== "object" || typeof values.length !== "number")
      throw new TypeError(`${name} must be an array or typed array of numbers, not ${describe(values)}`);
    return values;
  }

  function statistics(values) {
    samples(values, "values");
    const count = values.length;
    if (count === 0) throw new RangeError("statistics of no samples: there is no minimum, maximum or average");
    if (count > INT32[1]) throw new RangeError("too many samples");
    for (let i = 0; i < count; ++i) finite(values[i], `sample ${i}`);
    return scratch((space) => {
      const array = space.alloc(count * 8);
      M.HEAPF64.set(values, array / 8);
      const results = space.zeroed(32);
      M._cm_calculate_min_max_avr_sd(array, count, results, results + 8, results + 16, results + 24);
      const [minimum, maximum, average, spread] = M.HEAPF64.slice(results / 8, results / 8 + 4);
      return { minimum, maximum, average, spread };
    });
  }

  // --- Windows over any span, through the multi-day reducer

  const REDUCER_REASONS = new Map([
    [LIMITS.REDUCER_NULL_ARGUMENT, [TypeError, "a null handle or array"]],
    [LIMITS.REDUCER_BAD_SIZE, [RangeError, "a width, step, series count, sample count or capacity out of range"]],
    [LIMITS.REDUCER_BAD_FLAGS, [RangeError, "an unknown flag, or series averages not asked for"]],
    [LIMITS.REDUCER_BAD_SERIES, [RangeError, "a series outside 0 to the series count - 1"]],
    [LIMITS.REDUCER_TIME_GOES_BACK, [RangeError, "a time before the series' last time or the time given to advance()"]],
    [LIMITS.REDUCER_TIME_OUT_OF_RANGE, [RangeError, `a time beyond +-${TIME_LIMIT} s`]],
    [LIMITS.REDUCER_NOT_FINITE, [RangeError, "a NaN or infinite value"]],
    [LIMITS.REDUCER_TOO_MANY_WINDOWS, [RangeError, `more windows than ${LIMITS.REDUCER_MOST_WINDOWS}`]],
    [LIMITS.REDUCER_FINISHED, [RangeError, "the reducer is finished: no sample or advance can follow finish()"]],
    [LIMITS.REDUCER_NO_MEMORY, [RangeError, "the open windows' samples did not fit in memory"]],
    [LIMITS.REDUCER_ALREADY_STARTED, [RangeError, "the origin must be set before the first sample or advance"]],
  ]);

  function reducerError(code, what) {
    const [Kind, reason] = REDUCER_REASONS.get(code) ?? [Error, `unknown result ${code}`];
    const error = new Kind(`${what}: ${reason}`);
    error.result = code;
    return error;
  }

  // A width or step: whole seconds, or the tool's text ("90", "15m", "1h", "7d", "2w").
  function duration(value, name) {
    if (typeof value === "string") {
      const match = /^(\d+)([smhdw]?)$/.exec(value.trim());
      if (!match) throw new RangeError(`${name} must be seconds or a number with s, m, h, d or w, not ${JSON.stringify(value)}`);
      value = Number(match[1]) * DURATION_UNITS[match[2]];
    } else if (typeof value === "bigint") {
      value = Number(value);
    }
    return integer(value, name, 1, LIMITS.REDUCER_LONGEST_SECONDS);
  }

  // A time as int64: an integer number or a BigInt.
  function time(value, name) {
    if (typeof value === "bigint") {
      if (value < INT64[0] || value > INT64[1]) throw new RangeError(`${name} must lie in the 64-bit range, not ${value}`);
      return value;
    }
    if (typeof value !== "number" || !Number.isInteger(value))
      throw new TypeError(`${name} must be an integer (seconds), not ${typeof value === "number" ? value : describe(value)}`);
    const big = BigInt(value);
    if (big < INT64[0] || big > INT64[1]) throw new RangeError(`${name} must lie in the 64-bit range, not ${value}`);
    return big;
  }

  // Writes a series' times into the heap as int64 from index `at` of HEAP64. Numbers go in as
  // two 32-bit halves (exact for every integer a double holds), sparing a BigInt a sample.
  function writeTimes(times, at, label) {
    if (times instanceof BigInt64Array) {
      M.HEAP64.set(times, at);
      return;
    }
    const halves = M.HEAP32;
    for (let i = 0; i < times.length; ++i) {
      const t = times[i];
      if (typeof t === "number" && Number.isInteger(t) && t >= -(2 ** 63) && t < 2 ** 63) {
        const high = Math.floor(t / 4294967296);
        halves[2 * (at + i)] = (t - high * 4294967296) | 0;
        halves[2 * (at + i) + 1] = high;
      } else {
        M.HEAP64[at + i] = time(t, `time ${i} of ${label}`);
      }
    }
  }

  const registry = new FinalizationRegistry((handle) => M._cm_reducer_destroy(handle));

  class Reducer {
    #handle = 0;
    #last;
    #floor = null;

    constructor(given) {
      const o = options(given, "Reducer", ["width", "step", "seriesCount", "emptyWindows", "seriesAverages", "origin"]);
      this.width = duration(o.width, "width");
      this.step = duration(o.step, "step");
      this.seriesCount = integer(o.seriesCount, "seriesCount", 1, LIMITS.MAX_SERIES);
      this.seriesAverages = bool(o.seriesAverages, "seriesAverages");
      const flags = (bool(o.emptyWindows, "emptyWindows") ? LIMITS.REDUCER_EMPTY_WINDOWS : 0) |
        (this.seriesAverages ? LIMITS.REDUCER_SERIES_AVERAGES : 0);
      const origin = o.origin === undefined ? undefined : time(o.origin, "origin");
      this.#last = new Array(this.seriesCount).fill(null);
      const handle = scratch((space) => {
        const out = space.zeroed(4);
        const code = M._cm_reducer_create(BigInt(this.width), BigInt(this.step), this.seriesCount, flags, out);
        if (code !== LIMITS.REDUCER_OK) throw reducerError(code, "cannot make a reducer");
        return M.HEAPU32[out / 4];
      });
      this.#handle = handle;
      registry.register(this, handle, this);
      if (origin !== undefined) {
        try {
          this.#startAt(origin);
        } catch (error) {
          this.close();
          throw error;
        }
      }
    }

    #open() {
      if (this.#handle === 0) throw new RangeError("the reducer is closed");
      return this.#handle;
    }

    #startAt(origin) {
      const code = M._cm_reducer_start_at(this.#handle, origin);
      if (code !== LIMITS.REDUCER_OK) throw reducerError(code, `origin ${origin} s`);
      const day = BigInt(DAY);
      let midnight = (origin / day) * day;
      if (midnight > origin) midnight -= day; // floor for times before the epoch
      this.#floor = [midnight, `the origin's midnight (${midnight} s)`];
    }

    push(series, times, values) {
      const handle = this.#open();
      integer(series, "series", 0, this.seriesCount - 1);
      const label = `series ${series}`;
      samples(times, `the times of ${label}`);
      samples(values, `the values of ${label}`);
      const count = times.length;
      if (values.length !== count) throw new RangeError(`${label} has ${count} times and ${values.length} values`);
      if (count > MOST_PER_PUSH) throw new RangeError(`${count} samples in one push; push at most ${MOST_PER_PUSH} at a time`);
      if (!(values instanceof Float64Array))
        for (let i = 0; i < count; ++i) number(values[i], `value ${i} of ${label}`);
      let refused = null;
      scratch((space) => {
        const timePointer = space.alloc(count * 8);
        const valuePointer = space.alloc(count * 8);
        writeTimes(times, timePointer / 8, label);
        M.HEAPF64.set(values, valuePointer / 8);
        const code = M._cm_reducer_push(handle, series, timePointer, valuePointer, count);
        // The times as the library read them, to name a refused sample, or the last one kept.
        if (code !== LIMITS.REDUCER_OK) refused = [code, M.HEAP64.slice(timePointer / 8, timePointer / 8 + count)];
        else if (count) this.#last[series] = M.HEAP64[timePointer / 8 + count - 1];
      });
      if (refused) throw this.#refusedPush(refused[0], series, refused[1], values);
    }

    // The error of a refused push, naming the sample the library stopped at.
    #refusedPush(code, series, times, values) {
      const label = `series ${series}`;
      if (code === LIMITS.REDUCER_TOO_MANY_WINDOWS) {
        const error = new RangeError(`the samples of ${label} up to ${times[times.length - 1]} s would make ${this.counts.refusedWindows} windows of ${this.width} s every ${this.step} s from the first sample's day to the last one's; at most ${LIMITS.REDUCER_MOST_WINDOWS}: choose a longer step`);
        error.result = code;
        return error;
      }
      let floor = this.#floor;
      const last = this.#last[series];
      if (last !== null && (floor === null || last >= floor[0])) floor = [last, `the series' last time (${last} s)`];
      const limit = BigInt(TIME_LIMIT);
      for (let i = 0; i < times.length; ++i) {
        const t = times[i];
        let message;
        if (t < -limit || t > limit) message = `sample ${i} of ${label} at ${t} s lies beyond the reducer's times, +-${TIME_LIMIT} s`;
        else if (!Number.isFinite(values[i])) message = `value of sample ${i} of ${label} is ${values[i]}; samples must be finite`;
        else if (floor !== null && t < floor[0]) message = `sample ${i} of ${label} at ${t} s goes back before ${floor[1]}; the times of a series must not go back`;
        if (message) {
          const error = new RangeError(message);
          error.result = code;
          return error;
        }
        floor = [t, `sample ${i} (${t} s)`];
      }
      return reducerError(code, `the samples of ${label} are refused`);
    }

    advance(at) {
      const handle = this.#open();
      const t = time(at, "time");
      const code = M._cm_reducer_advance(handle, t);
      if (code === LIMITS.REDUCER_TIME_GOES_BACK && this.#floor !== null) {
        const error = new RangeError(`advance to ${t} s goes back before ${this.#floor[1]}`);
        error.result = code;
        throw error;
      }
      if (code !== LIMITS.REDUCER_OK) throw reducerError(code, `advance to ${t} s`);
      this.#floor = [t, `the time given to advance() (${t} s)`];
    }

    finish() {
      const code = M._cm_reducer_finish(this.#open());
      if (code !== LIMITS.REDUCER_OK) throw reducerError(code, "finish");
    }

    take(most) {
      const handle = this.#open();
      if (most !== undefined) integer(most, "most", 0, Number.MAX_SAFE_INTEGER);
      const series = this.seriesCount;
      const taken = [];
      scratch((space) => {
        const buffer = space.alloc(TAKE_BATCH * WINDOW_BYTES);
        const averages = this.seriesAverages ? space.alloc(TAKE_BATCH * series * 8) : 0;
        while (most === undefined || taken.length < most) {
          const room = most === undefined ? TAKE_BATCH : Math.min(TAKE_BATCH, most - taken.length);
          const written = M._cm_reducer_take(handle, buffer, averages, room);
          if (written < 0) throw reducerError(written, "take");
          const bytes = new DataView(M.HEAPU8.buffer);
          for (let i = 0; i < written; ++i) {
            const at = buffer + i * WINDOW_BYTES;
            const hasData = bytes.getInt32(at + 32, true) !== 0;
            const window = {
              minimum: hasData ? bytes.getFloat64(at + 8, true) : NaN,
              maximum: hasData ? bytes.getFloat64(at + 16, true) : NaN,
              mean: hasData ? bytes.getFloat64(at + 24, true) : NaN,
              centre: Number(bytes.getBigInt64(at, true)),
              hasData,
            };
            if (averages) window.averages = M.HEAPF64.slice(averages / 8 + i * series, averages / 8 + (i + 1) * series);
            taken.push(window);
          }
          if (written < room) break;
        }
      });
      return taken;
    }

    get counts() {
      const handle = this.#open();
      return scratch((space) => {
        const counts = space.zeroed(COUNTS_FIELDS * 8);
        const code = M._cm_reducer_get_counts(handle, counts);
        if (code !== LIMITS.REDUCER_OK) throw reducerError(code, "counts");
        const [samplesTaken, samplesHeldByNoWindow, samplesOpen, windowsReduced, windowsWaiting, refusedWindows] =
          Array.from(M.HEAP64.slice(counts / 8, counts / 8 + COUNTS_FIELDS), Number);
        return { samplesTaken, samplesHeldByNoWindow, samplesOpen, windowsReduced, windowsWaiting, refusedWindows };
      });
    }

    close() {
      const handle = this.#handle;
      this.#handle = 0;
      if (handle !== 0) {
        registry.unregister(this);
        M._cm_reducer_destroy(handle);
      }
    }
  }
  if (Symbol.dispose) Reducer.prototype[Symbol.dispose] = Reducer.prototype.close;

  const isSeries = (x) => ArrayBuffer.isView(x) || Array.isArray(x);

  function windows(times, values, given) {
    const o = options(given, "windows", ["width", "step", "emptyWindows", "seriesAverages", "origin"]);
    if (!isSeries(times)) throw new TypeError(`times must be an array or typed array, or an array of them, not ${describe(times)}`);
    if (!isSeries(values)) throw new TypeError(`values must be an array or typed array, or an array of them, not ${describe(values)}`);
    // Several series when the times hold arrays; one otherwise.
    const several = Array.isArray(times) && times.length > 0 && times.every(isSeries);
    const timeSeries = several ? times : [times];
    const valueSeries = several ? values : [values];
    if (several && !(Array.isArray(values) && values.every(isSeries)))
      throw new TypeError("values must be an array of arrays when times is one");
    if (timeSeries.length !== valueSeries.length)
      throw new RangeError(`${timeSeries.length} series of times and ${valueSeries.length} of values`);
    if (timeSeries.length > LIMITS.MAX_SERIES)
      throw new RangeError(`${timeSeries.length} series; the library reduces at most ${LIMITS.MAX_SERIES} at once`);
    const reducer = new Reducer({
      width: o.width, step: o.step, seriesCount: Math.max(timeSeries.length, 1),
      emptyWindows: o.emptyWindows, seriesAverages: o.seriesAverages, origin: o.origin,
    });
    try {
      timeSeries.forEach((t, series) => reducer.push(series, t, valueSeries[series]));
      reducer.finish();
      const result = reducer.take();
      result.samplesHeldByNoWindow = reducer.counts.samplesHeldByNoWindow;
      return result;
    } finally {
      reducer.close();
    }
  }

  return {
    VERSION: version, LIMITS, DEFAULT_ENCODING, MISSING_VALUE, NOT_FOUND, SCALES, TextRefusedError,
    eng, simple, sci, price, sevenseg, parse, parseHex,
    checkExpression, checkIp, checkEndpoint, checkControlId, checkNumber, convertControlId, characterClasses,
    decodeFont, dataTypeIndex, controlKindCode, typeCodeName, valueFormatIndex, scaleName, scaleIndex, componentName,
    statistics, Reducer, windows,
  };
}
