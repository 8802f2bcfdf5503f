// Reads a CSV log into sample series and writes windows as the command-line tool's `windows`
// command does (CSV with a header row, times labelled as it labels them, numbers in the
// shortest text that reads back to the same double). The page reads the common forms of a
// log: ',', ';' or tab between columns (the first line decides), an optional header (a first
// line whose time holds no digit), blank lines and '#' comments skipped, times in whole
// seconds, HH:MM[:SS] or ISO 8601, an empty cell being no sample. Anything else is refused with
// the line it is on, never guessed at.

export const SECONDS_PER_DAY = 86400;

/** A fault in the log: `line` is 1-based. */
export class LogError extends Error {
  constructor(line, what) {
    super(`line ${line}: ${what}`);
    this.name = "LogError";
    this.line = line;
  }
}

function separatorOf(firstLine) {
  // The first of tab, ';' and ',' the first line holds; ',' for a single column.
  for (const candidate of ["\t", ";", ","]) if (firstLine.includes(candidate)) return candidate;
  return ",";
}

const NUMBER = /^[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?$/;

// Digits only, 1 to `most` of them: their value, else null.
function digits(text, most) {
  return text.length >= 1 && text.length <= most && /^[0-9]+$/.test(text) ? Number(text) : null;
}

// "HH:MM", "HH:MM:SS" or "HH:MM:SS.fff" (two-digit fields, a fraction of 1 to 9 digits dropped),
// hours up to `largestHour`: the seconds, else null.
function clockSeconds(text, largestHour) {
  const match = /^([0-9]{2}):([0-9]{2})(?::([0-9]{2})(?:\.([0-9]{1,9}))?)?$/.exec(text);
  if (!match) return null;
  const [hours, minutes, seconds] = [match[1], match[2], match[3] ?? "0"].map(Number);
  if (hours > largestHour || minutes > 59 || seconds > 59) return null;
  return hours * 3600 + minutes * 60 + seconds;
}

// "YYYY-MM-DD", then optionally "T" or " " and a clock time with an optional zone ("Z",
// "+HH:MM", "-HHMM"), which is applied: the seconds become UTC.
function isoTime(text) {
  const [year, month, day] = [digits(text.slice(0, 4), 4), digits(text.slice(5, 7), 2), digits(text.slice(8, 10), 2)];
  if (year === null || month === null || day === null || month < 1 || month > 12 || day < 1)
    return { error: `not a date: '${text}'` };
  const date = new Date(0);
  date.setUTCFullYear(year, month - 1, day);
  if (date.getUTCMonth() !== month - 1 || date.getUTCDate() !== day) return { error: `no such date: '${text}'` };
  const midnight = date.getTime() / 1000;
  if (text.length === 10) return { seconds: midnight, dated: true, zoned: false };
  if (text[10] !== "T" && text[10] !== " ") return { error: `not an ISO date-time: '${text}'` };
  let clock = text.slice(11);
  let offset = 0;
  let zoned = false;
  if (/[Zz]$/.test(clock)) {
    clock = clock.slice(0, -1);
    zoned = true;
  } else {
    const sign = clock.search(/[+-]/);
    if (sign >= 0) {
      let zone = clock.slice(sign + 1);
      const west = clock[sign] === "-";
      clock = clock.slice(0, sign);
      if (zone.length === 4 && !zone.includes(":")) zone = `${zone.slice(0, 2)}:${zone.slice(2)}`;
      const zoneSeconds = zone.length === 5 ? clockSeconds(zone, 23) : null;
      if (zoneSeconds === null) return { error: `not a zone offset (+HH:MM): '${text}'` };
      offset = west ? -zoneSeconds : zoneSeconds;
      zoned = true;
    }
  }
  const seconds = clockSeconds(clock, 23);
  if (seconds === null) return { error: `not an ISO date-time: '${text}'` };
  return { seconds: midnight + seconds - offset, dated: true, zoned };
}

/**
 * The seconds of a time field as the tool reads it without a time format: whole seconds (up to
 * 12 digits), HH:MM[:SS] (24:00 ends the day) or an ISO 8601 date-time. Returns
 * {seconds, dated, zoned}, or {error} saying why the field is not a time.
 */
export function readTime(text) {
  if (text.length >= 10 && text[4] === "-" && text[7] === "-") return isoTime(text);
  const seconds = digits(text, 12);
  if (seconds !== null) return { seconds, dated: false, zoned: false };
  const clock = clockSeconds(text, 24);
  if (clock !== null) {
    if (clock <= SECONDS_PER_DAY) return { seconds: clock, dated: false, zoned: false };
    return { error: `no such time of day: '${text}'` };
  }
  return { error: `the time is not seconds, HH:MM:SS or an ISO date-time: '${text}'` };
}

/**
 * Reads a log: the first column is the time, every other column a series. Returns
 * {names, times: Float64Array[], values: Float64Array[], dated, zoned, rows}.
 * Throws LogError naming the line of the first fault.
 */
export function readLog(text) {
  const lines = text.replace(/^\uFEFF/, "").split(/\r?\n|\r/);
  const used = [];
  lines.forEach((line, index) => {
    const trimmed = line.trim();
    if (trimmed !== "" && !trimmed.startsWith("#")) used.push({ line, number: index + 1 });
  });
  if (used.length === 0) throw new LogError(1, "no data");

  const separator = separatorOf(used[0].line);
  const cells = (line) => line.split(separator).map((cell) => cell.trim());
  let names;
  const firstNumber = used[0].number;
  const first = cells(used[0].line);
  if (!/\d/.test(first[0])) {
    names = first.slice(1);
    used.shift();
  } else {
    names = first.slice(1).map((_, column) => `value${column + 1}`);
  }
  if (names.length === 0)
    throw new LogError(firstNumber, `expected 'time,value' columns: '${first.join(separator)}'`);
  if (names.length > 32) throw new LogError(1, `${names.length} value columns; at most 32`);

  const times = names.map(() => []);
  const values = names.map(() => []);
  let dated = null;
  let zoned = false;
  let rows = 0;
  let lastTime = -Infinity;
  for (const { line, number } of used) {
    const row = cells(line);
    const time = readTime(row[0]);
    if (time.error) throw new LogError(number, time.error);
    if (dated === null) dated = time.dated;
    else if (dated !== time.dated)
      throw new LogError(number, "dated and undated times cannot share one time axis");
    zoned ||= time.zoned;
    if (time.seconds < lastTime)
      throw new LogError(number, `times must not go back (${time.seconds} after ${lastTime})`);
    lastTime = time.seconds;
    if (row.length !== names.length + 1)
      throw new LogError(number, `expected ${names.length + 1} columns, found ${row.length}: '${line.trim()}'`);
    for (let column = 0; column < names.length; ++column) {
      const cell = row[column + 1] ?? "";
      if (cell === "") continue;
      const value = Number(cell);
      if (!NUMBER.test(cell) || !Number.isFinite(value))
        throw new LogError(number, `not a finite number: '${cell}'`);
      times[column].push(time.seconds);
      values[column].push(value);
    }
    ++rows;
  }
  if (values.every((series) => series.length === 0)) throw new LogError(1, "no data");
  return {
    names,
    times: times.map((series) => Float64Array.from(series)),
    values: values.map((series) => Float64Array.from(series)),
    dated: Boolean(dated),
    zoned,
    rows,
  };
}

/** The shortest text that reads back to the same double, fixed or scientific, whichever is
 * shorter (fixed on a tie): 1.5, 2, 1e+05, 1e-07, 123456789012345680. */
export function numberText(value) {
  if (!Number.isFinite(value)) return String(value).toLowerCase();
  if (value === 0) return Object.is(value, -0) ? "-0" : "0";
  const sign = value < 0 ? "-" : "";
  const [mantissa, exponentText] = Math.abs(value).toExponential().split("e");
  const digits = mantissa.replace(".", "");
  const power = Number(exponentText);
  const point = power + 1; // digits before the decimal point
  let fixed;
  if (point >= digits.length) fixed = digits + "0".repeat(point - digits.length);
  else if (point > 0) fixed = `${digits.slice(0, point)}.${digits.slice(point)}`;
  else fixed = `0.${"0".repeat(-point)}${digits}`;
  const exponent = `${power < 0 ? "-" : "+"}${String(Math.abs(power)).padStart(2, "0")}`;
  const scientific = `${mantissa}e${exponent}`;
  return sign + (fixed.length <= scientific.length ? fixed : scientific);
}

const two = (number) => String(number).padStart(2, "0");

/** The clock of an undated centre: HH:MM:SS within the day, '+Nd HH:MM:SS' (or '-Nd ') after
 * or before it. */
export function clockLabel(centre) {
  // The last window's centre of a day's log ends the day.
  if (centre === SECONDS_PER_DAY) return "24:00:00";
  const day = Math.floor(centre / SECONDS_PER_DAY);
  const rest = centre - day * SECONDS_PER_DAY;
  const clock = `${two(Math.floor(rest / 3600))}:${two(Math.floor(rest / 60) % 60)}:${two(rest % 60)}`;
  return day === 0 ? clock : `${day > 0 ? "+" : ""}${day}d ${clock}`;
}

/** The label of a dated centre: YYYY-MM-DDTHH:MM:SS, with Z when the log's times had a zone. */
export function dateLabel(centre, zoned) {
  const time = new Date(centre * 1000);
  const date = `${String(time.getUTCFullYear()).padStart(4, "0")}-${two(time.getUTCMonth() + 1)}-${two(time.getUTCDate())}`;
  const clock = `${two(time.getUTCHours())}:${two(time.getUTCMinutes())}:${two(time.getUTCSeconds())}`;
  return `${date}T${clock}${zoned ? "Z" : ""}`;
}

/** The rows of `windows` as the tool's CSV: a header row, then one line per window. */
export function windowsCsv(windows, log) {
  const header = log.dated ? "time,min,max,mean" : "centre,clock,min,max,mean";
  const cell = (value, hasData) => (hasData ? numberText(value) : "");
  const lines = windows.map((w) => {
    const label = log.dated ? dateLabel(w.centre, log.zoned) : `${w.centre},${clockLabel(w.centre)}`;
    return [label, cell(w.minimum, w.hasData), cell(w.maximum, w.hasData), cell(w.mean, w.hasData)].join(",");
  });
  return [header, ...lines].join("\n") + "\n";
}
