"""The table both language bindings are held to (tests/bindings/shared_cases.json): each case
names a function by its JavaScript name, with JavaScript's options; here it is called through
the Python package and must give the same result, or the same kind of error."""

import json
import math
from pathlib import Path

import pytest

import corvixmath as cm

TABLE = Path(__file__).resolve().parents[3] / "tests" / "bindings" / "shared_cases.json"
CASES = json.loads(TABLE.read_text(encoding="utf-8"))["cases"]

# JavaScript option names that Python spells differently.
KEYWORDS = {"zeroFill": "zero_fill", "divisorExponent": "divisor_exponent",
            "emptyWindows": "empty_windows", "seriesAverages": "series_averages"}
ERRORS = {"RangeError": ValueError, "TypeError": TypeError,
          "TextRefusedError": cm.TextRefusedError}


def _keywords(options):
    return {KEYWORDS.get(name, name): value for name, value in options.items()}


def _windows(times, values, width, step, **options):
    several = bool(times) and all(isinstance(t, list) for t in times)
    pairs = list(zip(times, values)) if several else [(times, values)]
    reduced = cm.windows(pairs, width, step, **_keywords(options))
    return {"windows": [{"minimum": w.minimum, "maximum": w.maximum, "mean": w.mean,
                         "centre": w.centre, "hasData": w.has_data} for w in reduced],
            "samplesHeldByNoWindow": reduced.samples_held_by_no_window}


def _endpoint(text):
    answer = cm.check_endpoint(text)
    return {**answer.check._asdict(), "address": answer.address, "port": answer.port}


CALLS = {
    "eng": lambda value, **o: cm.eng(value, **_keywords(o)),
    "simple": lambda value, **o: cm.simple(value, **_keywords(o)),
    "sci": lambda value, **o: cm.scientific(value, **_keywords(o)),
    "price": lambda value, **o: cm.price(value, **_keywords(o)),
    "sevenseg": lambda value, flags=0: {"word": cm.seven_seg(value, flags)},
    "parse": cm.parse_eng,
    "parseHex": cm.parse_hex,
    "checkExpression": lambda text, **o: cm.check_expression(text, **o)._asdict(),
    "checkIp": lambda text: cm.check_ip(text)._asdict(),
    "checkEndpoint": _endpoint,
    "checkControlId": lambda text, **o: cm.check_control_id(text, **o)._asdict(),
    "checkNumber": lambda text, **o: cm.check_number(text, **o)._asdict(),
    "convertControlId": cm.convert_control_id,
    "characterClasses": lambda text, **o: cm.character_classes(text, **o),
    "decodeFont": lambda text: cm.decode_font(text)._asdict(),
    "dataTypeIndex": cm.data_type_index,
    "controlKindCode": cm.control_kind_code,
    "typeCodeName": cm.type_code_name,
    "valueFormatIndex": cm.value_format_index,
    "scaleName": cm.scale_name,
    "scaleIndex": cm.scale_index,
    "componentName": cm.component_name,
    "statistics": lambda values: cm.statistics(values)._asdict(),
    "windows": _windows,
}


def _same(actual, expected):
    """Equal, NaN equal to NaN, and a float equal to the integer JSON wrote for it."""
    if isinstance(expected, dict):
        return isinstance(actual, dict) and actual.keys() == expected.keys() and all(
            _same(actual[key], expected[key]) for key in expected)
    if isinstance(expected, list):
        return isinstance(actual, (list, tuple)) and len(actual) == len(expected) and all(
            _same(a, e) for a, e in zip(actual, expected))
    if isinstance(expected, float) and math.isnan(expected):
        return isinstance(actual, float) and math.isnan(actual)
    return actual == expected and type(actual) is not bool or actual is expected


def test_the_table_covers_every_family():
    assert {case["function"] for case in CASES} == set(CALLS)


@pytest.mark.filterwarnings("ignore::corvixmath.SamplesLeftOutWarning")
@pytest.mark.parametrize("case", CASES, ids=lambda case: f"{case['function']}{case['args']}"[:60])
def test_python_gives_the_shared_answer(case):
    call = CALLS[case["function"]]
    expected = case["expect"]
    if "error" in expected:
        with pytest.raises(ERRORS[expected["error"]]):
            call(*case["args"], **case["options"])
    else:
        assert _same(call(*case["args"], **case["options"]), expected["result"])
