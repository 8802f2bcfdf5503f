// The JavaScript side of bench/js-speed: eng, checkExpression and windows on a day of 32
// series at 1 s through the package, timed as capi_speed.cpp times the C interface.
//
//   node js_speed.mjs <package folder>   (prints "name nanoseconds-per-call" lines)
import { pathToFileURL } from "node:url";
import { resolve } from "node:path";

const started = performance.now();
const cm = await import(pathToFileURL(resolve(process.argv[2], "index.js")).href);
const loaded = performance.now() - started;

const SERIES = 32;
const DAY = 86400;

function nanosecondsPerCall(calls, work) {
  for (let i = 0; i < Math.min(calls, 1000); ++i) work(i); // warm the JIT
  const start = process.hrtime.bigint();
  for (let i = 0; i < calls; ++i) work(i);
  return Number(process.hrtime.bigint() - start) / calls;
}

const eng = nanosecondsPerCall(300000, (i) => cm.eng(12345.678 + i, { unit: "W" }));
const expression = nanosecondsPerCall(200000, () => cm.checkExpression("a+b*(c-2)/4", { variables: ["a", "b", "c"] }));
const times = [];
const values = [];
for (let s = 0; s < SERIES; ++s) {
  const t = new Float64Array(DAY);
  const v = new Float64Array(DAY);
  for (let i = 0; i < DAY; ++i) {
    t[i] = i;
    v[i] = Math.sin(i / 1000 + s) * 100;
  }
  times.push(t);
  values.push(v);
}
const day = nanosecondsPerCall(5, () => cm.windows(times, values, { width: 3600, step: 3600 }));
console.log(`eng ${eng.toFixed(1)}\ncheckExpression ${expression.toFixed(1)}\nwindows ${day.toFixed(1)}\nload ${(loaded * 1e6).toFixed(1)}`);
