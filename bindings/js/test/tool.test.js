// The package beside the native corvixmath tool (CORVIXMATH_TOOL names it; scripts/test-js
// sets it from a native build): the same values give the same engineering texts, and the same
// seven-segment words, packed texts and scales, flag by flag.
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import * as cm from "../index.js";

const tool = process.env.CORVIXMATH_TOOL;
const skip = tool && existsSync(tool) ? false : "CORVIXMATH_TOOL does not name the corvixmath tool";

const VALUES = ["0", "-0", "1", "-2.5", "0.5", "9.9995", "999.95", "1000", "12345.678", "-99999",
  "0.000123", "2500000", "1e9", "-4.5e12", "1e15", "3.14159", "123456789", "0.1", "-0.05"];

// One line of the tool's output per value: what it answers, on standard input one a line.
function run(args) {
  return execFileSync(tool, [...args, "-"], { input: VALUES.join("\n") + "\n", encoding: "utf8" })
    .trimEnd().split("\n");
}

test("eng gives the tool's texts", { skip }, () => {
  const cases = [[[], {}], [["--unit", "W"], { unit: "W" }], [["--scale", "10", "--unit", "A"], { scale: 10, unit: "A" }],
    [["--digits", "6", "--scale", "Mega"], { digits: 6, scale: "mega" }], [["--scale", "0"], { scale: "hide" }]];
  for (const [args, options] of cases) {
    const lines = run(["eng", ...args]);
    VALUES.forEach((value, i) => assert.equal(cm.eng(Number(value), options), lines[i], `${value} ${args}`));
  }
});

test("sevenseg gives the tool's words, texts and scales", { skip }, () => {
  const cases = [[[], {}], [["--plain"], { plain: true }], [["--drop-minus"], { dropMinus: true }],
    [["--divide", "1e3"], { divide: "1e3" }], [["--divide", "1e12", "--drop-minus"], { divide: "1e12", dropMinus: true }]];
  for (const [args, options] of cases) {
    const lines = run(["sevenseg", ...args]);
    VALUES.forEach((value, i) => {
      const answer = cm.sevenseg(Number(value), options);
      const hex = answer.word.toString(16).toUpperCase().padStart(8, "0");
      const signed = answer.word | 0;
      const line = `word: 0x${hex} (${signed}) text '${answer.text}' scale ${answer.scale}`;
      if (answer.word === 0 && answer.text === "") {
        // The four-decimal text does not fit the panel's working buffer: the library packs
        // nothing (word 0), and the package gives no text where the tool prints a cut one.
        assert.match(lines[i], /^word: 0x00000000 \(0\) text '/, `${value} ${args}`);
        assert.ok((Math.abs(Number(value)) >= 1e6), `${value} ${args}: only long texts are refused`);
      } else {
        assert.equal(line, lines[i], `${value} ${args}`);
      }
    });
  }
});
