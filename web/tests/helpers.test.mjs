// The page's own helpers, without a browser: the places the formula checker's codes point at,
// reading a log, and the number and time texts of the tool's windows output.
import assert from "node:assert/strict";
import { describe, test } from "node:test";
import { faultPlace } from "../lib/formula-place.js";
import { LogError, clockLabel, numberText, readLog, readTime } from "../lib/csv-log.js";

describe("faultPlace", () => {
  // [code, formula, variables, the text marked (null: no place)]
  const cases = [
    [1, "a+b", ["a", "b"], null],
    [-20, "(a))+(b", null, ")"],
    [-21, "((a)+(b", null, "("],
    [-29, "a = b", null, "="],
    [-28, "ab1+c", null, "b1"],
    [-22, "2x+a", null, "2x"],
    [-25, " *a", null, "*"],
    [-27, "a+b *", null, "*"],
    [-30, "a+abcde", null, "abcde"],
    [-23, "a -+ b", null, "-+"],
    [-23, "a<>b", null, "<>"],
    [-24, "1..2", null, "."],
    [-24, ".5", null, "."],
    [-26, "a+bc+d", ["a", "d"], "bc"],
    [-26, "a+b", null, null], // names were not looked up: no place
    [-99, "a", null, null],
  ];
  for (const [code, formula, variables, marked] of cases) {
    test(`${code} in '${formula}'`, () => {
      const place = faultPlace(code, formula, variables);
      assert.equal(place === null ? null : formula.slice(place.start, place.end), marked);
    });
  }

  test("a place spans the spaces the checker removed", () => {
    assert.deepEqual(faultPlace(-23, "a + * b", null), { start: 2, end: 5 });
  });
  test("a code the formula does not earn points nowhere", () => {
    assert.equal(faultPlace(-22, "a1", null), null, "the letter-digit test fails first there");
    assert.equal(faultPlace(-24, "a+*b", null), null, "the signs fail before the point would");
  });
});

describe("readTime", () => {
  const time = (seconds, dated = false, zoned = false) => ({ seconds, dated, zoned });
  const cases = [
    ["90", time(90)],
    ["000000086400", time(86400)],
    ["01:30", time(5400)],
    ["23:59:59.75", time(86399)],
    ["24:00", time(86400)],
    ["1970-01-02", time(86400, true)],
    ["1970-01-02T00:00:00", time(86400, true)],
    ["2024-02-29 12:00", time(1709208000, true)],
    ["2024-02-29T12:00:00z", time(1709208000, true, true)],
    ["2024-02-29T12:00:00+0130", time(1709202600, true, true)],
    ["2024-02-29T12:00:00-05:00", time(1709226000, true, true)],
    ["-5", { error: "the time is not seconds, HH:MM:SS or an ISO date-time: '-5'" }],
    ["1.5", { error: "the time is not seconds, HH:MM:SS or an ISO date-time: '1.5'" }],
    ["1234567890123", { error: "the time is not seconds, HH:MM:SS or an ISO date-time: '1234567890123'" }],
    ["8:00", { error: "the time is not seconds, HH:MM:SS or an ISO date-time: '8:00'" }],
    ["12:60", { error: "the time is not seconds, HH:MM:SS or an ISO date-time: '12:60'" }],
    ["24:00:01", { error: "no such time of day: '24:00:01'" }],
    ["2023-02-29T00:00", { error: "no such date: '2023-02-29T00:00'" }],
    ["2024-13-01T00:00", { error: "not a date: '2024-13-01T00:00'" }],
    ["2024-01-01T24:00", { error: "not an ISO date-time: '2024-01-01T24:00'" }],
    ["2024-01-01_10:00", { error: "not an ISO date-time: '2024-01-01_10:00'" }],
    ["2024-01-01T10:00+01", { error: "not a zone offset (+HH:MM): '2024-01-01T10:00+01'" }],
    ["", { error: "the time is not seconds, HH:MM:SS or an ISO date-time: ''" }],
  ];
  for (const [text, expected] of cases) test(`'${text}'`, () => assert.deepEqual(readTime(text), expected));
});

describe("readLog", () => {
  test("series, empty cells, comments, tabs and a header", () => {
    const log = readLog("\uFEFF# plant\ntime\ta\tb\r\n10\t1\t\r\n\r\n20\t\t2.5\r\n30\t3\t4\r\n");
    assert.deepEqual(log.names, ["a", "b"]);
    assert.deepEqual([...log.times[0]], [10, 30]);
    assert.deepEqual([...log.values[0]], [1, 3]);
    assert.deepEqual([...log.times[1]], [20, 30]);
    assert.deepEqual([...log.values[1]], [2.5, 4]);
    assert.equal(log.rows, 3);
    assert.equal(log.dated, false);
  });
  test("without a header every column is a series", () => {
    const log = readLog("5;1;2\n6;3;4\n");
    assert.equal(log.names.length, 2);
    assert.deepEqual([...log.values[1]], [2, 4]);
  });
  const faults = [
    ["", 1, /no data/],
    ["t,a\n", 1, /no data/],
    ["t,a\n1,\n2,\n", 1, /no data/],
    ["t,a\n1,5\n2,inf\n", 3, /not a finite number: 'inf'/],
    ["t,a\n1,5\n2,1e999\n", 3, /not a finite number/],
    ["t,a\n1,5\n2,0x10\n", 3, /not a finite number/],
    ["t,a\n9,5\n2,1\n", 3, /times must not go back \(2 after 9\)/],
    ["t,a\n1,5,6\n", 2, /expected 2 columns, found 3/],
    ["t\n1\n", 1, /expected 'time,value' columns/],
  ];
  for (const [text, line, message] of faults) {
    test(`refuses ${JSON.stringify(text)}`, () => {
      assert.throws(() => readLog(text), (error) => error instanceof LogError && error.line === line && message.test(error.message));
    });
  }
  test("33 value columns are more than one reduction takes", () => {
    const header = ["t", ...Array.from({ length: 33 }, (_, i) => `s${i}`)].join(",");
    assert.throws(() => readLog(`${header}\n`), /at most 32/);
  });
});

describe("numberText", () => {
  const cases = [
    [1.5, "1.5"], [2, "2"], [-0, "-0"], [0, "0"], [100000, "1e+05"], [12345, "12345"],
    [0.00001, "1e-05"], [0.0001, "1e-04"], [0.001, "0.001"], [1e-7, "1e-07"], [123456789012345680, "123456789012345680"],
    [1e21, "1e+21"], [-2.5e-300, "-2.5e-300"], [0.1 + 0.2, "0.30000000000000004"], [1234.5, "1234.5"],
  ];
  for (const [value, text] of cases) test(`${value}`, () => assert.equal(numberText(value), text));
});

describe("clockLabel", () => {
  const cases = [
    [0, "00:00:00"], [3661, "01:01:01"], [86399, "23:59:59"], [86400, "24:00:00"],
    [90000, "+1d 01:00:00"], [172800, "+2d 00:00:00"], [-3600, "-1d 23:00:00"],
  ];
  for (const [centre, label] of cases) test(`${centre}`, () => assert.equal(clockLabel(centre), label));
});
