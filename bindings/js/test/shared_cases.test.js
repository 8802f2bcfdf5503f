// The table both language bindings are held to (tests/bindings/shared_cases.json, copied
// beside this file by the build): each case called through the JavaScript package must give
// the table's result, or throw the table's kind of error.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import * as cm from "../index.js";

const table = JSON.parse(readFileSync(new URL("./shared_cases.json", import.meta.url), "utf8"));
const ERRORS = { RangeError, TypeError, TextRefusedError: cm.TextRefusedError };

// What a case compares: the word of sevenseg (the table holds no drawing), the windows and
// their left-out count (a WindowList is an array with a property).
const shape = {
  sevenseg: (answer) => ({ word: answer.word }),
  windows: (answer) => ({ windows: answer.map((w) => ({ ...w })), samplesHeldByNoWindow: answer.samplesHeldByNoWindow }),
};

test("the table covers every family of the API", () => {
  const named = new Set(table.cases.map((c) => c.function));
  for (const name of ["eng", "simple", "sci", "price", "sevenseg", "parse", "checkExpression", "checkIp",
    "checkEndpoint", "checkControlId", "decodeFont", "dataTypeIndex", "statistics", "windows"])
    assert.ok(named.has(name), `no case of ${name}`);
});

for (const c of table.cases) {
  test(`${c.function}(${JSON.stringify(c.args).slice(1, 50)}) ${JSON.stringify(c.options)}`, () => {
    const call = () => cm[c.function](...c.args, ...(Object.keys(c.options).length ? [c.options] : []));
    if ("error" in c.expect) {
      const Kind = ERRORS[c.expect.error];
      assert.throws(call, (error) => error instanceof Kind && (Kind !== RangeError || !(error instanceof cm.TextRefusedError)));
    } else {
      const answer = call();
      assert.deepEqual((shape[c.function] ?? ((x) => x))(answer), c.expect.result);
    }
  });
}
