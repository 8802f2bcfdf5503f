"""Properties of the package for arbitrary arguments (Hypothesis):

- every public function answers (a str, number, bool, tuple, dict or None) or raises TypeError
  or ValueError, for arguments of any type and for well-typed ones of any value; the
  interpreter never crashes;
- a formatted text is never cut: with any ``size`` it is refused or it is the whole text;
- parse_eng(eng(x)) gives x back within the last digit eng shows;
- windows() agrees with a plain reduction written here, to the last bit.

Example counts are kept small so that the whole file runs in a few seconds.
"""

import inspect
import math
import warnings

import pytest
from hypothesis import HealthCheck, assume, given, settings
from hypothesis import strategies as st

import corvixmath as cm

# No example database: runs leave nothing in the source tree.
FAST = settings(max_examples=150, deadline=None, database=None,
                suppress_health_check=[HealthCheck.too_slow, HealthCheck.filter_too_much])

# Texts of any characters: NUL, surrogates, letters no code page holds.
ANY_TEXT = st.text(st.characters(blacklist_categories=()), max_size=40)
ASCII_TEXT = st.text(st.characters(min_codepoint=1, max_codepoint=127), max_size=40)
ANYTHING = st.one_of(
    ANY_TEXT, ASCII_TEXT, st.floats(), st.integers(min_value=-2**70, max_value=2**70),
    st.integers(min_value=-300, max_value=300), st.none(), st.booleans(), st.binary(max_size=8),
    st.lists(st.floats(), max_size=4), st.tuples(st.integers(), st.text(max_size=3)))

# The functions that reduce windows over any span, read frames, or hold a handle, are tested
# on their own below; every other public function is called with anything.
SEPARATE = {"windows", "windows_csv", "windows_frame", "dask_windows", "Reducer"}
FUNCTIONS = sorted(
    name for name in cm.__all__
    if name not in SEPARATE and inspect.isfunction(getattr(cm, name)))

ANSWERS = (str, int, float, bool, tuple, dict, type(None))


def _typed(annotation: str):
    """A strategy of values of the annotated type, edges included."""
    if annotation.startswith("Optional["):
        return st.one_of(st.none(), _typed(annotation[len("Optional["):-1]))
    if annotation == "str":
        return st.one_of(ANY_TEXT, ASCII_TEXT)
    if annotation == "int":
        return st.one_of(st.integers(min_value=-5, max_value=300),
                         st.integers(min_value=-2**40, max_value=2**40))
    if annotation in ("float", "Union[int, float]"):
        return st.one_of(st.floats(), st.integers(min_value=-2**64, max_value=2**64))
    if annotation == "bool":
        return st.booleans()
    if annotation.startswith("Sequence[") or annotation.startswith("Iterable["):
        return st.lists(st.one_of(st.floats(), st.integers(), ASCII_TEXT), max_size=6)
    return ANYTHING


def _call(function, arguments):
    try:
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            result = function(*arguments)
    except (TypeError, ValueError):
        return None
    assert isinstance(result, ANSWERS), (function.__name__, arguments, result)
    return result


@FAST
@given(st.sampled_from(FUNCTIONS), st.data())
def test_any_arguments_give_an_answer_or_a_type_or_value_error(name, data):
    function = getattr(cm, name)
    parameters = list(inspect.signature(function).parameters.values())
    count = data.draw(st.integers(min_value=0, max_value=len(parameters)), label="arguments")
    _call(function, [data.draw(ANYTHING, label=p.name) for p in parameters[:count]])


@settings(FAST, max_examples=600)
@given(st.sampled_from(FUNCTIONS), st.data())
def test_well_typed_arguments_give_an_answer_or_a_value_error(name, data):
    function = getattr(cm, name)
    arguments = []
    for parameter in inspect.signature(function).parameters.values():
        if parameter.default is not inspect.Parameter.empty and data.draw(st.booleans()):
            break
        arguments.append(data.draw(_typed(str(parameter.annotation)), label=parameter.name))
    result = _call(function, arguments)
    if isinstance(result, str):
        assert "\0" not in result, (name, arguments, result)


FORMATTERS = [
    (cm.eng, "eng"),
    (lambda value, size: cm.simple(value, decimals=3, size=size), "simple"),
    (cm.scientific, "scientific"),
]


@FAST
@given(st.sampled_from(FORMATTERS), st.floats(), st.integers(min_value=1, max_value=64))
def test_a_formatted_text_is_whole_or_refused(formatter, value, size):
    function, name = formatter
    try:
        whole = function(value, size=cm.LIMITS["FORMAT_UNITS"])
    except ValueError:
        return
    try:
        text = function(value, size=size)
    except cm.TextRefusedError:
        assert len(whole.encode(cm.DEFAULT_ENCODING)) + 1 > size, (name, value, size, whole)
        return
    assert text == whole, (name, value, size)
    assert len(text.encode(cm.DEFAULT_ENCODING)) + 1 <= size


_SCALE_LETTERS = {"": 1.0, "K": 1e3, "M": 1e6, "G": 1e9, "T": 1e12}


# eng() writes peta from 1e15 on, which parse_eng does not read; below it every text reads.
@settings(FAST, max_examples=400)
@given(st.one_of(st.floats(min_value=-9.99e14, max_value=9.99e14),
                 st.integers(min_value=-10**14, max_value=10**14).map(float),
                 st.sampled_from([0.0, -0.0, 999.95, 999.999, 1e3, 99999.5, 1e-4, 5e-4])))
def test_parse_eng_reads_back_what_eng_wrote_within_its_digits(value):
    text = cm.eng(value)
    number, _, letter = text.partition(" ")
    assume(number not in ("EEEE", "-EEEE"))
    assert letter in _SCALE_LETTERS, text
    decimals = len(number.partition(".")[2])
    shown_step = 10.0 ** -decimals * _SCALE_LETTERS[letter]
    parsed = cm.parse_eng(text)
    assert abs(parsed - value) <= shown_step * (1 + 1e-9), (value, text, parsed)


# --- windows() against a plain reduction --------------------------------------------------------

DAY = 86400


def _plain_windows(series, width, step, empty_windows):
    """Window k centred at origin + k*step holds origin + k*step - width//2 <= t < that + width;
    each series gives its samples' average (summed in order), the window the minimum, maximum
    and mean (in series order) of those averages. The axis runs from the midnight of the first
    sample's day while the upper bound stays within the midnight after the last sample's day
    plus width//2, and with step <= width until every sample is held."""
    times = [t for ts, _ in series for t in ts]
    if not times:
        return []
    half = width // 2
    origin = min(times) // DAY * DAY
    last = max(times)
    end = last // DAY * DAY + DAY
    count = (end + half - (origin - half + width)) // step + 1
    if step <= width:
        count = max(count, (last - (origin - half + width)) // step + 2)
    rows = []
    for k in range(count):
        lower = origin + k * step - half
        averages = []
        for ts, vs in series:
            inside = [v for t, v in zip(ts, vs) if lower <= t < lower + width]
            if inside:
                total = 0.0
                for v in inside:
                    total += v
                averages.append(total / len(inside))
        if not averages:
            if empty_windows:
                rows.append((lower + half, None))
            continue
        mean = 0.0
        for a in averages:
            mean += a
        rows.append((lower + half, (min(averages), max(averages), mean / len(averages))))
    return rows


@st.composite
def _series(draw):
    count = draw(st.integers(min_value=1, max_value=3))
    start = draw(st.integers(min_value=-3 * DAY, max_value=3 * DAY))
    result = []
    for _ in range(count):
        gaps = draw(st.lists(st.integers(min_value=0, max_value=20000), max_size=12))
        times, t = [], start + draw(st.integers(min_value=0, max_value=DAY))
        for gap in gaps:
            t += gap
            times.append(t)
        values = draw(st.lists(
            st.one_of(st.floats(min_value=-1e6, max_value=1e6),
                      st.integers(min_value=-100, max_value=100).map(float)),
            min_size=len(times), max_size=len(times)))
        result.append((times, values))
    return result


@settings(FAST, max_examples=120)
@given(_series(), st.sampled_from([1, 60, 300, 900, 3600, 3601, 7200, 86400]),
       st.sampled_from([60, 300, 900, 3600, 5400, 86400]), st.booleans())
def test_windows_agree_with_a_plain_reduction(series, width, step, empty_windows):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", cm.SamplesLeftOutWarning)
        got = cm.windows(series, width, step, empty_windows=empty_windows)
    expected = _plain_windows(series, width, step, empty_windows)
    assert [w.centre for w in got] == [centre for centre, _ in expected]
    for window, (centre, row) in zip(got, expected):
        if row is None:
            assert not window.has_data and math.isnan(window.mean)
        else:
            assert window.has_data
            assert (window.minimum, window.maximum, window.mean) == row, (centre, window, row)


@FAST
@given(ANYTHING, ANYTHING, ANYTHING)
def test_windows_of_anything_answer_or_refuse(series, width, step):
    # A series of anything, in a small span, so that no call reduces a long axis.
    if isinstance(series, list):
        series = [(series, series)]
    try:
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            result = cm.windows(series, width, step)
    except (TypeError, ValueError):
        return
    assert isinstance(result, cm.WindowList)


if __name__ == "__main__":
    raise SystemExit(pytest.main([__file__, "-q"]))
