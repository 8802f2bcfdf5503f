"""The windows of a log larger than one machine, with Dask: one task per day reduces the day's
samples, with the samples its windows need from the days around it, on the axis of the whole
log (the reducer's origin is the log's first midnight), and keeps the windows centred in its
day. Every window is then reduced from all of its samples, as a reduction of the whole log on
one machine reduces it, so the rows are the same to the last bit. Dask is imported when
dask_windows() is called, not with the package."""

from __future__ import annotations

from typing import Dict, List, NamedTuple, Optional, Tuple

from . import LIMITS, Window, _duration, _warn_left_out
from ._frames import (FrameSeries, frame_series, origin_seconds, reduce_series, time_seconds,
                      windows_table)

_DAY = LIMITS["SECONDS_PER_DAY"]
_NAN = float("nan")


class _Part(NamedTuple):
    """What the first pass learns of one partition."""

    names: List[str]  # its series, in the order of their first sample
    spans: Dict[str, Tuple[int, int]]  # each series' first and last time
    rows: Optional[Tuple[int, int]]  # the first and last row's time (wide frames)
    dated: bool
    utc: bool


def _survey(part, time, values, series, tags) -> _Part:
    found = frame_series(part, time, values, series, tags, require_tags=False)
    spans = {name: (int(times[0]), int(times[-1]))
             for name, times in zip(found.names, found.times) if len(times)}
    rows = None
    if series is None and len(part):
        seconds, _, _ = time_seconds(part[time], time)
        rows = (int(seconds[0]), int(seconds[-1]))
    return _Part(found.names, spans, rows, found.dated, found.utc)


def axis_windows(origin: int, last: int, width: int, step: int) -> int:
    """The number of windows on the axis from `origin` when the last sample is at `last`: to
    the midnight after the last sample's day, and with step <= width until that sample is
    held."""
    half = width // 2
    end = last // _DAY * _DAY + _DAY
    count = (end - origin + 2 * half - width) // step + 1
    if step <= width:
        count = max(count, (last - origin + half - width) // step + 2)
    return count


def held_by_no_window(times, origin: int, width: int, step: int, count: int) -> int:
    """How many of the times no window of the axis holds."""
    import numpy

    relative = numpy.asarray(times, dtype=numpy.int64) - origin
    half = width // 2
    highest = numpy.minimum((relative + half) // step, count - 1)
    lowest = numpy.maximum((relative + half - width) // step + 1, 0)
    return int(numpy.count_nonzero(lowest > highest))


class _Day(NamedTuple):
    """One day's task: its seconds, its windows k_first..k_end - 1, the samples they need."""

    start: int
    k_first: int
    k_end: int
    take_from: int
    take_to: int
    last: bool


def _reduce_day(parts, day: _Day, time, values, series, names, width, step, origin, count,
                series_averages):
    """The windows centred in one day, and how many of the day's own samples no window
    holds."""
    import numpy
    import pandas

    frame = pandas.concat(parts) if len(parts) > 1 else parts[0]
    seconds, _, _ = time_seconds(frame[time], time)
    frame = frame[(seconds >= day.take_from) & (seconds < day.take_to)]
    found = frame_series(frame, time, values, series, order=names)
    held_by_none = sum(
        held_by_no_window(times[(times >= day.start) & (times < day.start + _DAY)], origin,
                          width, step, count) for times in found.times)
    kept: List[Window] = []
    if day.k_first < day.k_end:
        half = width // 2
        low = origin + day.k_first * step - half
        high = origin + (day.k_end - 1) * step - half + width
        cut = [(numpy.searchsorted(t, low), numpy.searchsorted(t, high)) for t in found.times]
        needed = FrameSeries(names, [t[a:b] for t, (a, b) in zip(found.times, cut)],
                             [v[a:b] for v, (a, b) in zip(found.values, cut)], found.dated,
                             found.utc)
        latest = max((int(t[-1]) for t in needed.times if len(t)), default=None)
        # The axis runs to the midnight after the latest sample. A day without samples of its
        # own would end it before the day's windows that hold the samples of the day before:
        # a sample after them, in no window kept, carries it on.
        marker = high if latest is not None and latest < day.start and not day.last else None
        if latest is not None:
            windows, _ = reduce_series(needed, width, step, series_averages=series_averages,
                                       origin=origin, marker=marker)
            kept = [w for w in windows
                    if day.k_first <= (w.centre - origin) // step < day.k_end]
    centres = numpy.fromiter((w.centre for w in kept), dtype=numpy.int64, count=len(kept))
    return (windows_table(kept, names, found.dated, found.utc, series_averages), centres,
            held_by_none)


def _order_of(parts: List[_Part], tags) -> List[str]:
    """The series of the whole log in the order one reading of it gives them."""
    names: List[str] = []
    seen = set()
    for part in parts:
        for name in part.names:
            if name not in seen:
                seen.add(name)
                names.append(name)
    if tags is not None:
        wanted = [str(tag) for tag in tags]
        rank = {tag: place for place, tag in enumerate(wanted)}
        tag_of = {name: next(tag for tag in wanted if name == tag or name.startswith(tag + ":"))
                  for name in names}
        absent = [tag for tag in wanted if tag not in set(tag_of.values())]
        if absent:
            raise ValueError(f"no samples of the tags {absent}")
        names.sort(key=lambda name: rank[tag_of[name]])
    if len(names) > LIMITS["MAX_SERIES"]:
        raise ValueError(f"{len(names)} series; at most {LIMITS['MAX_SERIES']} can be reduced "
                         "at once: choose some with values= or tags=")
    return names


def _refuse_going_back(parts: List[_Part], names: List[str]) -> None:
    """Each series' times, and a wide frame's rows, must not go back from one partition to the
    next, as within one."""
    for name in names:
        previous = None
        for number, part in enumerate(parts):
            if name not in part.spans:
                continue
            if previous is not None and part.spans[name][0] < previous[1]:
                raise ValueError(f"the times of {name!r} go back from partition {previous[0]} "
                                 f"to partition {number}")
            previous = (number, part.spans[name][1])
    rows = [(number, part.rows) for number, part in enumerate(parts) if part.rows]
    for (before, earlier), (after, later) in zip(rows, rows[1:]):
        if later[0] < earlier[1]:
            raise ValueError(f"the times of the rows go back from partition {before} to "
                             f"partition {after}")


def dask_windows(ddf, width, step, time="time", values=None, series=None, *, tags=None,
                 empty_windows: bool = False, series_averages: bool = False, origin=None):
    """The windows of a Dask DataFrame, as windows_frame() gives them for the whole frame
    (the same arguments, the same rows and columns, as a pandas DataFrame).

    A first pass over the partitions finds each series' time span and the log's first
    midnight; then one task per day reduces the samples of its windows (from width/2 before
    its first window to the end of its last one, taken from the partitions that hold them) on
    the axis from that midnight, and keeps the windows centred in its day; the days' windows
    are concatenated. Partitions of about a day or less keep each task small; the rows of each
    series must be in time order through the partitions. Runs on the current Dask scheduler
    (a ``dask.distributed.Client``'s cluster when one is open).
    """
    try:
        import dask
        import dask.dataframe
    except ImportError as error:
        raise ImportError("dask_windows needs dask (Debian: python3-dask)") from error
    import numpy
    import pandas

    if not isinstance(ddf, dask.dataframe.DataFrame):
        raise TypeError(f"ddf must be a Dask DataFrame, not {type(ddf).__name__}; "
                        "windows_frame() reduces a pandas DataFrame")
    width, step = _duration(width, "width"), _duration(step, "step")
    parts = ddf.to_delayed()
    survey = _survey_all(dask, parts, time, values, series, tags)
    names = _order_of(survey, tags)
    _refuse_going_back(survey, names)
    dated = any(part.dated for part in survey)
    utc = any(part.utc for part in survey)
    spans = [span for part in survey for name, span in part.spans.items() if name in names]
    if not spans:
        return _finish(windows_table([], names, dated, utc, series_averages), 0)
    first, last = min(s[0] for s in spans), max(s[1] for s in spans)
    start = first if origin is None else origin_seconds(origin)
    axis_origin = start // _DAY * _DAY
    if first < axis_origin:
        raise ValueError(f"samples from {first} s lie before the origin's midnight "
                         f"({axis_origin} s)")
    count = axis_windows(axis_origin, last, width, step)
    if count > LIMITS["REDUCER_MOST_WINDOWS"]:
        raise ValueError(f"{count} windows of {width} s every {step} s from the first sample's "
                         f"day to the last one's; at most {LIMITS['REDUCER_MOST_WINDOWS']}: "
                         "choose a longer step")
    part_spans = [(min(s[0] for n, s in p.spans.items() if n in names),
                   max(s[1] for n, s in p.spans.items() if n in names))
                  if any(n in names for n in p.spans) else None for p in survey]
    tasks = []
    days = (last - axis_origin) // _DAY + 1
    reduce_day = dask.delayed(_reduce_day, pure=True)
    for number in range(days):
        day = _plan_day(number, days, axis_origin, width, step, count)
        chosen = [parts[p] for p, span in enumerate(part_spans)
                  if span is not None and span[0] < day.take_to and span[1] >= day.take_from]
        if chosen:
            tasks.append(reduce_day(chosen, day, time, values, series, names, width, step,
                                    axis_origin, count, series_averages))
    results = dask.compute(*tasks)
    tables = [table for table, _, _ in results]
    centres = [centres for _, centres, _ in results]
    held = sum(count for _, _, count in results)
    if empty_windows:
        every = axis_origin + step * numpy.arange(count, dtype=numpy.int64)
        got = numpy.concatenate(centres) if centres else numpy.empty(0, numpy.int64)
        missing = numpy.setdiff1d(every, got, assume_unique=True)
        nothing = tuple([_NAN] * len(names)) if series_averages else None
        tables.append(windows_table([Window(_NAN, _NAN, _NAN, int(c), False, nothing)
                                     for c in missing.tolist()], names, dated, utc,
                                    series_averages))
        centres.append(missing)
    if not tables:
        return _finish(windows_table([], names, dated, utc, series_averages), held)
    table = pandas.concat(tables, ignore_index=True)
    if empty_windows:
        order = numpy.argsort(numpy.concatenate(centres), kind="stable")
        table = table.iloc[order].reset_index(drop=True)
    return _finish(table, held)


def _survey_all(dask, parts, time, values, series, tags) -> List[_Part]:
    survey = dask.delayed(_survey, pure=True)
    return list(dask.compute(*[survey(part, time, values, series, tags) for part in parts]))


def _plan_day(number: int, days: int, origin: int, width: int, step: int, count: int) -> _Day:
    """Day `number`'s windows (centred in it; the last day also keeps those after it) and the
    times of the samples they and the day's own samples need."""
    start = origin + number * _DAY
    k_first = -(-(start - origin) // step)
    last = number == days - 1
    k_end = count if last else min(count, -(-(start + _DAY - origin) // step))
    take_from, take_to = start, start + _DAY
    if k_first < k_end:
        half = width // 2
        take_from = min(take_from, origin + k_first * step - half)
        take_to = max(take_to, origin + (k_end - 1) * step - half + width)
    return _Day(start, k_first, k_end, take_from, take_to, last)


def _finish(table, held: int):
    table.attrs["samples_held_by_no_window"] = held
    _warn_left_out(held, stacklevel=4)
    return table
