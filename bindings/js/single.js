// The same API as index.js over the single-file module, whose .wasm is inlined: for pages
// that must work from file:// or be inlined into one HTML file.
import createCorvixMath from "./wasm/corvixmath-single.js";
import { bind } from "./api.js";

export const {
  VERSION, LIMITS, DEFAULT_ENCODING, MISSING_VALUE, NOT_FOUND, SCALES, TextRefusedError,
  eng, simple, sci, price, sevenseg, parse, parseHex,
  checkExpression, checkIp, checkEndpoint, checkControlId, checkNumber, convertControlId,
  characterClasses, decodeFont, dataTypeIndex, controlKindCode, typeCodeName, valueFormatIndex,
  scaleName, scaleIndex, componentName, statistics, Reducer, windows,
} = bind(await createCorvixMath());
