// Runs the corvixmath tool's own WebAssembly build on a log held in a string, and reads back
// what it writes: its CSV output as rows, its error lines as the page shows them.

/**
 * Starts one instance of the tool's module (`create` is its factory) and returns
 * run(args, input) → {status, stdout, stderr}. The instance stays up between runs: each run
 * feeds `input` as standard input and collects both outputs afresh.
 */
export async function startTool(create) {
  let stdout = [];
  let stderr = [];
  let input = new Uint8Array(0);
  let at = 0;
  const module = await create({
    print: (line) => stdout.push(line),
    printErr: (line) => stderr.push(line),
    stdin: () => (at < input.length ? input[at++] : null),
  });
  return (args, text) => {
    stdout = [];
    stderr = [];
    input = new TextEncoder().encode(text);
    at = 0;
    const status = module.callMain(args);
    const joined = (lines) => (lines.length ? `${lines.join("\n")}\n` : "");
    return { status, stdout: joined(stdout), stderr: joined(stderr) };
  };
}

/**
 * Splits command-line options typed into one field: words between spaces, a quoted word
 * ('a b' or "a b") kept whole. Throws on an unclosed quote.
 */
export function splitOptions(text) {
  const words = [];
  const word = /\s*(?:'([^']*)'|"([^"]*)"|([^\s'"]+))/y;
  let current = null;
  let at = 0;
  while (at < text.length) {
    if (/\s/.test(text[at])) {
      if (current !== null) words.push(current), (current = null);
      ++at;
      continue;
    }
    word.lastIndex = at;
    const match = word.exec(text);
    if (!match) throw new Error(`an unclosed quote in the options: ${text.slice(at)}`);
    current = (current ?? "") + (match[1] ?? match[2] ?? match[3]);
    at = word.lastIndex;
  }
  if (current !== null) words.push(current);
  return words;
}

/** The fields of CSV text: rows of cells, a quoted cell ("a,b", "say ""x""") read whole. */
export function csvRows(text) {
  const rows = [];
  let row = [];
  let cell = "";
  let quoted = false;
  for (let at = 0; at < text.length; ++at) {
    const c = text[at];
    if (quoted) {
      if (c !== '"') cell += c;
      else if (text[at + 1] === '"') (cell += '"'), ++at;
      else quoted = false;
    } else if (c === '"') quoted = true;
    else if (c === ",") row.push(cell), (cell = "");
    else if (c === "\n") row.push(cell), rows.push(row), (row = []), (cell = "");
    else if (c !== "\r") cell += c;
  }
  if (cell !== "" || row.length) row.push(cell), rows.push(row);
  return rows;
}

/** The tool's error lines as the page shows them: without the program's name, and standard
 * input's place ("<stdin>:7:") as "line 7:". */
export function errorText(stderr) {
  return stderr
    .split("\n")
    .filter((line) => line !== "")
    .map((line) => line.replace(/^corvixmath: /, "").replace(/^<stdin>:(\d+): /, "line $1: "))
    .join("\n");
}
