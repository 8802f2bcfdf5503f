#!/usr/bin/env node
// Screenshots of each panel of the built playground page, with inputs that show what the panel
// does, for the documentation: docs/images/playground-<panel>.png.
//
//   CORVIXMATH_PAGE=<build>/web/playground.html node web/tools/screenshots.mjs OUTPUT_DIR
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { launch, openPage, pasteInto, typeInto } from "../tests/browser.mjs";

// A day of two series every 10 minutes, smooth enough to read on a chart: a flow and a
// temperature that follow the hours of a working day.
function dayLog() {
  const lines = ["time,flow,temperature"];
  for (let minute = 0; minute < 24 * 60; minute += 10) {
    const hour = minute / 60;
    const flow = 40 + 25 * Math.sin(((hour - 6) / 24) * 2 * Math.PI) + 6 * Math.sin(hour * 1.7);
    const temperature = 18 + 6 * Math.sin(((hour - 9) / 24) * 2 * Math.PI);
    const clock = `${String(Math.floor(hour)).padStart(2, "0")}:${String(minute % 60).padStart(2, "0")}:00`;
    lines.push(`${clock},${flow.toFixed(2)},${temperature.toFixed(2)}`);
  }
  return lines.join("\n") + "\n";
}

const panels = {
  numbers: async (page) => {
    await typeInto(page, "number-value", "-0.0456");
    await typeInto(page, "number-unit", "A");
    await typeInto(page, "number-digits", "3");
  },
  formula: async (page) => {
    await typeInto(page, "formula-variables", "a,b,c");
    await typeInto(page, "formula-text", "(a+b)*2x>c");
  },
  address: async (page) => {
    await typeInto(page, "address-text", "192.168.1.300");
    await typeInto(page, "address-port", "502");
  },
  font: async (page) => {
    await typeInto(page, "font-text", "Tahoma,14,#0B5CAD,BoldItalic");
  },
  windows: async (page) => {
    await page.waitForFunction(() => document.getElementById("windows").dataset.tool === "ready");
    await typeInto(page, "windows-width", "2h");
    await typeInto(page, "windows-step", "1h");
    await pasteInto(page, "windows-log", dayLog());
  },
};

const output = process.argv[2];
if (!output) {
  console.error("usage: screenshots.mjs OUTPUT_DIR");
  process.exit(2);
}
mkdirSync(output, { recursive: true });
const chromium = await launch();
try {
  const page = await openPage(chromium.browser, { width: 960, height: 900 });
  for (const [panel, fill] of Object.entries(panels)) {
    await fill(page);
    await page.evaluate(() => document.activeElement?.blur());
    const file = join(output, `playground-${panel}.png`);
    await (await page.$(`#${panel}`)).screenshot({ path: file });
    console.log(file);
  }
  if (page.errors.length) throw new Error(`the page raised errors: ${page.errors.join("; ")}`);
} finally {
  await chromium.close();
}
