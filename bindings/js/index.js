// CorvixMath for JavaScript: loads the library's WebAssembly module (wasm/corvixmath.wasm,
// beside this file) once, at import, so `import { eng } from "corvixmath"` just works in Node
// and in browsers. single.js is the same API over the variant with the .wasm inlined.
import createCorvixMath from "./wasm/corvixmath.js";
import { bind } from "./api.js";

const wasmUrl = new URL("./wasm/corvixmath.wasm", import.meta.url);
const inNode = typeof process === "object" && typeof process.versions?.node === "string";
// Node's fetch() does not read file: URLs, so Node hands the loader the bytes itself.
const settings = inNode
  ? { wasmBinary: (await import("node:fs")).readFileSync(wasmUrl) }
  : { locateFile: () => wasmUrl.href };

export const {
  VERSION, LIMITS, DEFAULT_ENCODING, MISSING_VALUE, NOT_FOUND, SCALES, TextRefusedError,
  eng, simple, sci, price, sevenseg, parse, parseHex,
  checkExpression, checkIp, checkEndpoint, checkControlId, checkNumber, convertControlId,
  characterClasses, decodeFont, dataTypeIndex, controlKindCode, typeCodeName, valueFormatIndex,
  scaleName, scaleIndex, componentName, statistics, Reducer, windows,
} = bind(await createCorvixMath(settings));
