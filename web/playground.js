// The playground page: every panel recomputes as its inputs change, through the library's
// JavaScript package (inlined into the page with its WebAssembly, so it opens from file://).
import { addressReason, endpointReason } from "./lib/address-reason.js";
import { faultPlace } from "./lib/formula-place.js";
import { csvRows, errorText, splitOptions, startTool } from "./lib/tool-output.js";

const $ = (id) => document.getElementById(id);
const SVG = "http://www.w3.org/2000/svg";
const NUMBER_TEXT = /^[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?$/;
// The tool's sci command keeps three mantissa decimals; the page shows the same text.
const SCIENTIFIC_DECIMALS = 3;
const LONG_LOG_CHARACTERS = 200000;
const LONG_LOG_PAUSE_MS = 300;
const TABLE_ROWS_SHOWN = 1000;

function svgElement(name, attributes, parent) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  parent?.appendChild(element);
  return element;
}

function show(id, text) {
  $(id).textContent = text;
}

/** What a call gives, or the reason the library refused it. */
function attempt(call) {
  try {
    return { text: call() };
  } catch (error) {
    if (error instanceof RangeError || error instanceof TypeError) return { refused: error.message };
    throw error;
  }
}

// --- Panel 1: numbers

function scaleModes(limits) {
  return [
    [limits.SCALE_HIDE, "Hide"],
    [limits.SCALE_AUTO, "Auto"],
    [limits.SCALE_UNITY, "Unity"],
    [limits.SCALE_KILO, "Kilo"],
    [limits.SCALE_MEGA, "Mega"],
    [limits.SCALE_GIGA, "Giga"],
    [limits.SCALE_TERA, "Tera"],
    [limits.SCALE_THOUSANDTHS, "Thousandths (m)"],
    [limits.SCALE_AUTO_WITH_THOUSANDTHS, "Auto with thousandths"],
    // Every mode without a name writes the value itself.
    [limits.SCALE_THOUSANDTHS + 1, "Plain"],
  ];
}

// Segment shapes of one digit cell (a to g), 40 by 64 units, as horizontal and vertical bars.
const SEGMENTS = {
  a: "M8 4h24l-4 5h-16z",
  b: "M33 6l4 4v19l-4 3l-4-3v-16z",
  c: "M33 34l4 3v19l-4 4l-4-5v-15z",
  d: "M8 60h24l-4-5h-16z",
  e: "M7 34l4 3v15l-4 5l-4-4v-16z",
  f: "M7 6l4 5v16l-4 3l-4-3v-17z",
  g: "M8 32l4-3h16l4 3l-4 3h-16z",
};
const LIT_SEGMENTS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"];

/** The characters and points a panel shows for a packed word, left to right. */
function decodeSevenSegment(word, limits) {
  const codeMask = (1 << limits.SEVENSEG_CODE_BITS) - 1;
  const cells = [];
  for (let digit = 0; digit < limits.SEVENSEG_CHARACTERS; ++digit) {
    const shift = limits.SEVENSEG_CODE_BITS * (limits.SEVENSEG_CHARACTERS - 1 - digit);
    const code = (word >>> shift) & codeMask;
    const segments = code <= 9 ? LIT_SEGMENTS[code] : code === limits.SEVENSEG_MINUS_CODE ? "g" : "";
    // The point after the first digit has the highest point bit, after the fourth the lowest.
    const point = ((word >>> (limits.SEVENSEG_FIRST_POINT_BIT - digit)) & 1) === 1;
    cells.push({ segments, point });
  }
  return cells;
}

function drawSevenSegment(word, limits) {
  const panel = $("sevenseg-panel");
  panel.querySelectorAll("g").forEach((cell) => cell.remove());
  const cells = decodeSevenSegment(word, limits);
  const spoken = [];
  cells.forEach(({ segments, point }, index) => {
    const cell = svgElement("g", { transform: `translate(${8 + index * 50} 8)`, "aria-hidden": "true" }, panel);
    cell.dataset.segments = segments;
    cell.dataset.point = String(point);
    for (const [name, path] of Object.entries(SEGMENTS))
      svgElement("path", { d: path, class: `segment${segments.includes(name) ? " lit" : ""}` }, cell);
    svgElement("circle", { cx: 43, cy: 58, r: 3.5, class: `segment${point ? " lit" : ""}` }, cell);
    const character = segments === "g" ? "-" : segments === "" ? " " : String(LIT_SEGMENTS.indexOf(segments));
    spoken.push(character + (point ? "." : ""));
  });
  $("sevenseg-label").textContent = `Seven-segment panel showing ${spoken.join("").trim() || "blank"}`;
  panel.dataset.shows = spoken.join("");
}

function updateNumbers(cm) {
  const valueText = $("number-value").value.trim();
  const digitsText = $("number-digits").value.trim();
  const unit = $("number-unit").value;
  const problems = [];
  if (!NUMBER_TEXT.test(valueText) || !Number.isFinite(Number(valueText))) problems.push(`the value '${valueText}' is not a number`);
  if (!/^\d+$/.test(digitsText) || Number(digitsText) > 65535) problems.push(`the digits must be a whole number 0 to 65535`);
  const error = $("number-error");
  error.hidden = problems.length === 0;
  error.textContent = problems.join("; ");
  const body = $("eng-table").tBodies[0];
  if (problems.length) {
    body.replaceChildren();
    for (const id of ["simple-text", "sci-text", "price-text", "sevenseg-word", "sevenseg-text"]) show(id, "");
    drawSevenSegment(0, cm.LIMITS);
    return;
  }
  const value = Number(valueText);
  const digits = Number(digitsText);
  body.replaceChildren(
    ...scaleModes(cm.LIMITS).map(([mode, name]) => {
      const row = document.createElement("tr");
      row.dataset.mode = String(mode);
      const result = attempt(() => cm.eng(value, { unit, digits, scale: mode }));
      const cells = [String(mode), name, result.text ?? `refused: ${result.refused}`];
      cells.forEach((text, index) => {
        const cell = document.createElement(index === 1 ? "th" : "td");
        if (index === 1) cell.scope = "row";
        cell.textContent = text;
        if (index === 2 && result.refused !== undefined) cell.className = "refused";
        row.appendChild(cell);
      });
      return row;
    })
  );
  const texts = {
    "simple-text": () => cm.simple(value),
    "sci-text": () => cm.sci(value, { decimals: SCIENTIFIC_DECIMALS }),
    "price-text": () => cm.price(value),
  };
  for (const [id, call] of Object.entries(texts)) {
    const result = attempt(call);
    show(id, result.text ?? `refused: ${result.refused}`);
  }
  const panel = cm.sevenseg(value);
  show("sevenseg-word", `0x${panel.word.toString(16).toUpperCase().padStart(8, "0")}`);
  show("sevenseg-text", `'${panel.text}' (${panel.scale})`);
  drawSevenSegment(panel.word, cm.LIMITS);
}

// --- Panel 2: formula

function variableNames() {
  const text = $("formula-variables").value.trim();
  return text === "" ? null : text.split(",").map((name) => name.trim()).filter((name) => name !== "");
}

function updateFormula(cm) {
  const formula = $("formula-text").value;
  const variables = variableNames();
  const marked = $("formula-marked");
  const verdict = $("formula-code").parentElement;
  let check;
  try {
    check = cm.checkExpression(formula, variables === null ? {} : { variables });
  } catch (error) {
    verdict.dataset.ok = "false";
    show("formula-code", "");
    show("formula-message", error.message);
    marked.textContent = formula;
    return;
  }
  verdict.dataset.ok = String(check.ok);
  show("formula-code", String(check.code));
  show("formula-message", check.message);
  const place = check.ok ? null : faultPlace(check.code, formula, variables);
  if (place === null) {
    marked.textContent = formula;
    return;
  }
  const mark = document.createElement("mark");
  mark.textContent = formula.slice(place.start, place.end);
  mark.title = check.message;
  marked.replaceChildren(formula.slice(0, place.start), mark, formula.slice(place.end));
}

// --- Panel 3: address and port

function updateAddress(cm) {
  const address = $("address-text").value.trim();
  const port = $("address-port").value.trim();
  const run = (call) => {
    try {
      return call();
    } catch (error) {
      return { code: "", message: error.message };
    }
  };
  const ip = run(() => cm.checkIp(address));
  show("ip-code", String(ip.code));
  show("ip-message", ip.ok ? "valid" : ip.code === "" ? ip.message : addressReason(address, ip.code, cm.LIMITS));
  if (port === "") {
    show("endpoint-code", "");
    show("endpoint-message", "no port given");
    return;
  }
  const text = `${address}:${port}`;
  const endpoint = run(() => cm.checkEndpoint(text));
  show("endpoint-code", String(endpoint.code));
  show(
    "endpoint-message",
    endpoint.ok ? `valid: address ${endpoint.address}, port ${endpoint.port}`
      : endpoint.code === "" ? endpoint.message : endpointReason(text, endpoint.code, cm.LIMITS)
  );
}

// --- Panel 4: font

function styleName(style, limits) {
  const names = {
    [limits.FONT_STYLE_REGULAR]: "regular",
    [limits.FONT_STYLE_BOLD]: "bold",
    [limits.FONT_STYLE_ITALIC]: "italic",
    [limits.FONT_STYLE_BOLD_ITALIC]: "bold italic",
  };
  return names[style] ?? "unknown";
}

function updateFont(cm) {
  const sample = $("font-sample");
  let font;
  try {
    font = cm.decodeFont($("font-text").value);
  } catch (error) {
    for (const id of ["font-face", "font-size", "font-style"]) show(id, "");
    show("font-colour", error.message);
    return;
  }
  const hex = `#${(font.colour >>> 0).toString(16).toUpperCase().padStart(6, "0")}`;
  const style = styleName(font.style, cm.LIMITS);
  show("font-face", font.face);
  show("font-size", String(font.size));
  show("font-colour", `${font.colour} (${hex})`);
  show("font-style", `${font.style} ${style}`);
  $("font-swatch").style.background = hex.length === 7 ? hex : "transparent";
  sample.style.fontFamily = font.face ? `"${font.face.replace(/"/g, "")}", sans-serif` : "";
  sample.style.fontSize = font.size > 0 && font.size <= 96 ? `${font.size}pt` : "";
  sample.style.color = hex.length === 7 ? hex : "";
  sample.style.fontWeight = style.includes("bold") ? "700" : "400";
  sample.style.fontStyle = style.includes("italic") ? "italic" : "normal";
}

// --- Panel 5: windows of a CSV log, read and reduced by the corvixmath tool itself

// A word of the command as a shell would need it typed.
const shellWord = (word) => (/^[\w@%+=:,./-]+$/.test(word) ? word : `'${word.replace(/'/g, "'\\''")}'`);

function drawChart(head, rows) {
  const chart = $("windows-chart");
  chart.querySelectorAll(":scope > :not(title)").forEach((node) => node.remove());
  const [minimum, maximum, mean] = ["min", "max", "mean"].map((name) => head.indexOf(name));
  if (minimum < 0 || maximum < 0 || mean < 0) return;
  // Undated windows are labelled by their clock, dated ones by their time (the first column).
  const labelColumn = head.includes("clock") ? head.indexOf("clock") : 0;
  const windows = rows.map((cells, index) => ({
    index,
    label: cells[labelColumn] ?? "",
    hasData: cells[mean] !== "" && cells[mean] !== undefined,
    minimum: Number(cells[minimum]),
    maximum: Number(cells[maximum]),
    mean: Number(cells[mean]),
  }));
  const data = windows.filter((row) => row.hasData);
  if (data.length === 0) return;
  const [left, right, top, bottom] = [56, 628, 12, 208];
  // Loops rather than Math.min(...rows): a long log has more windows than a call takes arguments.
  let low = Infinity;
  let high = -Infinity;
  for (const row of data) {
    low = Math.min(low, row.minimum);
    high = Math.max(high, row.maximum);
  }
  // Window centres are a step apart, so a window's place on the axis is its index.
  const last = windows.length - 1;
  const x = (row) => (last === 0 ? (left + right) / 2 : left + (row.index / last) * (right - left));
  const y = (value) => (high === low ? (top + bottom) / 2 : bottom - ((value - low) / (high - low)) * (bottom - top));
  const point = (row, value) => `${x(row).toFixed(1)},${y(value).toFixed(1)}`;
  // A band from each window's minimum to its maximum, broken where a window has no data.
  let run = [];
  const runs = [];
  for (const row of windows) {
    if (row.hasData) run.push(row);
    else if (run.length) runs.push(run), (run = []);
  }
  if (run.length) runs.push(run);
  for (const part of runs) {
    const edge = part.map((row) => point(row, row.maximum)).concat(part.map((row) => point(row, row.minimum)).reverse());
    if (part.length === 1) {
      const [row] = part;
      svgElement("rect", { class: "band", x: x(row) - 3, y: y(row.maximum), width: 6, height: Math.max(1, y(row.minimum) - y(row.maximum)) }, chart);
    } else svgElement("polygon", { class: "band", points: edge.join(" ") }, chart);
    svgElement("polyline", { class: "mean", points: part.map((row) => point(row, row.mean)).join(" ") }, chart);
    if (part.length === 1) svgElement("circle", { class: "mean", cx: x(part[0]), cy: y(part[0].mean), r: 3 }, chart);
  }
  svgElement("line", { class: "axis", x1: left, y1: bottom, x2: right, y2: bottom }, chart);
  svgElement("line", { class: "axis", x1: left, y1: top, x2: left, y2: bottom }, chart);
  const label = (text, attributes) => (svgElement("text", attributes, chart).textContent = text);
  // Axis labels need no more than four significant digits; the table has the exact numbers.
  const axisText = (value) => String(Number(value.toPrecision(4)));
  label(axisText(high), { x: left - 6, y: top + 4, "text-anchor": "end" });
  label(axisText(low), { x: left - 6, y: bottom, "text-anchor": "end" });
  label(windows[0].label, { x: left, y: bottom + 18 });
  if (last > 0) label(windows[last].label, { x: right, y: bottom + 18, "text-anchor": "end" });
  label("band: min to max · line: mean", { x: right, y: bottom + 30, "text-anchor": "end" });
}

function updateWindows(runTool) {
  const error = $("windows-error");
  const table = $("windows-table");
  const summary = $("windows-summary");
  const fail = (message) => {
    error.hidden = false;
    error.textContent = message;
    table.tHead.replaceChildren();
    table.tBodies[0].replaceChildren();
    summary.textContent = "";
    $("windows-download").hidden = true;
    drawChart([], []);
  };
  let options;
  try {
    options = splitOptions($("windows-options").value);
  } catch (fault) {
    return fail(fault.message);
  }
  // The table, chart and download are of the tool's CSV; its JSON would show as nonsense.
  if (options.some((word) => word === "--format" || word.startsWith("--format=")))
    return fail("the page shows the tool's CSV output: leave out --format");
  const width = $("windows-width").value.trim();
  const step = $("windows-step").value.trim();
  // This build of the tool has no threads.
  const args = ["windows", "--width", width, "--step", step, "--jobs", "1", ...options, "-"];
  show("windows-command", `corvixmath ${args.map(shellWord).join(" ")}`);
  const result = runTool(args, $("windows-log").value);
  if (result.status !== 0) return fail(errorText(result.stderr) || `the tool ended with status ${result.status}`);
  const [head = [], ...rows] = csvRows(result.stdout);
  if (rows.length === 0) return fail(errorText(result.stderr) || "no windows");
  error.hidden = true;
  const headRow = document.createElement("tr");
  for (const name of head) {
    const cell = document.createElement("th");
    cell.scope = "col";
    cell.textContent = name;
    headRow.appendChild(cell);
  }
  table.tHead.replaceChildren(headRow);
  // The table shows the first windows of a long log; the download holds every one.
  const shown = document.createDocumentFragment();
  for (const cells of rows.slice(0, TABLE_ROWS_SHOWN)) {
    const line = document.createElement("tr");
    for (const text of cells) {
      const cell = document.createElement("td");
      cell.textContent = text;
      line.appendChild(cell);
    }
    shown.appendChild(line);
  }
  table.tBodies[0].replaceChildren(shown);
  const download = $("windows-download");
  URL.revokeObjectURL(download.href);
  download.href = URL.createObjectURL(new Blob([result.stdout], { type: "text/csv" }));
  download.hidden = false;
  // What the tool says beside its output (bad lines skipped, samples left out) goes with it.
  const notes = errorText(result.stderr);
  summary.textContent =
    `${rows.length} windows` +
    (rows.length > TABLE_ROWS_SHOWN ? `; the table shows the first ${TABLE_ROWS_SHOWN}, the download all of them` : "") +
    (notes ? `. ${notes}` : "");
  drawChart(head, rows);
}

function readDroppedFile(file, runTool) {
  const reader = new FileReader();
  reader.onload = () => {
    $("windows-log").value = String(reader.result);
    updateWindows(runTool);
  };
  reader.onerror = () => {
    $("windows-error").hidden = false;
    $("windows-error").textContent = `the file ${file.name} could not be read`;
  };
  reader.readAsText(file);
}

// --- Wiring

function listen(ids, update) {
  for (const id of ids) $(id).addEventListener("input", update);
  update();
}

async function start() {
  const status = $("status");
  let cm;
  try {
    cm = await import("corvixmath");
  } catch (error) {
    status.dataset.state = "failed";
    status.textContent = `The library did not load: ${error.message}`;
    return;
  }
  listen(["number-value", "number-unit", "number-digits"], () => updateNumbers(cm));
  listen(["formula-text", "formula-variables"], () => updateFormula(cm));
  listen(["address-text", "address-port"], () => updateAddress(cm));
  listen(["font-text"], () => updateFont(cm));
  status.dataset.state = "ready";
  status.textContent = `Library ${cm.VERSION} ready. Every panel updates as you type.`;
  // The load time, for the bench script: from navigation start to a working library.
  window.corvixPlaygroundReady = performance.now();
  // The tool's module is the larger part of the page: it starts once the other panels work.
  startWindows();
}

async function startWindows() {
  const panel = $("windows");
  let runTool;
  try {
    const { default: createTool } = await import("corvixmath-tool");
    runTool = await startTool(createTool);
  } catch (error) {
    panel.dataset.tool = "failed";
    $("windows-error").hidden = false;
    $("windows-error").textContent = `The corvixmath tool did not load: ${error.message}`;
    return;
  }
  // A long log is read again only once typing pauses, so each key stays quick.
  let pending;
  listen(["windows-log", "windows-width", "windows-step", "windows-options"], () => {
    clearTimeout(pending);
    if ($("windows-log").value.length < LONG_LOG_CHARACTERS) updateWindows(runTool);
    else pending = setTimeout(() => updateWindows(runTool), LONG_LOG_PAUSE_MS);
  });
  $("windows-file").addEventListener("change", (event) => {
    const [file] = event.target.files;
    if (file) readDroppedFile(file, runTool);
  });
  const drop = $("windows-drop");
  drop.addEventListener("dragover", (event) => {
    event.preventDefault();
    drop.classList.add("dragging");
  });
  drop.addEventListener("dragleave", () => drop.classList.remove("dragging"));
  drop.addEventListener("drop", (event) => {
    event.preventDefault();
    drop.classList.remove("dragging");
    const [file] = event.dataTransfer.files;
    if (file) readDroppedFile(file, runTool);
  });
  panel.dataset.tool = "ready";
  window.corvixPlaygroundToolReady = performance.now();
}

start();
