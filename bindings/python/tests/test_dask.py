"""dask_windows(): the recipe for logs larger than one machine, run on a local cluster of two
worker processes, gives every row the tool gives for the whole log written as one CSV file."""

import warnings

import pytest

import corvixmath as cm
from logs import csv_of, held_by_no_window, long_frame, sample_series, wide_frame

pd = pytest.importorskip("pandas")
dd = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("dask.distributed")

TAGS = ["TI101", "PI7", "FI3"]
# What the cluster's event loop says of itself.
pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as connected:
        yield connected


def reduced_by_dask(frame, partitions, *arguments, **options):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", cm.SamplesLeftOutWarning)
        return cm.dask_windows(dd.from_pandas(frame, npartitions=partitions, sort=False),
                               *arguments, **options)


@pytest.mark.parametrize("width, step, empty_days", [
    ("1h", "1h", []), ("2h", "7h", []), ("7h", "7h", []),
    # Windows next to days without samples, and windows wider than a day.
    ("3601", "601", [1, 2]), ("3d", "1d", [1, 2]), ("10m", "7h", [2])])
def test_a_long_log_on_two_workers_gives_the_tools_rows(client, tool, width, step, empty_days):
    frame = long_frame(sample_series(days=4, count=3, every=10, seed=3), TAGS, "2010-03-27",
                       empty_days)
    printed, said = tool(csv_of(frame), "windows", "--width", width, "--step", step,
                         "--series-column", "tag")
    table = reduced_by_dask(frame, 7, width, step, series="tag")
    assert cm.windows_csv(table) == printed
    assert table.attrs["samples_held_by_no_window"] == held_by_no_window(said)
    assert len(client.scheduler_info()["workers"]) == 2


def test_a_wide_log_with_empty_windows_and_each_series(client, tool):
    frame = wide_frame(sample_series(days=4, count=3, every=10, seed=8), start="2010-01-01")
    frame = frame[(frame["time"] < "2010-01-02 06:00") | (frame["time"] >= "2010-01-03")]
    printed, _ = tool(csv_of(frame), "windows", "--width", "1h", "--step", "7h",
                      "--empty-windows", "--per-series-columns")
    table = reduced_by_dask(frame, 5, "1h", "7h", empty_windows=True, series_averages=True)
    assert cm.windows_csv(table) == printed
    assert table["min"].isna().any()


def test_times_going_back_between_partitions_are_refused(client):
    frame = wide_frame(sample_series(days=1, count=1, every=600, seed=1), start="2010-01-01")
    swapped = dd.concat([dd.from_pandas(frame.iloc[60:], npartitions=1),
                         dd.from_pandas(frame.iloc[:60], npartitions=1)])
    with pytest.raises(ValueError, match="the times of 's0' go back from partition 0 to "
                                         "partition 1"):
        cm.dask_windows(swapped, "1h", "1h")
    with pytest.raises(TypeError, match="windows_frame"):
        cm.dask_windows(frame, "1h", "1h")
