// What the shared table cannot hold: the JavaScript conventions (errors, options, encodings,
// typed arrays, the streaming reducer, the seven-segment drawing) and the single-file variant.
import { test } from "node:test";
import assert from "node:assert/strict";
import * as cm from "../index.js";
import * as single from "../single.js";
import { readFileSync } from "node:fs";
import createCorvixMath from "../wasm/corvixmath.js";
import { bind } from "../api.js";

test("the version and limits come from the library and its header", () => {
  assert.match(cm.VERSION, /^\d+\.\d+\.\d+$/);
  assert.equal(cm.LIMITS.FORMAT_UNITS, 1024);
  assert.equal(cm.MISSING_VALUE, -999);
  assert.ok(Object.isFrozen(cm.LIMITS));
  // The package's version is the library's (corvixmath.h), as the Python package's is.
  const manifest = JSON.parse(readFileSync(new URL("../package.json", import.meta.url), "utf8"));
  assert.equal(manifest.version, cm.VERSION);
});

test("the generated limits read every form of number the header writes", () => {
  const forms = [
    ["SECONDS_PER_DAY", 86400], // 86400L
    ["REDUCER_MOST_WINDOWS", 100000000], // 100000000LL
    ["REDUCER_EMPTY_WINDOWS", 1], // 0x1U
    ["SEVENSEG_DIVIDE_BY_TERA", 0x4000], // 0x4000L
    ["MISSING_VALUE", -999], // (-999)
    ["ADDRESS_PART_TOO_LONG", -15], // (-15)
    ["STATS_NO_DATA_MAXIMUM", -1e14], // (-100000000000000.0)
    ["WINDOW_NO_DATA_MINIMUM", 999999999999999], // 999999999999999.0
  ];
  for (const [name, value] of forms) assert.equal(cm.LIMITS[name], value, name);
});

test("a refused text throws TextRefusedError, a RangeError with the library's result", () => {
  const error = assert.throws(() => cm.eng(12345.678, { unit: "W", size: 5 }), cm.TextRefusedError);
  assert.throws(() => cm.eng(12345.678, { unit: "W", size: 5 }), (e) => {
    assert.ok(e instanceof RangeError);
    assert.equal(e.name, "TextRefusedError");
    assert.equal(e.size, 5);
    assert.equal(typeof e.result, "number");
    assert.notEqual(e.result, 1);
    return true;
  });
  assert.equal(error, undefined);
  // The exact fit: "12.34 KW" is 8 bytes and its terminator.
  assert.equal(cm.eng(12345.678, { unit: "W", size: 9 }), "12.34 KW");
  assert.throws(() => cm.eng(12345.678, { unit: "W", size: 8 }), cm.TextRefusedError);
});

test("texts longer than the library reads are refused, never cut", () => {
  const cases = [
    [() => cm.eng(1, { unit: "W".repeat(cm.LIMITS.FORMAT_UNITS) }), /unit is 1024 bytes long/],
    [() => cm.parse("1".repeat(cm.LIMITS.FIELD_UNITS)), /text is 16 bytes long/],
    [() => cm.decodeFont("F".repeat(40) + ",9"), /face name is longer than 31/],
    [() => cm.convertControlId("AB0123456"), /identifier is 9 bytes long/],
  ];
  for (const [call, message] of cases) assert.throws(call, { name: "RangeError", message });
  assert.equal(cm.parse("1".repeat(cm.LIMITS.FIELD_UNITS - 1)), 111111111111111);
});

test("wrong types throw TypeError, values out of range RangeError", () => {
  const typeErrors = [
    () => cm.eng("1"), () => cm.eng(1n), () => cm.eng(1, "W"), () => cm.eng(1, { units: "W" }),
    () => cm.eng(1, { digits: "4" }), () => cm.simple(1, { zeroFill: 1 }), () => cm.parse(12),
    () => cm.checkIp(null), () => cm.checkExpression("a", { variables: "ab" }),
    () => cm.checkExpression("a", { variables: [1] }), () => cm.statistics("1234"),
    () => cm.typeCodeName(1.5), () => cm.eng(1, { encoding: 1256 }), () => cm.eng(1, { digits: null }),
    () => cm.price(1, { separator: null }), () => cm.eng(1, { unit: null }),
  ];
  for (const call of typeErrors) assert.throws(call, TypeError, call.toString());
  const rangeErrors = [
    () => cm.eng(1, { digits: 65536 }), () => cm.sci(1, { size: 0 }), () => cm.price(1, { size: 3 }),
    () => cm.statistics([1, NaN]), () => cm.statistics([Infinity]), () => cm.scaleName(-1),
    () => cm.sevenseg(1, { divide: "1e4" }), () => cm.checkIp("1.2.3.4\0"),
  ];
  for (const call of rangeErrors) assert.throws(call, RangeError, call.toString());
});

test("narrow texts are Windows-1256 unless an encoding is named", () => {
  assert.equal(cm.eng(2500, { unit: "\u0648\u0627\u062a" }), "2.500 K\u0648\u0627\u062a");
  assert.throws(() => cm.eng(1, { unit: "\u00e9\u20ac\u4e2d" }), /which windows-1256 cannot encode/);
  assert.equal(cm.eng(2500, { unit: "\u20ac", encoding: "windows-1252" }), "2.500 K\u20ac");
  assert.equal(cm.eng(2500, { unit: "\u4e2d", encoding: "utf-8" }), "2.500 K\u4e2d");
  assert.throws(() => cm.eng(1, { unit: "\ud800", encoding: "utf-8" }), /lone surrogate/);
  assert.throws(() => cm.eng(1, { encoding: "shift_jis" }), /not supported/);
  assert.throws(() => cm.eng(1, { encoding: "klingon" }), /must name a text encoding/);
  // Persian letters are a class of their own (0x100), as in the host applications.
  assert.equal(cm.characterClasses("\u0633\u0644\u0627\u0645") & 0x100, 0x100);
});

test("16-bit checks read UTF-16, surrogate pairs as two units", () => {
  assert.equal(cm.checkControlId("AB0123", { wide: true }).code, 2);
  assert.equal(cm.checkNumber("-1.5M", { wide: true }).code, 5);
  assert.equal(cm.checkNumber("1\ud83d\ude002", { wide: true }).code, 0);
});

test("sevenseg gives the word, the text it packs and what the panel lights", () => {
  const cases = [
    // value, options, text, scale, digits, points
    [12.34, {}, "12.34", "Auto chose no letter", "1234", [false, true, false, false]],
    [2500000, { divide: "1e6" }, "2.5", "fixed, divided by 1e6", "0025", [true, false, false, false]],
    [3.14159, { plain: true }, "3.1416", "plain", "3141", [true, false, false, false]],
    [-1.5, { dropMinus: true }, "1.500", "Auto chose no letter", "1500", [true, false, false, false]],
  ];
  for (const [value, options, text, scale, digits, points] of cases) {
    const answer = cm.sevenseg(value, options);
    assert.equal(answer.text, text, `${value}`);
    assert.equal(answer.scale, scale, `${value}`);
    assert.equal(answer.digits.join(""), digits, `${value}`);
    assert.deepEqual(answer.points, points, `${value}`);
    assert.equal(answer.fault, false);
    assert.ok(answer.word >= 0 && answer.word <= 0xffffffff);
  }
  // The options add the bits the flags word names.
  assert.equal(cm.sevenseg(2500000, { divide: "1e6" }).word,
    cm.sevenseg(2500000, { flags: cm.LIMITS.SEVENSEG_FIXED_DIVISOR | cm.LIMITS.SEVENSEG_DIVIDE_BY_MEGA }).word);
  assert.equal(cm.sevenseg(-1.5).digits[0], "-");
});

test("windows take typed arrays of either kind and plain arrays alike", () => {
  const seconds = [0, 100, 4000, 90000];
  const values = [1, 2, 3, 4];
  const plain = cm.windows(seconds, values, { width: 3600, step: 3600 });
  const asDoubles = cm.windows(Float64Array.from(seconds), Float64Array.from(values), { width: "1h", step: "1h" });
  const asBigInts = cm.windows(BigInt64Array.from(seconds.map(BigInt)), Float32Array.from(values), { width: 3600n, step: 3600 });
  assert.deepEqual(asDoubles, plain);
  assert.deepEqual(asBigInts, plain);
  assert.deepEqual(plain.map((w) => w.centre), [0, 3600, 90000]);
  assert.equal(plain.samplesHeldByNoWindow, 0);
});

test("times far from zero, either side, read as exactly as BigInts do", () => {
  for (const base of [-1e12, -86400 * 12345 - 7, -1, 2 ** 32 - 30, 2 ** 33 + 5, 999999990000]) {
    const seconds = [base, base + 1, base + 45, base + 3600];
    const options = { width: 60, step: 30 };
    const asNumbers = cm.windows(seconds, [1, 2, 3, 4], options);
    const asBigInts = cm.windows(BigInt64Array.from(seconds.map(BigInt)), [1, 2, 3, 4], options);
    assert.deepEqual(asNumbers, asBigInts, `${base}`);
    assert.ok(asNumbers.some((w) => Math.abs(w.centre - base) <= 30), `${base}`);
  }
});

test("windows give empty windows and each series' averages when asked", () => {
  const got = cm.windows([[0, 7200], [10]], [[1, 5], [3]], { width: 3600, step: 3600, emptyWindows: true, seriesAverages: true });
  assert.deepEqual(got.slice(0, 3).map((w) => [w.centre, w.hasData]), [[0, true], [3600, false], [7200, true]]);
  assert.deepEqual(Array.from(got[0].averages), [1, 3]);
  assert.ok(Number.isNaN(got[1].mean) && Number.isNaN(got[1].minimum));
  assert.ok(got[2].averages instanceof Float64Array);
  assert.ok(Number.isNaN(got[2].averages[1]));
  assert.equal(got.length, 25); // one an hour up to the midnight after the last sample
});

test("refused samples are named, and none of them is taken", () => {
  const refusals = [
    [[[0, 50, 40], [1, 2, 3]], /sample 2 of series 0 at 40 s goes back before sample 1 \(50 s\)/],
    [[[0, 50], [1, NaN]], /value of sample 1 of series 0 is NaN/],
    [[[0, 2e12], [1, 2]], /sample 1 of series 0 at 2000000000000 s lies beyond/],
    [[[0, 1], [1]], /series 0 has 2 times and 1 values/],
    [[[0, 86400 * 1200], [1, 2]], /would make .* windows .*choose a longer step/],
  ];
  for (const [[times, values], message] of refusals)
    assert.throws(() => cm.windows(times, values, { width: 1, step: 1 }), { name: "RangeError", message });
  const many = Array.from({ length: cm.LIMITS.MAX_SERIES + 1 }, () => [0]);
  assert.throws(() => cm.windows(many, many, { width: 60, step: 60 }), /at most 32/);
});

test("the reducer streams: pieces give what one call gives", () => {
  const times = Array.from({ length: 5000 }, (_, i) => i * 37);
  const values = times.map((t) => Math.sin(t / 1000));
  const whole = cm.windows(times, values, { width: 900, step: 300 });
  const reducer = new cm.Reducer({ width: 900, step: 300, seriesCount: 1 });
  const pieces = [];
  for (let start = 0; start < times.length; start += 777) {
    reducer.push(0, times.slice(start, start + 777), Float64Array.from(values.slice(start, start + 777)));
    pieces.push(...reducer.take());
  }
  assert.throws(() => reducer.push(0, [0], [1]), /goes back before the series' last time/);
  reducer.finish();
  pieces.push(...reducer.take());
  assert.deepEqual(pieces, [...whole]);
  assert.equal(reducer.counts.samplesTaken, times.length);
  assert.throws(() => reducer.advance(0), /finished/);
  reducer.close();
  reducer.close();
  assert.throws(() => reducer.take(), /closed/);
});

test("an origin before the first sample moves the axis; advance() cannot go back", () => {
  const reducer = new cm.Reducer({ width: 60, step: 60, seriesCount: 2, origin: -86400 });
  reducer.advance(-50000);
  assert.throws(() => reducer.advance(-60000), /goes back before the time given to advance\(\) \(-50000 s\)/);
  reducer.push(0, [-40000], [1]);
  reducer.finish();
  assert.deepEqual(reducer.take().map((w) => w.centre), [-40020]);
  reducer.close();
});

test("the single-file variant answers as the package does", () => {
  for (const value of [12345.678, -0.00042, 1e15, 0])
    assert.equal(single.eng(value, { unit: "V" }), cm.eng(value, { unit: "V" }));
  assert.deepEqual(single.checkEndpoint("10.1.2.3:80"), cm.checkEndpoint("10.1.2.3:80"));
  assert.deepEqual(single.windows([0, 1], [1, 2], { width: 60, step: 60 }), cm.windows([0, 1], [1, 2], { width: 60, step: 60 }));
});

test("many calls do not leak the module's memory", async () => {
  // A module of its own, whose memory can be watched: every call frees what it takes, so
  // 20000 calls of more than 1 KB each leave the heap at its starting size.
  const wasmBinary = readFileSync(new URL("../wasm/corvixmath.wasm", import.meta.url));
  const module = await createCorvixMath({ wasmBinary });
  const own = bind(module);
  const start = module.HEAPU8.length;
  for (let i = 0; i < 20000; ++i) {
    own.eng(i, { unit: "W" });
    assert.throws(() => own.eng(i, { unit: "W", size: 2 }), own.TextRefusedError);
    own.checkExpression("a+b", { variables: ["a", "b"] });
    own.windows([i, i + 1], [1, 2], { width: 60, step: 60 });
  }
  assert.equal(module.HEAPU8.length, start);
});
