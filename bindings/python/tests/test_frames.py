"""windows_frame() and windows_csv(): a pandas DataFrame reduced to the very text the tool's
`windows` command writes for the same data, and the frames it refuses."""

import re
import warnings

import numpy as np
import pytest

import corvixmath as cm
from logs import csv_of, held_by_no_window, long_frame, sample_series, wide_frame

pd = pytest.importorskip("pandas")
TAGS = ["TI101", "PI7", "FI3"]


@pytest.mark.parametrize("width, step", [("1h", "1h"), ("1h", "10m"), ("3601", "1799"),
                                         ("10m", "7h"), ("2d", "1d")])
def test_a_wide_frame_gives_the_tools_rows(tool, width, step):
    frame = wide_frame(sample_series(days=7, count=3, every=10, seed=len(width + step)),
                       start="2010-01-01")
    printed, said = tool(csv_of(frame), "windows", "--width", width, "--step", step)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", cm.SamplesLeftOutWarning)
        table = cm.windows_frame(frame, width, step)
    assert cm.windows_csv(table) == printed
    assert list(table.columns) == ["time", "min", "max", "mean"]
    assert table["time"].dtype == "datetime64[ns]"
    assert table.attrs["samples_held_by_no_window"] == held_by_no_window(said)


def test_a_long_frame_gives_the_tools_rows_with_empty_windows_and_each_series(tool):
    pairs = sample_series(days=4, count=3, every=30, seed=11)
    frame = long_frame(pairs, TAGS, "2012-02-28", empty_days=[1])
    printed, _ = tool(csv_of(frame), "windows", "--width", "2h", "--step", "90m",
                      "--series-column", "tag", "--empty-windows", "--per-series-columns")
    table = cm.windows_frame(frame, "2h", "90m", series="tag", empty_windows=True,
                             series_averages=True)
    assert cm.windows_csv(table) == printed
    assert list(table.columns) == ["time", "min", "max", "mean", *TAGS]
    assert table["min"].isna().any()


def test_zoned_times_and_integer_times_are_labelled_as_the_tool_labels_them(tool):
    pairs = sample_series(days=2, count=2, every=45, seed=5)
    zoned = wide_frame(pairs, start="2015-06-30 22:00")
    zoned["time"] = zoned["time"].dt.tz_localize("Europe/Berlin")
    printed, _ = tool(csv_of(zoned), "windows", "--width", "1h", "--step", "1h")
    table = cm.windows_frame(zoned, 3600, 3600)
    assert cm.windows_csv(table) == printed
    assert printed.splitlines()[1].startswith("2015-06-30T20:00:00Z,")
    assert str(table["time"].dt.tz) == "UTC"

    undated = wide_frame(pairs)
    printed, _ = tool(undated.to_csv(index=False, float_format=repr), "windows", "--width",
                      "25m", "--step", "25m", "--values", "s1,s0")
    table = cm.windows_frame(undated, 1500, 1500, values=["s1", "s0"])
    assert cm.windows_csv(table) == printed
    assert list(table.columns[:2]) == ["centre", "clock"]
    assert "+1d 00:10:00" in set(table["clock"])


@pytest.mark.parametrize("value", [100000.0, 1e-4, 0.1, 123456789012345680.0, 1e16, 1e15,
                                   12345.678, 5e-324, 1.7976931348623157e308, 2.0, -2.5e-7,
                                   1 / 3, 1e21, 9007199254740993.0])
def test_numbers_are_the_tools_shortest_texts(tool, value):
    printed, _ = tool(f"time,v\n0,{value!r}\n", "windows", "--width", "1", "--step", "1")
    assert cm.windows_csv(cm.windows_frame(pd.DataFrame({"time": [0], "v": [value]}), 1, 1)) \
        == printed


def test_tags_choose_and_order_the_series_and_the_origin_moves_the_axis():
    frame = long_frame(sample_series(days=2, count=3, every=600, seed=2), TAGS, "2011-05-05")
    chosen = cm.windows_frame(frame, "1h", "1h", series="tag", tags=["FI3", "TI101"],
                              series_averages=True)
    assert list(chosen.columns[4:]) == ["FI3", "TI101"]
    only = frame[frame["tag"].isin(["FI3", "TI101"])]
    assert chosen["min"].equals(cm.windows_frame(only, "1h", "1h", series="tag")["min"])
    day_before = cm.windows_frame(frame, 1000, 700, series="tag", origin="2011-05-04 13:00")
    assert (day_before["time"].iloc[0] - pd.Timestamp("2011-05-04")).total_seconds() % 700 == 0


def frame_of(times, **columns):
    return pd.DataFrame({"time": times, **columns})


TIMES = pd.to_datetime(["2010-01-01 00:00", "2010-01-01 00:10", "2010-01-01 00:20"])


@pytest.mark.parametrize("call, error, message", [
    (lambda: cm.windows_frame(frame_of(TIMES[::-1], v=[1.0, 2, 3]), 60, 60), ValueError,
     "the times of the rows must not go back: row 1 at 2010-01-01 00:10:00 after "
     "2010-01-01 00:20:00"),
    (lambda: cm.windows_frame(frame_of(TIMES[[0, 2, 1]], tag=["a", "b", "b"], v=[1.0, 2, 3]),
                              60, 60, series="tag"), ValueError,
     "the times of 'b' must not go back: row 2"),
    (lambda: cm.windows_frame(frame_of(TIMES, v=[1.0, np.inf, 3]), 60, 60), ValueError,
     "row 1 of column 'v' is inf; values must be finite"),
    (lambda: cm.windows_frame(frame_of(TIMES, v=["1", "2", "3"]), 60, 60), TypeError,
     "the value column 'v' must hold numbers, not object"),
    (lambda: cm.windows_frame(frame_of([0.5, 1, 2], v=[1.0, 2, 3]), 60, 60), TypeError,
     "the time column 'time' must hold datetimes or integer seconds, not float64"),
    (lambda: cm.windows_frame(frame_of([TIMES[0], pd.NaT, TIMES[2]], v=[1.0, 2, 3]), 60, 60),
     ValueError, "row 1 has no time in column 'time'"),
    (lambda: cm.windows_frame(frame_of(TIMES, v=[1.0, 2, 3]), 60, 60, values="w"), ValueError,
     "no column 'w'"),
    (lambda: cm.windows_frame(frame_of(TIMES, v=[1.0, 2, 3]), 60, 60, time="t"), ValueError,
     "no time column 't'"),
    (lambda: cm.windows_frame(frame_of(TIMES, tag=["a", None, "b"], v=[1.0, 2, 3]), 60, 60,
                              series="tag"), ValueError, "row 1 has no tag in column 'tag'"),
    (lambda: cm.windows_frame(frame_of(TIMES, tag=["a"] * 3, v=[1.0, 2, 3]), 60, 60,
                              series="tag", tags=["a", "z"]), ValueError,
     "no samples of the tags ['z'] in column 'tag'"),
    (lambda: cm.windows_frame(frame_of(np.arange(3), **{f"v{i}": [1.0] * 3 for i in range(33)}),
                              60, 60), ValueError, "33 series; at most 32"),
    (lambda: cm.windows_frame(frame_of(np.arange(40), tag=[f"t{i}" for i in range(40)],
                                       v=[1.0] * 40), 60, 60, series="tag"), ValueError,
     "40 tags; at most 32 series can be reduced at once: choose some with tags="),
    (lambda: cm.windows_frame(frame_of([0, 10**13], v=[1.0, 2]), 60, 60), ValueError,
     "'v': sample 1 of series 0 at 10000000000000 s lies beyond the reducer's times"),
    (lambda: cm.windows_frame([1, 2], 60, 60), TypeError, "frame must be a pandas DataFrame"),
    (lambda: cm.windows_csv(pd.DataFrame({"a": [1]})), ValueError,
     "not a table of windows_frame()"),
])
def test_every_frame_refusal_names_the_row_or_series(call, error, message):
    with pytest.raises(error, match=re.escape(message)):
        call()
