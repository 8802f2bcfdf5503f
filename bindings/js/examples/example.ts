// Type-checked with `tsc --noEmit --strict`: the declarations must describe what a program
// does with the package, results and errors included.
import {
  eng, simple, sci, price, sevenseg, parse, checkExpression, checkEndpoint, checkControlId,
  decodeFont, dataTypeIndex, scaleName, statistics, windows, Reducer, TextRefusedError, LIMITS,
  type Check, type Endpoint, type Font, type SevenSegment, type Statistics, type Window,
  type WindowList,
} from "../index.js";

const power: string = eng(12345.678, { unit: "W", digits: 4, scale: "auto" });
const texts: string[] = [simple(1234567.891, { decimals: 2, separator: "," }), sci(12345.678), price(1234567, { separator: "," })];
const panel: SevenSegment = sevenseg(2500000, { divide: "1e6" });
const lit: boolean = panel.points[0] === true && panel.digits.length === LIMITS.SEVENSEG_CHARACTERS;
const value: number = parse(power);

const formula: Check = checkExpression("a+*b", { variables: new Set(["a", "b"]) });
const endpoint: Endpoint = checkEndpoint("10.0.0.1:502");
const port: number | null = endpoint.ok ? endpoint.port : null;
const form: number = checkControlId("AB0123", { wide: true }).code;
const font: Font = decodeFont("Tahoma,12,#FF8000,Bold");
const kinds: number = dataTypeIndex("long");
const kilo: string = scaleName(3);
const spread: Statistics = statistics(new Float64Array([1, 2, 3, 4]));

const day: WindowList = windows(new Float64Array([0, 100, 4000]), new Float64Array([1, 2, 3]), { width: "1h", step: 3600 });
const left: number = day.samplesHeldByNoWindow;
const both: WindowList = windows([[0, 60], new BigInt64Array([30n])], [[1, 2], new Float32Array([3])], { width: 60, step: 60, seriesAverages: true });
const averages: Float64Array | undefined = both[0]?.averages;

const reducer = new Reducer({ width: 900, step: 300, seriesCount: 2 });
reducer.push(0, [0, 10], [1.5, 2.5]);
reducer.advance(3600n);
const ready: Window[] = reducer.take(10);
reducer.close();

try {
  eng(1e9, { unit: "W", size: 4 });
} catch (error) {
  if (error instanceof TextRefusedError) {
    const result: number | string = error.result;
    const size: number = error.size;
    console.log(result, size);
  } else if (error instanceof RangeError || error instanceof TypeError) {
    console.log(error.message);
  }
}

console.log(power, texts, lit, value, formula, port, form, font, kinds, kilo, spread, left, averages, ready);
