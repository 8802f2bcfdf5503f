"""Windows of pandas DataFrames: windows_frame() reduces a frame's sample series to the rows the
command-line tool's ``windows`` command prints for the same data, and windows_csv() writes them
as that command does. pandas is imported when these are called, not with the package."""

from __future__ import annotations

import decimal
from typing import List, NamedTuple, Optional, Sequence

from . import LIMITS, Reducer, Window, _warn_left_out

_DAY = LIMITS["SECONDS_PER_DAY"]
_MAX_SERIES = LIMITS["MAX_SERIES"]


def _pandas():
    try:
        import pandas
    except ImportError as error:
        raise ImportError("corvixmath's DataFrame functions need pandas (Debian: "
                          "python3-pandas)") from error
    return pandas


class FrameSeries(NamedTuple):
    """The sample series of a frame, in the order the tool would read them."""

    names: List[str]
    times: list  # int64 arrays of seconds, ascending
    values: list  # float64 arrays
    dated: bool
    utc: bool


def _time_text(seconds: int, dated: bool) -> str:
    if not dated:
        return f"{seconds} s"
    return str(_pandas().Timestamp(seconds, unit="s"))


def time_seconds(column, name):
    """The time column as int64 seconds: datetimes (seconds since 1970, UTC when they carry a
    zone; fractions of a second dropped, as the tool drops them) or integer seconds. Returns
    (seconds, dated, utc)."""
    pandas = _pandas()
    import numpy

    missing = column.isna().to_numpy()
    if missing.any():
        raise ValueError(f"row {column.index[missing.argmax()]!r} has no time in column {name!r}")
    dtype = column.dtype
    if pandas.api.types.is_datetime64_any_dtype(dtype):
        utc = getattr(dtype, "tz", None) is not None
        if utc:
            column = column.dt.tz_convert("UTC").dt.tz_localize(None)
        nanoseconds = column.to_numpy(dtype="datetime64[ns]").view(numpy.int64)
        return nanoseconds // 1_000_000_000, True, utc
    if pandas.api.types.is_integer_dtype(dtype) and not pandas.api.types.is_bool_dtype(dtype):
        if getattr(dtype, "kind", "i") == "u" and len(column) and column.max() > 2**63 - 1:
            raise ValueError(f"the times of column {name!r} go beyond 64-bit seconds")
        return column.to_numpy(dtype=numpy.int64), False, False
    raise TypeError(f"the time column {name!r} must hold datetimes or integer seconds, not "
                    f"{dtype}")


def origin_seconds(origin) -> Optional[int]:
    """An origin as seconds: integer seconds, or a date-time (a zone is converted to UTC)."""
    if origin is None or isinstance(origin, int):
        return origin
    pandas = _pandas()
    if isinstance(origin, bool):
        raise TypeError("origin must be seconds or a date-time, not bool")
    try:
        stamp = pandas.Timestamp(origin)
    except (TypeError, ValueError):
        raise TypeError(f"origin must be seconds or a date-time, not {origin!r}") from None
    if stamp.tzinfo is not None:
        stamp = stamp.tz_convert("UTC").tz_localize(None)
    return stamp.value // 1_000_000_000


def _value_columns(frame, time, values, series) -> list:
    if values is None:
        chosen = [c for c in frame.columns if c != time and (series is None or c != series)]
    elif isinstance(values, (str, int)):
        chosen = [values]
    else:
        chosen = list(values)
    if not chosen:
        raise ValueError("no value column: name them with values=")
    for column in chosen:
        if column not in frame.columns:
            raise ValueError(f"no column {column!r}; the frame has {list(frame.columns)}")
    return chosen


def _column_values(frame, column):
    """A value column as float64, NaN where a cell is empty; an infinite value is refused."""
    pandas = _pandas()
    import numpy

    data = frame[column]
    if not pandas.api.types.is_numeric_dtype(data.dtype) or \
            pandas.api.types.is_bool_dtype(data.dtype):
        raise TypeError(f"the value column {column!r} must hold numbers, not {data.dtype}")
    array = data.to_numpy(dtype=numpy.float64, na_value=numpy.nan)
    infinite = numpy.isinf(array)
    if infinite.any():
        at = int(infinite.argmax())
        raise ValueError(f"row {frame.index[at]!r} of column {column!r} is {array[at]}; values "
                         "must be finite")
    return array


def _refuse_going_back(times, rows, what: str, dated: bool) -> None:
    import numpy

    back = numpy.flatnonzero(numpy.diff(times) < 0)
    if back.size:
        at = int(back[0]) + 1
        raise ValueError(f"{what} must not go back: row {rows[at]!r} at "
                         f"{_time_text(int(times[at]), dated)} after "
                         f"{_time_text(int(times[at - 1]), dated)}; sort the frame by time")


def frame_series(frame, time="time", values=None, series=None, tags=None,
                 order: Optional[Sequence[str]] = None, require_tags=True) -> FrameSeries:
    """The series of a frame: one per value column (wide), or with ``series`` one per tag and
    value column (long; named "tag", or "tag:column" with several value columns), in the order
    of their first sample as the tool reads them; ``tags`` chooses tags and their order,
    ``order`` gives the names in order (a name without samples is an empty series).
    ``require_tags`` refuses tags without samples."""
    pandas = _pandas()
    import numpy

    if not isinstance(frame, pandas.DataFrame):
        raise TypeError(f"frame must be a pandas DataFrame, not {type(frame).__name__}")
    if time not in frame.columns:
        raise ValueError(f"no time column {time!r}; the frame has {list(frame.columns)}")
    if series is not None and series not in frame.columns:
        raise ValueError(f"no series column {series!r}; the frame has {list(frame.columns)}")
    columns = _value_columns(frame, time, values, series)
    seconds, dated, utc = time_seconds(frame[time], time)
    rows = frame.index
    found = []  # (first row, column number, name, tag, times, values)
    if series is None:
        if tags is not None:
            raise ValueError("tags= chooses tags of the series column: name it with series=")
        _refuse_going_back(seconds, rows, "the times of the rows", dated)
        for number, column in enumerate(columns):
            array = _column_values(frame, column)
            present = ~numpy.isnan(array)
            first = int(present.argmax()) if present.any() else len(array)
            found.append((first, number, str(column), None, seconds[present], array[present]))
    else:
        tag_column = frame[series]
        if tag_column.isna().any():
            raise ValueError(f"row {rows[int(tag_column.isna().to_numpy().argmax())]!r} has no "
                             f"tag in column {series!r}")
        tag_text = tag_column.astype(str).to_numpy()
        wanted = None if tags is None else [str(tag) for tag in tags]
        for number, column in enumerate(columns):
            array = _column_values(frame, column)
            present = ~numpy.isnan(array)
            if wanted is not None:
                present &= numpy.isin(tag_text, wanted)
            positions = numpy.flatnonzero(present)
            codes, names = pandas.factorize(tag_text[positions])
            if len(names) > _MAX_SERIES and order is None:
                raise ValueError(f"{len(names)} tags; at most {_MAX_SERIES} series can be "
                                 "reduced at once: choose some with tags=")
            grouped = numpy.argsort(codes, kind="stable")
            bounds = numpy.concatenate(([0], numpy.cumsum(numpy.bincount(codes,
                                                                          minlength=len(names)))))
            for code, tag in enumerate(names):
                at = positions[grouped[bounds[code]:bounds[code + 1]]]
                name = tag if len(columns) == 1 else f"{tag}:{column}"
                _refuse_going_back(seconds[at], rows[at], f"the times of {name!r}", dated)
                found.append((int(at[0]), number, name, tag, seconds[at], array[at]))
        if wanted is not None:
            absent = [tag for tag in wanted if tag not in {item[3] for item in found}]
            if absent and require_tags:
                raise ValueError(f"no samples of the tags {absent} in column {series!r}")
            rank = {tag: place for place, tag in enumerate(wanted)}
            found.sort(key=lambda item: (rank[item[3]], item[0], item[1]))
    if order is None:
        if tags is None:
            found.sort(key=lambda item: (item[0], item[1]))
        chosen = [(name, times, data) for _, _, name, _, times, data in found]
    else:
        by_name = {name: (times, data) for _, _, name, _, times, data in found}
        empty = (numpy.empty(0, numpy.int64), numpy.empty(0, numpy.float64))
        chosen = [(name,) + by_name.get(name, empty) for name in order]
    if len(chosen) > _MAX_SERIES:
        raise ValueError(f"{len(chosen)} series; at most {_MAX_SERIES} can be reduced at once: "
                         "choose some with values= or tags=")
    return FrameSeries([c[0] for c in chosen], [c[1] for c in chosen], [c[2] for c in chosen],
                       dated, utc)


def reduce_series(found: FrameSeries, width, step, *, empty_windows=False,
                  series_averages=False, origin=None, marker=None):
    """The windows of a frame's series and how many samples no window held. ``marker``, a
    time after every sample, makes the axis reach its day (its value is in no window kept)."""
    with Reducer(width, step, max(len(found.names), 1), empty_windows=empty_windows,
                 series_averages=series_averages, origin=origin) as reducer:
        for number, name in enumerate(found.names):
            try:
                reducer.push(number, found.times[number], found.values[number])
            except ValueError as error:
                raise ValueError(f"{name!r}: {error}") from None
        if marker is not None:
            reducer.push(0, [marker], [0.0])
        reducer.finish()
        return reducer.take(), reducer.counts.samples_held_by_no_window


def _clock(seconds: int) -> str:
    """HH:MM:SS of a second of the day; a centre at the day's end is 24:00:00."""
    if seconds == _DAY:
        return "24:00:00"
    seconds %= _DAY
    return f"{seconds // 3600:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}"


def clock_label(centre: int) -> str:
    """The tool's label of an undated centre: "01:00:00", beyond the first day "+1d 01:00:00"."""
    if 0 <= centre <= _DAY:
        return _clock(centre)
    day = centre // _DAY
    return f"{day:+d}d {_clock(centre - day * _DAY)}"


def windows_table(windows: Sequence[Window], names: Sequence[str], dated: bool, utc: bool,
                  series_averages: bool):
    """The DataFrame of windows: time (dated) or centre and clock (undated), min, max, mean,
    and with series_averages a column of each series' average."""
    pandas = _pandas()
    import numpy

    centres = numpy.fromiter((w.centre for w in windows), dtype=numpy.int64, count=len(windows))
    table = {}
    if dated:
        table["time"] = pandas.to_datetime(centres, unit="s", utc=utc)
    else:
        table["centre"] = centres
        table["clock"] = [clock_label(centre) for centre in centres.tolist()]
    for column, field in (("min", 0), ("max", 1), ("mean", 2)):
        table[column] = numpy.fromiter((w[field] for w in windows), dtype=numpy.float64,
                                       count=len(windows))
    if series_averages:
        for number, name in enumerate(names):
            if name in table:
                raise ValueError(f"series {name!r} has the name of a window column; rename it "
                                 "to have its averages")
            table[name] = numpy.fromiter((w.averages[number] for w in windows),
                                         dtype=numpy.float64, count=len(windows))
    return pandas.DataFrame(table, columns=list(table))


def windows_frame(frame, width, step, time="time", values=None, series=None, *, tags=None,
                  empty_windows: bool = False, series_averages: bool = False, origin=None):
    """Reduces the samples of a pandas DataFrame to time windows: the rows the tool's
    ``corvixmath windows`` prints for the same data written as CSV.

    ``time`` names the time column: datetimes (naive, or with a zone, read as UTC) or integer
    seconds. ``values`` names the value column(s) (default: every other column); each is one
    series, and an empty cell (NaN) is no sample. With ``series``, the frame is long (one row
    per tag and time): each tag is one series, named by the tag ("tag:column" with several
    value columns); ``tags`` chooses tags and orders their series (default: every tag, in the
    order of its first sample, as the tool reads them). ``width`` and ``step`` are seconds,
    timedeltas or the tool's texts ("15m", "1h", "7d"). ``origin`` (seconds or a date-time)
    starts the axis at the midnight of its day instead of the first sample's.

    Returns a DataFrame: dated input gives the columns ``time`` (datetime64, UTC when the input
    carries a zone), ``min``, ``max``, ``mean``; integer times give ``centre`` (seconds),
    ``clock`` (the tool's label, "+1d 01:00:00" after the first day), ``min``, ``max``,
    ``mean``. ``empty_windows=True`` keeps windows without data (NaN values);
    ``series_averages=True`` adds a column per series with its own average (the tool's
    --per-series-columns). windows_csv() writes the frame as the tool's CSV.
    ``result.attrs["samples_held_by_no_window"]`` counts the samples no window holds (between
    windows with a step longer than the width), left out with a SamplesLeftOutWarning.

    Raises ValueError for times going back (the rows in wide frames, each tag's in long ones),
    an infinite value, a missing column, more than LIMITS["MAX_SERIES"] series; TypeError for
    a time or value column of another type.
    """
    found = frame_series(frame, time, values, series, tags)
    windows, held = reduce_series(found, width, step, empty_windows=empty_windows,
                                  series_averages=series_averages,
                                  origin=origin_seconds(origin))
    table = windows_table(windows, found.names, found.dated, found.utc, series_averages)
    table.attrs["samples_held_by_no_window"] = held
    _warn_left_out(held)
    return table


def number_text(value: float) -> str:
    """The tool's text of a number: the shortest digits that read back to the same double, in
    fixed or scientific notation, whichever is shorter (fixed on a tie): 1.5, 2, 1e+05, 1e-05,
    123456789012345680."""
    text = repr(float(value))
    if text in ("nan", "inf", "-inf"):
        return text
    sign = "-" if text.startswith("-") else ""
    _, digits, exponent = decimal.Decimal(text).as_tuple()
    digits = "".join(map(str, digits)).lstrip("0") or "0"
    stripped = digits.rstrip("0") or "0"
    exponent += len(digits) - len(stripped)
    digits = stripped
    if digits == "0":
        return sign + "0"
    point = len(digits) + exponent  # digits before the decimal point
    if point >= len(digits):
        fixed = digits + "0" * (point - len(digits))
    elif point > 0:
        fixed = digits[:point] + "." + digits[point:]
    else:
        fixed = "0." + "0" * -point + digits
    power = point - 1
    scientific = digits[0] + ("." + digits[1:] if len(digits) > 1 else "") + \
        f"e{'+' if power >= 0 else '-'}{abs(power):02d}"
    return sign + (fixed if len(fixed) <= len(scientific) else scientific)


def _csv_field(text: str) -> str:
    if any(c in text for c in ",;\t\"\r\n") or (text and (text[0] == " " or text[-1] == " ")):
        return '"' + text.replace('"', '""') + '"'
    return text


def windows_csv(table) -> str:
    """A table of windows_frame() as the CSV text ``corvixmath windows`` writes: the same
    header, time labels and numbers (the shortest text that reads back to the same double),
    empty cells for no data."""
    pandas = _pandas()

    if not isinstance(table, pandas.DataFrame):
        raise TypeError(f"table must be a DataFrame of windows_frame(), not "
                        f"{type(table).__name__}")
    dated = list(table.columns[:1]) == ["time"]
    heads = ["time", "min", "max", "mean"] if dated else ["centre", "clock", "min", "max", "mean"]
    if list(table.columns[:len(heads)]) != heads:
        raise ValueError(f"not a table of windows_frame(): its columns begin with "
                         f"{list(table.columns[:len(heads)])}, not {heads}")
    numbers = list(table.columns[len(heads) - 3:])
    lines = [",".join(heads + [_csv_field(str(name)) for name in table.columns[len(heads):]])]
    if dated:
        times = table["time"]
        zoned = getattr(times.dtype, "tz", None) is not None
        if zoned:
            times = times.dt.tz_convert("UTC")
        labels = [f"{t.year:04d}-{t.month:02d}-{t.day:02d}T{t.hour:02d}:{t.minute:02d}:"
                  f"{t.second:02d}{'Z' if zoned else ''}" for t in times]
    else:
        labels = [f"{centre},{clock}" for centre, clock in zip(table["centre"], table["clock"])]
    columns = [table[name].tolist() for name in numbers]
    for row, label in enumerate(labels):
        cells = [label]
        for column in columns:
            value = column[row]
            cells.append("" if value != value else number_text(value))
        lines.append(",".join(cells))
    return "\n".join(lines) + "\n"
