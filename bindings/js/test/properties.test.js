// Properties of the package for arbitrary arguments (fast-check), as the Python package's:
// - every public function answers or throws TypeError or RangeError, for arguments of any type
//   and for well-typed ones of any value; the module never traps;
// - a formatted text is never cut: with any size it is refused or it is the whole text;
// - parse(eng(x)) gives x back within the last digit eng shows;
// - windows() agrees with a plain reduction written here, to the last bit.
import { test } from "node:test";
import assert from "node:assert/strict";
import fc from "fast-check";
import * as cm from "../index.js";

const RUNS = { numRuns: 300 };
const anyText = fc.oneof(fc.string({ unit: "binary", maxLength: 40 }), fc.string({ maxLength: 40 }));
const anything = fc.oneof(anyText, fc.double(), fc.integer(), fc.bigInt(), fc.boolean(), fc.constant(null),
  fc.constant(undefined), fc.array(fc.double(), { maxLength: 4 }), fc.object({ maxDepth: 1 }),
  fc.float64Array({ maxLength: 4 }));

const FUNCTIONS = ["eng", "simple", "sci", "price", "sevenseg", "parse", "parseHex", "checkExpression",
  "checkIp", "checkEndpoint", "checkControlId", "checkNumber", "convertControlId", "characterClasses",
  "decodeFont", "dataTypeIndex", "controlKindCode", "typeCodeName", "valueFormatIndex", "scaleName",
  "scaleIndex", "componentName", "statistics"];

function answerOrRefuse(name, args) {
  let answer;
  try {
    answer = cm[name](...args);
  } catch (error) {
    assert.ok(error instanceof TypeError || error instanceof RangeError, `${name} threw ${error}`);
    return undefined;
  }
  if (typeof answer === "string") assert.ok(!answer.includes("\0"), `${name} gave a NUL`);
  return answer;
}

test("any arguments give an answer, a TypeError or a RangeError", () => {
  fc.assert(fc.property(fc.constantFrom(...FUNCTIONS), fc.array(anything, { maxLength: 3 }),
    (name, args) => { answerOrRefuse(name, args); }), { numRuns: 1500 });
});

// Well-typed arguments: the first is what the function reads, the second its options.
const OPTIONS = {
  eng: fc.record({ unit: anyText, digits: fc.integer({ min: -2, max: 70000 }), scale: fc.oneof(fc.integer({ min: -1, max: 256 }), fc.constantFrom(...Object.keys(cm.SCALES))), size: fc.integer({ min: 0, max: 1100 }) }, { requiredKeys: [] }),
  simple: fc.record({ width: fc.integer({ min: 0, max: 255 }), decimals: fc.integer({ min: 0, max: 254 }), zeroFill: fc.boolean(), separator: fc.constantFrom(",", ".", " ", "\u066c"), size: fc.integer({ min: 1, max: 1024 }) }, { requiredKeys: [] }),
  sci: fc.record({ decimals: fc.integer({ min: 0, max: 19 }), size: fc.integer({ min: 1, max: 1024 }) }, { requiredKeys: [] }),
  price: fc.record({ separator: fc.constantFrom("", ",", "."), divisorExponent: fc.integer({ min: 0, max: 255 }), size: fc.integer({ min: 4, max: 1024 }) }, { requiredKeys: [] }),
  sevenseg: fc.record({ flags: fc.integer(), plain: fc.boolean(), dropMinus: fc.boolean(), divide: fc.constantFrom("1e3", "1e6", "1e9", "1e12") }, { requiredKeys: [] }),
};
const VALUE_FIRST = new Set(["eng", "simple", "sci", "price", "sevenseg"]);
const NUMBER_FIRST = new Set(["typeCodeName", "scaleName", "componentName"]);

test("well-typed arguments of any value give an answer or a RangeError", () => {
  fc.assert(fc.property(fc.constantFrom(...FUNCTIONS), fc.gen(), (name, draw) => {
    let first;
    if (VALUE_FIRST.has(name)) first = draw(fc.double);
    else if (NUMBER_FIRST.has(name)) first = draw(fc.integer, { min: -5, max: 70000 });
    else if (name === "statistics") first = draw(fc.array, fc.double(), { maxLength: 8 });
    else first = draw(() => anyText);
    const args = OPTIONS[name] ? [first, draw(() => OPTIONS[name])] : [first];
    try {
      const answer = cm[name](...args);
      if (typeof answer === "string") assert.ok(!answer.includes("\0"));
    } catch (error) {
      if (!(error instanceof RangeError)) throw new Error(`${name}(${JSON.stringify(args)}) threw ${error}`);
    }
  }), { numRuns: 2000 });
});

const FORMATTERS = [
  ["eng", (value, size) => cm.eng(value, { size })],
  ["simple", (value, size) => cm.simple(value, { decimals: 3, size })],
  ["sci", (value, size) => cm.sci(value, { size })],
];
const bytes = (text) => [...text].length; // Windows-1256: one byte a character

test("a formatted text is whole or refused, whatever the size", () => {
  fc.assert(fc.property(fc.constantFrom(...FORMATTERS), fc.double(), fc.integer({ min: 1, max: 64 }),
    ([name, format], value, size) => {
      let whole;
      try {
        whole = format(value, cm.LIMITS.FORMAT_UNITS);
      } catch {
        return;
      }
      let text;
      try {
        text = format(value, size);
      } catch (error) {
        assert.ok(error instanceof cm.TextRefusedError, `${name}: ${error}`);
        assert.equal(error.size, size);
        assert.ok(bytes(whole) + 1 > size, `${name}(${value}) refused at ${size}: ${whole}`);
        return;
      }
      assert.equal(text, whole, `${name}(${value}) at ${size}`);
      assert.ok(bytes(text) + 1 <= size);
    }), RUNS);
});

const SCALE_LETTERS = { "": 1, K: 1e3, M: 1e6, G: 1e9, T: 1e12 };

// eng() writes peta from 1e15 on, which parse does not read; below it every text reads.
test("parse(eng(x)) gives x back within the digits eng shows", () => {
  const values = fc.oneof(fc.double({ min: -9.99e14, max: 9.99e14, noNaN: true }),
    fc.integer({ min: -(10 ** 14), max: 10 ** 14 }),
    fc.constantFrom(0, -0, 999.95, 999.999, 1e3, 99999.5, 1e-4, 5e-4));
  fc.assert(fc.property(values, (value) => {
    const text = cm.eng(value);
    const [number, letter = ""] = text.split(" ");
    fc.pre(number !== "EEEE" && number !== "-EEEE");
    assert.ok(letter in SCALE_LETTERS, text);
    const decimals = (number.split(".")[1] ?? "").length;
    const step = 10 ** -decimals * SCALE_LETTERS[letter];
    const parsed = cm.parse(text);
    assert.ok(Math.abs(parsed - value) <= step * (1 + 1e-9), `${value} -> ${text} -> ${parsed}`);
  }), { numRuns: 500 });
});

// --- windows() against a plain reduction

const DAY = 86400;

// Window k centred at origin + k*step holds origin + k*step - floor(width/2) <= t < that +
// width; each series gives its samples' average (summed in order), the window the minimum,
// maximum and mean (in series order) of those averages. The axis runs from the midnight of
// the first sample's day while the upper bound stays within the midnight after the last
// sample's day plus half a width, and with step <= width until every sample is held.
function plainWindows(series, width, step, emptyWindows) {
  const times = series.flatMap(([ts]) => ts);
  if (times.length === 0) return [];
  const half = Math.floor(width / 2);
  const origin = Math.floor(Math.min(...times) / DAY) * DAY;
  const last = Math.max(...times);
  const end = Math.floor(last / DAY) * DAY + DAY;
  let count = Math.floor((end + half - (origin - half + width)) / step) + 1;
  if (step <= width) count = Math.max(count, Math.floor((last - (origin - half + width)) / step) + 2);
  const rows = [];
  for (let k = 0; k < count; ++k) {
    const lower = origin + k * step - half;
    const averages = [];
    for (const [ts, vs] of series) {
      let total = 0;
      let held = 0;
      ts.forEach((t, i) => {
        if (lower <= t && t < lower + width) {
          total += vs[i];
          ++held;
        }
      });
      if (held) averages.push(total / held);
    }
    if (averages.length === 0) {
      if (emptyWindows) rows.push([lower + half, null]);
      continue;
    }
    let mean = 0;
    for (const a of averages) mean += a;
    rows.push([lower + half, [Math.min(...averages), Math.max(...averages), mean / averages.length]]);
  }
  return rows;
}

const seriesOf = fc.integer({ min: -3 * DAY, max: 3 * DAY }).chain((start) =>
  fc.array(fc.tuple(fc.integer({ min: 0, max: DAY }), fc.array(fc.integer({ min: 0, max: 20000 }), { maxLength: 12 })), { minLength: 1, maxLength: 3 })
    .chain((shapes) => fc.tuple(...shapes.map(([offset, gaps]) => {
      const times = [];
      let t = start + offset;
      for (const gap of gaps) times.push((t += gap));
      return fc.array(fc.oneof(fc.double({ min: -1e6, max: 1e6, noNaN: true }), fc.integer({ min: -100, max: 100 })),
        { minLength: times.length, maxLength: times.length }).map((values) => [times, values]);
    }))));

test("windows() agrees with a plain reduction, to the last bit", () => {
  fc.assert(fc.property(seriesOf, fc.constantFrom(1, 60, 300, 900, 3600, 3601, 7200, 86400),
    fc.constantFrom(60, 300, 900, 3600, 5400, 86400), fc.boolean(), fc.boolean(),
    (series, width, step, emptyWindows, typed) => {
      const times = series.map(([ts]) => (typed ? Float64Array.from(ts) : ts));
      const values = series.map(([, vs]) => (typed ? Float64Array.from(vs) : vs));
      const got = cm.windows(times, values, { width, step, emptyWindows });
      const expected = plainWindows(series, width, step, emptyWindows);
      assert.deepEqual(got.map((w) => w.centre), expected.map(([centre]) => centre));
      got.forEach((window, i) => {
        const row = expected[i][1];
        if (row === null) assert.ok(!window.hasData && Number.isNaN(window.mean));
        else assert.deepEqual([window.minimum, window.maximum, window.mean], row, `centre ${window.centre}`);
      });
    }), { numRuns: 150 });
});

test("windows() of anything answers or refuses", () => {
  fc.assert(fc.property(anything, anything, anything, anything, (times, values, width, step) => {
    try {
      const result = cm.windows(times, values, { width, step });
      assert.ok(Array.isArray(result) && typeof result.samplesHeldByNoWindow === "number");
    } catch (error) {
      assert.ok(error instanceof TypeError || error instanceof RangeError, String(error));
    }
  }), RUNS);
});
