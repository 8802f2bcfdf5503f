#!/usr/bin/env node
// How long the built playground page takes to load in headless Chromium: from the start of
// navigation until its library module is compiled and ready (the page records that moment)
// with the first four panels filled, and until the corvixmath tool's module, which loads after,
// has filled the windows panel. A fresh page each run; the median and range of
// RUNS runs (default 15) are printed. A measurement, not a test: nothing is asserted.
//
//   CORVIXMATH_PAGE=<build>/web/playground.html node web/tools/bench-load.mjs [RUNS]
import { statSync } from "node:fs";
import { fileURLToPath } from "node:url";
import { launch, pageUrl } from "../tests/browser.mjs";

const runs = Number(process.argv[2] ?? 15);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const chromium = await launch();
const ready = [];
const toolReady = [];
const domContent = [];
try {
  for (let run = 0; run < runs; ++run) {
    const page = await chromium.browser.newPage();
    await page.goto(pageUrl());
    await page.waitForFunction(() => window.corvixPlaygroundToolReady !== undefined);
    const [readyAt, toolAt, domAt] = await page.evaluate(() => [
      window.corvixPlaygroundReady,
      window.corvixPlaygroundToolReady,
      performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd,
    ]);
    ready.push(readyAt);
    toolReady.push(toolAt);
    domContent.push(domAt);
    await page.close();
  }
} finally {
  await chromium.close();
}
const size = statSync(fileURLToPath(pageUrl())).size;
const line = (what, values) =>
  `${what.padEnd(34)} median ${median(values).toFixed(1).padStart(7)} ms   range ${Math.min(...values).toFixed(1)}-${Math.max(...values).toFixed(1)} ms`;
console.log(`playground.html: ${(size / 1024).toFixed(1)} KiB, ${runs} loads in headless Chromium`);
console.log(line("HTML parsed (DOMContentLoaded)", domContent));
console.log(line("library ready, four panels filled", ready));
console.log(line("tool ready, windows panel filled", toolReady));
