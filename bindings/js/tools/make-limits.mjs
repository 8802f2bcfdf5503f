// Writes limits.js: every number macro of CorvixLimits.h without its CORVIXMATH_ prefix, the
// same names and values the Python package reads, so no limit is retyped in JavaScript.
// Usage: node make-limits.mjs <CorvixLimits.h> <limits.js>
import { readFileSync, writeFileSync } from "node:fs";

const [header, output] = process.argv.slice(2);
if (!header || !output) {
  console.error("usage: node make-limits.mjs <CorvixLimits.h> <limits.js>");
  process.exit(2);
}
const pattern =
  /^#define CORVIXMATH_(\w+) \(?(-?(?:0[xX][0-9a-fA-F]+|\d+(?:\.\d*)?(?:[eE][-+]?\d+)?))[uU]?[lL]{0,2}\)?(?:\s|$)/;
const limits = {};
for (const line of readFileSync(header, "ascii").split(/\r?\n/)) {
  const match = pattern.exec(line);
  if (!match) continue;
  const [, name, text] = match;
  const hex = /^-?0x/i.test(text);
  const value = hex ? Number.parseInt(text, 16) : Number(text);
  if (!Number.isFinite(value) || (!hex && !/[.eE]/.test(text) && !Number.isSafeInteger(value))) {
    console.error(`${name} = ${text} is not a number JavaScript holds exactly`);
    process.exit(1);
  }
  limits[name] = value;
}
if (Object.keys(limits).length === 0) {
  console.error(`${header} holds no CORVIXMATH_ number macro`);
  process.exit(1);
}
writeFileSync(
  output,
  `// Generated from CorvixLimits.h by tools/make-limits.mjs; do not edit.\n` +
    `export const LIMITS = Object.freeze(${JSON.stringify(limits, null, 2)});\n`,
);
