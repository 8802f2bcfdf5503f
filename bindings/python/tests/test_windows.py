"""windows() and Reducer: the multi-day reducer through the package, held to the library's
one-day call and to the command-line tool's rows, and every refusal named."""

import ctypes
import re
import warnings

import numpy as np
import pytest

import corvixmath as cm
from corvixmath import _dask
from logs import DAY, held_by_no_window, sample_series, tool_rows, wide_frame

LIMIT = cm.LIMITS["REDUCER_TIME_LIMIT"]


def one_day_call(pairs, width, step):
    """The windows of one cm_filter_value_array call, as windows() gave them before it reduced
    any span: (centre, minimum, maximum, mean) of each entry."""
    lib = cm._lib
    count = len(pairs)
    times = [(ctypes.c_int32 * max(len(t), 1))(*[int(x) for x in t]) for t, _ in pairs]
    values = [(ctypes.c_double * max(len(v), 1))(*[float(x) for x in v]) for _, v in pairs]
    entries = DAY // step + 2
    minimum, maximum, mean = [(ctypes.c_double * entries)() for _ in range(3)]
    centres = (ctypes.c_int32 * entries)()
    written = lib.cm_filter_value_array(
        (ctypes.POINTER(ctypes.c_double) * count)(
            *[ctypes.cast(v, ctypes.POINTER(ctypes.c_double)) for v in values]),
        (ctypes.POINTER(ctypes.c_int32) * count)(
            *[ctypes.cast(t, ctypes.POINTER(ctypes.c_int32)) for t in times]),
        count, (ctypes.c_int32 * count)(*[len(t) for t, _ in pairs]), minimum, maximum, mean,
        centres, width, step, 0)
    return [(centres[i], minimum[i], maximum[i], mean[i]) for i in range(written)]


@pytest.mark.parametrize("width, step", [(3600, 3600), (900, 300), (3601, 1800), (60, 7),
                                         (600, 7 * 3600), (DAY, DAY), (7, 60)])
@pytest.mark.parametrize("seed", [1, 2, 3])
def test_one_day_gives_the_rows_of_the_one_day_call(width, step, seed):
    rng = np.random.default_rng(seed)
    pairs = []
    for _ in range(int(rng.integers(1, 5))):
        times = np.sort(rng.integers(0, DAY, int(rng.integers(1, 3000))))
        pairs.append((times, rng.normal(0.0, 1e3, times.size)))
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", cm.SamplesLeftOutWarning)
        reduced = cm.windows(pairs, width, step)
    assert [(w.centre, w.minimum, w.maximum, w.mean) for w in reduced] == \
        one_day_call(pairs, width, step)
    assert all(w.has_data and w.averages is None for w in reduced)


def undated_csv(pairs):
    pytest.importorskip("pandas")
    return wide_frame(pairs).to_csv(index=False, float_format=repr)


@pytest.mark.parametrize("width, step", [(3600, 3600), (3600, 600), (3601, 1799),
                                         (600, 7 * 3600), (2 * DAY, DAY)])
def test_python_reduces_a_week_exactly_as_the_tool_does(tool, width, step):
    pairs = sample_series(days=7, count=4, every=10, seed=width + step)
    printed, said = tool(undated_csv(pairs), "windows", "--width", str(width), "--step",
                         str(step))
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        reduced = cm.windows(pairs, width, step)
    assert [(w.centre, w.minimum, w.maximum, w.mean) for w in reduced] == tool_rows(printed)
    assert reduced[-1].centre >= 6 * DAY
    assert reduced.samples_held_by_no_window == held_by_no_window(said)
    assert (step > width) == bool(reduced.samples_held_by_no_window)
    assert len(caught) == (1 if step > width else 0)


def test_empty_windows_and_series_averages_are_the_tools(tool):
    # No sample on the second day, and the second series on the first day only.
    pairs = [(t[kept], v[kept]) for t, v in sample_series(days=3, count=3, every=600, seed=4)
             for kept in [(t < DAY) | (t >= 2 * DAY)]]
    pairs[1] = (pairs[1][0][pairs[1][0] < DAY], pairs[1][1][pairs[1][0] < DAY])
    printed, _ = tool(undated_csv(pairs), "windows", "--width", "1h", "--step", "5h",
                      "--empty-windows", "--per-series-columns")
    with pytest.warns(cm.SamplesLeftOutWarning):
        reduced = cm.windows(pairs, "1h", "5h", empty_windows=True, series_averages=True)
    expected = [line.split(",") for line in printed.splitlines()[1:]]
    assert len(reduced) == len(expected)
    for window, row in zip(reduced, expected):
        numbers = [float(cell) if cell else float("nan") for cell in row[2:]]
        got = [window.minimum, window.maximum, window.mean, *window.averages]
        assert int(row[0]) == window.centre
        assert np.array_equal(got, numbers, equal_nan=True)
        assert window.has_data == (row[2] != "")
    assert any(not w.has_data for w in reduced)


def test_a_reducer_fed_in_pieces_hands_out_windows_early_and_all_in_the_end():
    pairs = sample_series(days=3, count=2, every=60, seed=9)
    whole = cm.windows(pairs, 3600, 1800)
    taken = []
    with cm.Reducer(3600, 1800, 2) as reducer:
        for start in range(0, 3 * DAY, DAY // 2):
            for number, (times, values) in enumerate(pairs):
                piece = (times >= start) & (times < start + DAY // 2)
                reducer.push(number, times[piece].tolist(), list(values[piece]))
            taken += reducer.take()
            # Windows come out a day's run at a time, once every series is past the run.
            if start >= DAY:
                assert taken and taken[-1].centre >= start - DAY // 2
        assert reducer.counts.samples_open > 0
        reducer.finish()
        taken += reducer.take(most=3)
        taken += reducer.take()
        counts = reducer.counts
    assert taken == list(whole)
    assert counts.samples_taken == sum(len(t) for t, _ in pairs)
    assert counts.windows_reduced == len(whole) and counts.windows_waiting == 0


def test_advance_hands_out_windows_a_silent_series_holds_back():
    with cm.Reducer(60, 60, 2) as reducer:
        reducer.push(0, [0, 30, DAY + 200], [1.0, 2.0, 3.0])
        assert reducer.take() == []
        reducer.advance(DAY + 100)
        assert [(w.centre, w.mean) for w in reducer.take()] == [(0, 1.0), (60, 2.0)]
        with pytest.raises(ValueError, match=r"sample 0 of series 1 at 86499 s goes back before "
                                             r"the time given to advance\(\) \(86500 s\)"):
            reducer.push(1, [DAY + 99], [1.0])


def test_the_origin_puts_the_windows_on_the_whole_logs_axis():
    later = [(np.array([DAY + 5, DAY + 700]), np.array([1.0, 2.0]))]
    own = cm.windows(later, 1000, 700)
    on_axis = cm.windows(later, 1000, 700, origin=0)
    assert [w.centre for w in own] == [DAY, DAY + 700]
    assert [w.centre for w in on_axis] == [123 * 700, 124 * 700, 125 * 700]
    with pytest.raises(ValueError,
                       match=r"at 86405 s goes back before the origin.s midnight \(172800 s\)"):
        cm.windows(later, 1000, 700, origin=2 * DAY + 9)


@pytest.mark.parametrize("width, step, last", [
    (3600, 3600, 5), (3600, 3600, 3 * DAY - 1), (3601, 1800, DAY + 1799), (7, 60, DAY - 1),
    (600, 7 * 3600, 4 * DAY + 3), (3 * DAY + 1, DAY, 2 * DAY), (400 * DAY, 400 * DAY, 1),
    (59, 59, 86399), (DAY, 1000, 10 * DAY)])
def test_the_recipes_axis_is_the_reducers(width, step, last):
    with cm.Reducer(width, step, 1, empty_windows=True) as reducer:
        reducer.push(0, [0, last], [1.0, 2.0])
        reducer.finish()
        windows = reducer.take()
        held = reducer.counts.samples_held_by_no_window
    count = _dask.axis_windows(0, last, width, step)
    assert len(windows) == count
    assert _dask.held_by_no_window([0, last], 0, width, step, count) == held


SAMPLES = [([0, 10, 20], [1.0, 2.0, 3.0])]


@pytest.mark.parametrize("call, error, message", [
    (lambda: cm.windows([([0, 3600, 100], [1.0, 2.0, 3.0])], 3600, 3600), ValueError,
     "sample 2 of series 0 at 100 s goes back before sample 1 (3600 s)"),
    (lambda: cm.windows([([0], [1.0]), ([5, 4], [1.0, 2.0])], 60, 60), ValueError,
     "sample 1 of series 1 at 4 s goes back"),
    (lambda: cm.windows([([0, 100], [1.0, float("nan")])], 3600, 3600), ValueError,
     "value of sample 1 of series 0 is nan"),
    (lambda: cm.windows([([0], [-float("inf")])], 60, 7), ValueError, "is -inf"),
    (lambda: cm.windows([([0, LIMIT + 1], [1.0, 2.0])], 60, 60), ValueError,
     f"sample 1 of series 0 at {LIMIT + 1} s lies beyond the reducer's times"),
    (lambda: cm.windows([(np.array([-LIMIT - 1]), np.array([1.0]))], 60, 60), ValueError,
     f"sample 0 of series 0 at {-LIMIT - 1} s lies beyond"),
    (lambda: cm.windows([([0, 10**10], [1.0, 2.0])], 1, 1), ValueError,
     "would make 10000022400 windows of 1 s every 1 s"),
    (lambda: cm.windows([([0, 1], [1.0])], 60, 60), ValueError, "series 0 has 2 times and 1"),
    (lambda: cm.windows([([0.5], [1.0])], 60, 60), TypeError, "time 0 of series 0 must be an"),
    (lambda: cm.windows([(np.array([0.5]), [1.0])], 60, 60), TypeError,
     "the times of series 0 must be integers (seconds), not float64"),
    (lambda: cm.windows([([0], ["1"])], 60, 60), TypeError, "value 0 of series 0 must be a"),
    (lambda: cm.windows([([0], [10**400])], 60, 60), ValueError, "outside the range of a"),
    (lambda: cm.windows([([2**63], [1.0])], 60, 60), ValueError, "time 0 of series 0 must lie"),
    (lambda: cm.windows([[0, 1, 2]], 60, 60), TypeError, "series 0 must be a (times, values)"),
    (lambda: cm.windows(None, 60, 60), TypeError, ""),
    (lambda: cm.windows([([0], [1.0])] * 33, 60, 60), ValueError, "33 series; the library"),
    (lambda: cm.windows(SAMPLES, 0, 60), ValueError, "width must lie in 1..34560000, not 0"),
    (lambda: cm.windows(SAMPLES, 60, 401 * DAY), ValueError, "step must lie in 1..34560000"),
    (lambda: cm.windows(SAMPLES, "1x", 60), ValueError, "width must be seconds or a number"),
    (lambda: cm.windows(SAMPLES, 60.0, 60), TypeError, "width must be an integer"),
    (lambda: cm.windows(SAMPLES, 60, 60, origin=LIMIT * 2), ValueError,
     "origin 2000000000000 s: a time beyond"),
    (lambda: cm.Reducer(60, 60, 0), ValueError, "series_count must lie in 1..32"),
    (lambda: cm.Reducer(60, 60, 2).push(2, [0], [1.0]), ValueError, "series must lie in 0..1"),
])
def test_every_refusal_is_an_exception_naming_the_sample(call, error, message):
    with pytest.raises(error, match=re.escape(message)):
        call()


def test_a_refused_push_takes_nothing_and_a_finished_or_closed_reducer_says_so():
    reducer = cm.Reducer(60, 60, 1)
    with pytest.raises(ValueError):
        reducer.push(0, [0, 10, 5], [1.0, 2.0, 3.0])
    assert reducer.counts.samples_taken == 0
    reducer.push(0, [0, 10], [1.0, 2.0])
    reducer.finish()
    with pytest.raises(ValueError, match="finished: no sample or advance can follow"):
        reducer.push(0, [20], [1.0])
    with pytest.raises(ValueError, match="finished"):
        reducer.advance(100)
    assert [w.mean for w in reducer.take()] == [1.5]
    reducer.close()
    reducer.close()
    for use in (lambda: reducer.take(), lambda: reducer.counts, lambda: reducer.finish()):
        with pytest.raises(ValueError, match="the reducer is closed"):
            use()


def test_samples_between_windows_are_counted_and_warned_of():
    with pytest.warns(cm.SamplesLeftOutWarning, match="2 samples lie between windows"):
        reduced = cm.windows([([0, 100, 3600, 3700], [1.0, 5.0, 2.0, 7.0])], 60, 3600)
    assert [(w.centre, w.mean) for w in reduced] == [(0, 1.0), (3600, 2.0)]
    assert reduced.samples_held_by_no_window == 2
    assert isinstance(reduced, list)
