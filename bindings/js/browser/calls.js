// Calls whose answers a browser must give as Node does: browser/smoke.html runs them in
// Chromium through index.js and single.js, scripts/test-js in Node, and compares the two.
export function calls(cm) {
  return [
    cm.eng(12345.678, { unit: "W" }),
    cm.eng(2500, { unit: "\u20ac", encoding: "windows-1252" }),
    cm.eng(0.00123, { unit: "\u0648\u0627\u062a", scale: "auto-milli" }),
    cm.simple(1234567.891, { decimals: 2, separator: "," }),
    cm.sci(-0.000123, { decimals: 4 }),
    cm.sevenseg(2500000, { divide: "1e6" }),
    cm.checkExpression("a+*b", { variables: ["a", "b"] }),
    cm.checkEndpoint("10.0.0.1:502"),
    cm.decodeFont("Tahoma,12,#FF8000,Bold"),
    cm.statistics(new Float64Array([1, 2, 3, 4])),
    [...cm.windows([[0, 1800, 90000], [60, 86399]], [[1, 3, 5], [10, 20]], { width: "1h", step: "1h" })],
    (() => {
      try {
        return cm.eng(12345.678, { unit: "W", size: 5 });
      } catch (error) {
        return `${error.name} ${error instanceof RangeError} ${error.size}`;
      }
    })(),
  ];
}
