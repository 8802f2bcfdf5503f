// The playground page in headless Chromium, held to the native tool: the tests type into the
// page's inputs and compare what it shows with `corvixmath` run on the same inputs.
import assert from "node:assert/strict";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { launch, openPage, pasteInto, textOf, tool, typeInto } from "./browser.mjs";

let chromium;
let page;
before(async () => {
  chromium = await launch();
  page = await openPage(chromium.browser);
});
after(async () => {
  const errors = page?.errors ?? [];
  await chromium?.close();
  assert.deepEqual(errors, [], "the page raised errors or reached for the network");
});

const toolLine = (args) => tool(args).stdout.replace(/\n$/, "");

// The segments the tool's drawing lights in each of its four cells: rows of 4 columns a digit
// (the point in the bottom row's fourth column).
function segmentsOfArt(rows) {
  const [top, middle, bottom] = rows.map((row) => row.padEnd(16));
  return [0, 1, 2, 3].map((digit) => {
    const at = digit * 4;
    const lit = {
      a: top[at + 1] === "_", b: middle[at + 2] === "|", c: bottom[at + 2] === "|",
      d: bottom[at + 1] === "_", e: bottom[at] === "|", f: middle[at] === "|", g: middle[at + 1] === "_",
    };
    const segments = Object.keys(lit).filter((name) => lit[name]).join("");
    return { segments, point: bottom[at + 3] === "." };
  });
}

describe("numbers", () => {
  const cases = [
    { value: "12345.678", unit: "W", digits: "4" },
    { value: "-0.05", unit: "A", digits: "3" },
    { value: "0.000123", unit: "V", digits: "0" },
    { value: "999999", unit: "", digits: "4" },
    { value: "1e16", unit: "Hz", digits: "4" },
    { value: "2500000", unit: "W", digits: "2" },
    { value: "-1.5", unit: "bar", digits: "5" },
    { value: "0", unit: "", digits: "4" },
  ];
  for (const { value, unit, digits } of cases) {
    test(`${value} ${unit || "(no unit)"}, ${digits} digits`, async () => {
      await typeInto(page, "number-value", value);
      await typeInto(page, "number-unit", unit);
      await typeInto(page, "number-digits", digits);
      const rows = await page.$$eval("#eng-table tbody tr", (trs) =>
        trs.map((tr) => ({ mode: tr.dataset.mode, text: tr.cells[2].textContent, refused: tr.cells[2].className === "refused" }))
      );
      assert.deepEqual(rows.map((row) => row.mode), ["0", "1", "2", "3", "4", "5", "6", "7", "10", "8"]);
      for (const row of rows) {
        const native = tool(["eng", value, "--unit", unit, "--digits", digits, "--scale", row.mode]);
        if (native.status === 0) assert.equal(row.text, native.stdout.replace(/\n$/, ""), `scale mode ${row.mode}`);
        else assert.ok(row.refused, `scale mode ${row.mode}: the tool refused, the page showed ${row.text}`);
      }
      assert.equal(await textOf(page, "#simple-text"), toolLine(["simple", value]));
      assert.equal(await textOf(page, "#sci-text"), toolLine(["sci", value]));
      assert.equal(await textOf(page, "#price-text"), toolLine(["price", value]));

      const [head, ...art] = tool(["sevenseg", value]).stdout.replace(/\n$/, "").split("\n");
      const [, word, text, scale] = /^word: (0x[0-9A-F]{8}) \(-?\d+\) text '(.*)' scale (.*)$/.exec(head);
      assert.equal(await textOf(page, "#sevenseg-word"), word);
      assert.equal(await textOf(page, "#sevenseg-text"), `'${text}' (${scale})`);
      const drawn = await page.$$eval("#sevenseg-panel g", (cells) =>
        cells.map((cell) => ({
          segments: [...cell.querySelectorAll("path.lit")].length === 0 ? "" : cell.dataset.segments,
          point: cell.querySelector("circle").classList.contains("lit"),
        }))
      );
      const sorted = (cells) => cells.map(({ segments, point }) => ({ segments: [...segments].sort().join(""), point }));
      assert.deepEqual(sorted(drawn), sorted(segmentsOfArt(art)));
    });
  }

  test("a value that is not a number is named, and no stale texts stay", async () => {
    await typeInto(page, "number-value", "12,5");
    assert.match(await textOf(page, "#number-error"), /'12,5' is not a number/);
    assert.equal(await page.$eval("#number-error", (e) => e.hidden), false);
    assert.equal(await page.$$eval("#eng-table tbody tr", (rows) => rows.length), 0);
    assert.equal(await textOf(page, "#simple-text"), "");
  });
});

describe("formula checker", () => {
  // The formula, its variables, and the characters the page must mark.
  const cases = [
    ["(a+b)*2>c", "a,b,c", null],
    ["a+*b", "a,b", "+*"],
    ["(a+b", "a,b", "("],
    ["a+b)*c", "a,b,c", ")"],
    ["abcd+1", "", "abcd"],
    ["a + 2x", "a,x", "2x"],
    ["a1+b", "a,b", "a1"],
    ["a.5+b", "a,b", "."],
    ["a + q", "a,b", "q"],
    ["a=b", "a,b", "="],
    ["*a", "a", "*"],
    ["a+b-", "a,b", "-"],
    // Longer than a formula may be: the page must not cut what is pasted or typed.
    [`${"a+".repeat(70)}b)`, "a,b", ")"],
  ];
  for (const [formula, variables, marked] of cases) {
    test(`${formula.length > 20 ? `${formula.length} characters` : formula} with ${variables || "no lookup"}`, async () => {
      await typeInto(page, "formula-variables", variables);
      await typeInto(page, "formula-text", formula);
      const args = ["check", "expr", ...(variables ? ["--vars", variables] : []), "--", formula];
      const native = toolLine(args);
      const code = await textOf(page, "#formula-code");
      const message = await textOf(page, "#formula-message");
      if (native === "ok") assert.equal(code, "1");
      else assert.equal(`${code} ${message}`, native);
      assert.equal(await textOf(page, "#formula-marked"), formula, "the formula is shown whole");
      const mark = await page.$$eval("#formula-marked mark", (marks) => marks.map((m) => m.textContent));
      assert.deepEqual(mark, marked === null ? [] : [marked]);
    });
  }
});

describe("address and port", () => {
  const cases = [
    ["192.168.1.20", "502"],
    ["192.168.1.300", "80"],
    ["10.0.0", "80"],
    ["10.0.0.1", "99999"],
    ["10.0.0.-1", "80"],
    ["10.0.0.x", "1"],
    ["abc", ""],
    ["1.2.3.4.5", "80"],
    ["1.2.3.", "8x"],
    ["10.0.0.1", "+80"],
    ["10.0.0.1", "8.5K"],
    ["10.0.0.1", ""],
    ["100.100.100.100", "1"],
    ["10.0.0.1", "1:2"],
  ];
  const codeOf = (line) => (line.startsWith("ok") ? "1" : line.split(" ")[0]);
  for (const [address, port] of cases) {
    test(`${address} port ${port || "(none)"}`, async () => {
      await typeInto(page, "address-text", address);
      await typeInto(page, "address-port", port);
      const nativeIp = toolLine(["check", "ip", address]);
      const ipLine = `${await textOf(page, "#ip-code")} ${await textOf(page, "#ip-message")}`;
      assert.equal(ipLine, nativeIp.startsWith("ok") ? "1 valid" : nativeIp);
      if (port === "") {
        assert.equal(await textOf(page, "#endpoint-code"), "");
        return;
      }
      const native = toolLine(["check", "endpoint", `${address}:${port}`]);
      assert.equal(await textOf(page, "#endpoint-code"), codeOf(native));
      const said = await textOf(page, "#endpoint-message");
      if (native.startsWith("ok")) assert.equal(said, `valid: ${native.slice(3).replace(" port", ", port")}`);
      else assert.equal(`${codeOf(native)} ${said}`, native);
    });
  }
});

describe("font descriptor", () => {
  for (const descriptor of ["Tahoma,12,#FF8000,Bold", "Arial,9,255,Italic", "Courier New,10", "Segoe UI,11,#00ff00,Bold Italic"]) {
    test(descriptor, async () => {
      await typeInto(page, "font-text", descriptor);
      const native = Object.fromEntries(
        toolLine(["font", descriptor]).split("\n").map((line) => line.split(/: (.*)/).slice(0, 2))
      );
      assert.equal(await textOf(page, "#font-face"), native.face);
      assert.equal(await textOf(page, "#font-size"), native.size);
      assert.equal(await textOf(page, "#font-colour"), native.colour);
      assert.equal(await textOf(page, "#font-style"), native.style);
    });
  }
});

describe("windows of a CSV log", () => {
  // The tool's module loads after the library's; the panel says when it is ready.
  before(() => page.waitForFunction(() => document.getElementById("windows").dataset.tool === "ready"));
  const tableOf = async () => {
    const head = await page.$$eval("#windows-table thead th", (cells) => cells.map((c) => c.textContent).join(","));
    const rows = await page.$$eval("#windows-table tbody tr", (trs) =>
      trs.map((tr) => [...tr.cells].map((c) => c.textContent).join(","))
    );
    return [head, ...rows].join("\n") + "\n";
  };
  const logs = {
    "seconds and clock times, an empty cell": [
      "time,flow,temperature\n00:00:10,1.5,20\n00:05:00,2.5,\n00:20:00,3,21.25\n01:10:00,0.0000001,22\n",
      "15m", "15m"],
    "dated times over midnight, ';' between columns": [
      "Timestamp;A;B\n2024-01-01T23:40:00;1;10\n2024-01-01 23:55:30;2;\n2024-01-02T00:10:00;3;12.5\n2024-01-02T02:00:00;4;13\n",
      "1h", "30m"],
    "no header, seconds, a step longer than the width": [
      "# a comment\n10,1.25\n100,2.5\n\n700,1e5\n1300,-3\n90000,7\n", "60", "10m"],
    "zone offsets become UTC": ["time,v\n2024-03-01T01:00:00+01:00,1\n2024-03-01T00:30:00Z,2\n", "1h", "1h"],
    "the forms of times the tool reads by itself": [
      "time,v\n00:00:00.250,1\n00:30,2\n23:59:59,3\n24:00,4\n", "1h", "1h"],
    "dates alone, and fractions of a second": [
      "day,v\n2024-02-28,1\n2024-02-29T00:00:00.999+0000,2\n2024-03-01,3\n", "1d", "1d"],
    // Forms only the tool's own reader knows.
    "slashed dates with minutes": [
      "time,v\n2015/01/31 13:00,1\n2015/01/31 13:20,2.5\n2015/01/31 14:05,4\n", "1h", "1h"],
    "decimal commas between ';' columns": [
      "Zeit;Druck;Temperatur\n00:00:00;1,5;20,25\n00:10:00;2,75;\n00:40:00;1.234,5;21\n", "30m", "30m"],
    "quoted fields": [
      'time,"flow, east","level"\n"00:00:10","1.5",2\n00:20:00,"3",\n', "15m", "15m"],
    "a long-format log, one row per tag": [
      "time,tag,value\n00:00:00,north,1\n00:00:00,south,10\n00:20:00,north,3\n00:40:00,south,14\n",
      "30m", "30m", ["--series-column", "tag"]],
    "a long-format log, one tag of two": [
      "time,tag,value\n00:00:00,north,1\n00:00:00,south,10\n00:20:00,north,3\n00:40:00,south,14\n",
      "30m", "30m", ["--series-column", "tag", "--series", "south"]],
    "a quoted time format with a space": [
      "when,v\n31.01.2015 13:00,1\n31.01.2015 13:45,3\n", "1h", "1h", ["--time-format", "%d.%m.%Y %H:%M"]],
  };
  const optionsText = (options) => options.map((word) => (/\s/.test(word) ? `'${word}'` : word)).join(" ");
  for (const [name, [log, width, step, options = []]] of Object.entries(logs)) {
    test(name, async () => {
      await typeInto(page, "windows-width", width);
      await typeInto(page, "windows-step", step);
      await typeInto(page, "windows-options", optionsText(options));
      await pasteInto(page, "windows-log", log);
      const native = tool(["windows", "--width", width, "--step", step, ...options, "-"], log);
      assert.equal(native.status, 0, native.stderr);
      assert.equal(await page.$eval("#windows-error", (e) => e.hidden), true, await textOf(page, "#windows-error"));
      assert.equal(await tableOf(), native.stdout);
      const marks = await page.$$eval("#windows-chart polyline.mean, #windows-chart circle.mean", (m) => m.length);
      assert.ok(marks > 0, "the chart draws the means");
    });
  }

  const faults = {
    "a value that is not a number": "t,a\n10,1\n20,x\n",
    "times going back": "t,a\n10,1\n5,2\n",
    "a time that does not read": "t,a\n10,1\n25:00,2\n",
    "dated and undated times": "t,a\n10,1\n2024-01-01T00:00:00,2\n",
    "a short row": "t,a,b\n10,1,2\n20,1\n",
    "a time of day past 24:00": "t,a\n10,1\n24:00:01,2\n",
    "a date that does not exist": "t,a\n2023-02-29T00:00,1\n",
    "a zone offset without minutes": "t,a\n2024-01-01T10:00+01,1\n",
    "a bad line deep in a log": `t,a\n${Array.from({ length: 40 }, (_, i) => `${i * 10},${i}`).join("\n")}\n400,1;5\n410,2\n`,
  };
  for (const [name, log] of Object.entries(faults)) {
    test(`refuses ${name} as the tool does`, async () => {
      await typeInto(page, "windows-width", "60");
      await typeInto(page, "windows-step", "60");
      await typeInto(page, "windows-options", "");
      await pasteInto(page, "windows-log", log);
      const native = tool(["windows", "--width", "60", "--step", "60", "-"], log);
      assert.equal(native.status, 2);
      const [, line, what] = /^corvixmath: <stdin>:(\d+): (.*)\n$/.exec(native.stderr);
      assert.equal(await textOf(page, "#windows-error"), `line ${line}: ${what}`);
      assert.equal(await page.$$eval("#windows-table tbody tr", (rows) => rows.length), 0, "no stale rows");
    });
  }

  test("a long log: a day of 32 series every 30 s", async () => {
    const lines = [["time", ...Array.from({ length: 32 }, (_, i) => `s${i}`)].join(",")];
    for (let t = 0; t < 86400; t += 30)
      lines.push([t, ...Array.from({ length: 32 }, (_, i) => ((t * (i + 1)) % 997) / 8)].join(","));
    const log = lines.join("\n") + "\n";
    await typeInto(page, "windows-width", "1h");
    await typeInto(page, "windows-step", "30m");
    await pasteInto(page, "windows-log", log);
    await page.waitForFunction(() => document.querySelectorAll("#windows-table tbody tr").length > 0);
    const native = tool(["windows", "--width", "1h", "--step", "30m", "-"], log);
    assert.equal(await tableOf(), native.stdout);
  });

  test("more windows than the table shows: the download holds them all", async () => {
    const log = `t,v\n${Array.from({ length: 1500 }, (_, t) => `${t},${t % 7}`).join("\n")}\n`;
    await pasteInto(page, "windows-log", log);
    await typeInto(page, "windows-width", "1");
    await typeInto(page, "windows-step", "1");
    const native = tool(["windows", "--width", "1", "--step", "1", "-"], log);
    const windows = native.stdout.split("\n").length - 2;
    assert.equal(await page.$$eval("#windows-table tbody tr", (trs) => trs.length), 1000);
    assert.match(await textOf(page, "#windows-summary"), new RegExp(`${windows} windows; the table shows the first 1000`));
    const downloaded = await page.$eval("#windows-download", async (link) => (await fetch(link.href)).text());
    assert.equal(downloaded, native.stdout);
  });

  test("a log typed in by hand", async () => {
    await typeInto(page, "windows-width", "1h");
    await typeInto(page, "windows-step", "1h");
    await typeInto(page, "windows-log", "t,v\n00:10,4\n00:50,6\n01:20,1");
    const native = tool(["windows", "--width", "1h", "--step", "1h", "-"], "t,v\n00:10,4\n00:50,6\n01:20,1\n");
    assert.equal(await tableOf(), native.stdout);
  });

  test("a log chosen with the file input", async () => {
    const folder = mkdtempSync(join(tmpdir(), "corvixmath-log-"));
    const file = join(folder, "plant.csv");
    const log = "time,p1,p2\n00:00:00,5,7\n00:30:00,6,8\n01:00:00,7,\n";
    writeFileSync(file, log);
    try {
      await typeInto(page, "windows-width", "30m");
      await typeInto(page, "windows-step", "30m");
      const input = await page.$("#windows-file");
      await input.uploadFile(file);
      await page.waitForFunction((text) => document.getElementById("windows-log").value === text, {}, log);
      const native = tool(["windows", "--width", "30m", "--step", "30m", file]);
      assert.equal(await tableOf(), native.stdout);
    } finally {
      rmSync(folder, { recursive: true, force: true });
    }
  });

  test("a log dropped on the log field", async () => {
    const log = "time,level\n08:00,3\n08:20,5\n09:10,4\n";
    await typeInto(page, "windows-width", "1h");
    await typeInto(page, "windows-step", "1h");
    await page.$eval("#windows-drop", (zone, text) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([text], "dropped.csv", { type: "text/csv" }));
      zone.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
    }, log);
    await page.waitForFunction((text) => document.getElementById("windows-log").value === text, {}, log);
    assert.equal(await tableOf(), tool(["windows", "--width", "1h", "--step", "1h", "-"], log).stdout);
  });

  test("the tool's notes on a log it reads are shown beside the windows", async () => {
    const log = "t,a\n10,1\n20,x\n30,3\n";
    await typeInto(page, "windows-width", "60");
    await typeInto(page, "windows-step", "60");
    await typeInto(page, "windows-options", "--skip-bad");
    await pasteInto(page, "windows-log", log);
    const native = tool(["windows", "--width", "60", "--step", "60", "--skip-bad", "-"], log);
    assert.equal(native.status, 0, native.stderr);
    assert.notEqual(native.stderr, "", "the tool reports the skipped line");
    assert.equal(await tableOf(), native.stdout);
    const note = native.stderr.replace(/^corvixmath: /, "").replace(/\n$/, "");
    assert.ok((await textOf(page, "#windows-summary")).includes(note), await textOf(page, "#windows-summary"));
    assert.match(await textOf(page, "#windows-command"), /^corvixmath windows --width 60 --step 60 --jobs 1 --skip-bad -$/);
    await typeInto(page, "windows-options", "");
  });

  test("an option the tool does not know is refused with its own words", async () => {
    await pasteInto(page, "windows-log", "t,v\n10,1\n");
    await typeInto(page, "windows-width", "60");
    await typeInto(page, "windows-step", "60");
    await typeInto(page, "windows-options", "--no-such-option");
    const native = tool(["windows", "--width", "60", "--step", "60", "--no-such-option", "-"], "t,v\n10,1\n");
    assert.notEqual(native.status, 0);
    const first = native.stderr.split("\n")[0].replace(/^corvixmath: /, "");
    assert.ok((await textOf(page, "#windows-error")).startsWith(first), await textOf(page, "#windows-error"));
    assert.equal(await page.$$eval("#windows-table tbody tr", (rows) => rows.length), 0);
    await typeInto(page, "windows-options", "");
  });

  test("JSON output is refused rather than shown as a table", async () => {
    await pasteInto(page, "windows-log", "t,v\n10,1\n");
    await typeInto(page, "windows-width", "60");
    await typeInto(page, "windows-step", "60");
    for (const options of ["--format json", "--format=json"]) {
      await typeInto(page, "windows-options", options);
      assert.match(await textOf(page, "#windows-error"), /leave out --format/);
      assert.equal(await page.$$eval("#windows-table tbody tr", (rows) => rows.length), 0);
    }
    await typeInto(page, "windows-options", "");
    assert.equal(await page.$eval("#windows-error", (e) => e.hidden), true);
  });

  test("a width the tool refuses is refused", async () => {
    await pasteInto(page, "windows-log", "t,v\n10,1\n");
    await typeInto(page, "windows-width", "401d");
    await typeInto(page, "windows-step", "1h");
    assert.notEqual(tool(["windows", "--width", "401d", "--step", "1h", "-"], "t,v\n10,1\n").status, 0);
    assert.equal(await page.$eval("#windows-error", (e) => e.hidden), false);
    assert.equal(await page.$$eval("#windows-table tbody tr", (rows) => rows.length), 0);
  });
});

describe("use", () => {
  test("every field has a label, and the keyboard reaches each in page order", async () => {
    const unlabelled = await page.$$eval("input, textarea", (fields) =>
      fields.filter((f) => !(f.labels?.length || f.getAttribute("aria-label"))).map((f) => f.id)
    );
    assert.deepEqual(unlabelled, []);
    const ids = await page.$$eval("input, textarea", (fields) => fields.map((f) => f.id));
    await page.$eval("#status", (status) => {
      status.tabIndex = -1;
      status.focus();
    });
    // Other stops may come between (a scrollable formula, the download link), never a field
    // out of order.
    const reached = [];
    for (let presses = 0; presses < 3 * ids.length && reached.length < ids.length; ++presses) {
      await page.keyboard.press("Tab");
      const id = await page.evaluate(() => document.activeElement.id);
      if (ids.includes(id)) reached.push(id);
    }
    assert.deepEqual(reached, ids);
  });

  test("a narrow window needs no sideways scrolling", async () => {
    const narrow = await openPage(chromium.browser, { width: 360, height: 800 });
    try {
      const [scrollWidth, clientWidth] = await narrow.evaluate(() => [
        document.documentElement.scrollWidth, document.documentElement.clientWidth,
      ]);
      assert.ok(scrollWidth <= clientWidth, `the page is ${scrollWidth} px wide in a ${clientWidth} px window`);
      assert.deepEqual(narrow.errors, []);
    } finally {
      await narrow.close();
    }
  });
});
