// The page's own helpers, without a browser: the places the formula checker's codes point at,
// and reading the options for the tool and what it writes back.
import assert from "node:assert/strict";
import { describe, test } from "node:test";
import { faultPlace } from "../lib/formula-place.js";
import { csvRows, errorText, splitOptions } from "../lib/tool-output.js";

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

describe("splitOptions", () => {
  const cases = [
    ["", []],
    ["  --decimal-comma  ", ["--decimal-comma"]],
    ["--series-column tag --series a,b", ["--series-column", "tag", "--series", "a,b"]],
    ["--time-format '%d.%m.%Y %H:%M'", ["--time-format", "%d.%m.%Y %H:%M"]],
    ['--title "Plant 2" --unit kW', ["--title", "Plant 2", "--unit", "kW"]],
    [`--title="a b"x`, ["--title=a bx"]],
    ["--title='a b'x", ["--title=a bx"]],
  ];
  for (const [text, words] of cases) test(JSON.stringify(text), () => assert.deepEqual(splitOptions(text), words));
  test("an unclosed quote is refused, not guessed at", () => {
    assert.throws(() => splitOptions("--title 'plant"), /unclosed quote/);
  });
});

describe("csvRows", () => {
  const cases = [
    ["centre,clock,min\n0,00:00:00,1.5\n", [["centre", "clock", "min"], ["0", "00:00:00", "1.5"]]],
    ["a,,c\n", [["a", "", "c"]]],
    ['time,"tag, east","say ""hi"""\n', [["time", "tag, east", 'say "hi"']]],
    ['"two\nlines",x\n', [["two\nlines", "x"]]],
    ["a,b\r\n1,2", [["a", "b"], ["1", "2"]]],
    ["", []],
  ];
  for (const [text, rows] of cases) test(JSON.stringify(text), () => assert.deepEqual(csvRows(text), rows));
});

describe("errorText", () => {
  const cases = [
    ["corvixmath: <stdin>:3: times must not go back (5 after 10)\n", "line 3: times must not go back (5 after 10)"],
    ["corvixmath: --width: not a duration: 'x'\nRun with --help for more information.\n",
      "--width: not a duration: 'x'\nRun with --help for more information."],
    ["corvixmath: <stdin>:12: <stdin>:4 is not a place\n", "line 12: <stdin>:4 is not a place"],
  ];
  for (const [stderr, text] of cases) test(JSON.stringify(stderr), () => assert.equal(errorText(stderr), text));
});
