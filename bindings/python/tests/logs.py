"""Generated logs for the window tests, and what the tool's CSV says of them."""

import re

import numpy as np

DAY = 86400


def sample_series(days, count, every, seed, first=3):
    """`count` series of `days` days, a sample every `every` s from `first` with a tenth of them
    missing, values of a few magnitudes: a list of (times, values) arrays."""
    rng = np.random.default_rng(seed)
    times = np.arange(first, days * DAY, every, dtype=np.int64)
    pairs = []
    for number in range(count):
        kept = rng.random(times.size) > 0.1
        kept[0] = True  # each series starts on the first row, so the columns keep their order
        values = rng.normal(50.0, 20.0, times.size) * 10.0 ** (number - 1)
        pairs.append((times[kept], values[kept]))
    return pairs


def wide_frame(pairs, start=None):
    """The series as columns s0, s1 ... of one frame (NaN where a series has no sample); the
    times as datetimes from `start`, or integer seconds."""
    import pandas as pd

    times = np.unique(np.concatenate([t for t, _ in pairs]))
    frame = pd.DataFrame({"time": times})
    for number, (t, v) in enumerate(pairs):
        column = np.full(times.size, np.nan)
        column[np.searchsorted(times, t)] = v
        frame[f"s{number}"] = column
    if start is not None:
        frame["time"] = pd.Timestamp(start) + pd.to_timedelta(frame["time"], unit="s")
    return frame


def long_frame(pairs, tags, start, empty_days=()):
    """The series as one row per tag and time, in time order, without the days `empty_days`."""
    import pandas as pd

    parts = []
    for tag, (t, v) in zip(tags, pairs):
        kept = ~np.isin(t // DAY, list(empty_days))
        parts.append(pd.DataFrame({"time": pd.Timestamp(start) + pd.to_timedelta(t[kept], "s"),
                                   "tag": tag, "value": v[kept]}))
    return pd.concat(parts).sort_values("time", kind="stable").reset_index(drop=True)


def csv_of(frame):
    """The frame as the CSV file a logger writes: ISO times, numbers that read back exactly."""
    zoned = getattr(frame["time"].dtype, "tz", None) is not None
    return frame.to_csv(index=False, float_format=repr,
                        date_format="%Y-%m-%dT%H:%M:%S" + ("%z" if zoned else ""))


def held_by_no_window(stderr):
    """The samples the tool said no window holds."""
    found = re.search(r"(\d+) samples no window holds", stderr)
    return int(found.group(1)) if found else 0


def tool_rows(csv_text):
    """The tool's undated rows as (centre, min, max, mean), None for an empty cell."""
    rows = []
    for line in csv_text.splitlines()[1:]:
        centre, _, *numbers = line.split(",")
        rows.append((int(centre), *[float(n) if n else None for n in numbers[:3]]))
    return rows
