"""What the package promises: no starting value returned and no sample dropped in silence, the
documented errors are the ones raised, ``__all__`` is the public surface, and every length
limit the package enforces is one that CorvixLimits.h and corvixmath.h state."""

import math
import re
from pathlib import Path

import pytest

import corvixmath as cm

HEADER = Path(__file__).resolve().parents[3] / "include" / "corvixmath" / "corvixmath.h"
DAY = cm.LIMITS["SECONDS_PER_DAY"]


@pytest.mark.parametrize(
    "series, width, step, message",
    [
        ([([0, 90000, 100], [1.0, 2.0, 3.0])], 3600, 3600,
         "sample 2 of series 0 at 100 s goes back before sample 1 (90000 s)"),
        ([([0], [1.0]), ([0, 10**12 + 1], [1.0, 2.0])], 3600, 3600,
         "sample 1 of series 1 at 1000000000001 s lies beyond the reducer's times"),
        ([([0, 100], [1.0, float("nan")])], 3600, 3600, "value of sample 1 of series 0 is nan"),
        ([([0], [float("inf")])], 3600, 3600, "value of sample 0 of series 0 is inf"),
        ([([0], [-float("inf")])], 60, 7, "is -inf"),
    ],
)
def test_windows_refuse_what_they_would_drop_or_misreport(series, width, step, message):
    with pytest.raises(ValueError, match=re.escape(message)):
        cm.windows(series, width, step)


def test_windows_keep_every_sample_of_the_covered_day():
    # The first and last seconds the windows cover: each gives a window of its own.
    first, last = -1800, DAY + 1799
    result = cm.windows([([first, 0, last], [1.0, 3.0, 5.0])], 3600, 3600)
    assert result[0] == cm.Window(2.0, 2.0, 2.0, 0)
    assert result[-1] == cm.Window(5.0, 5.0, 5.0, DAY)
    assert all(w.minimum <= w.maximum for w in result)


@pytest.mark.parametrize("values", [[], [float("nan")], [1.0, float("inf")]])
def test_statistics_refuse_no_data(values):
    with pytest.raises(ValueError):
        cm.statistics(values)


@pytest.mark.parametrize(
    "call",
    [
        lambda: cm.eng(None), lambda: cm.find_char(None, "a"), lambda: cm.check_ip(None),
        lambda: cm.check_expression(None), lambda: cm.split_path(None),
        lambda: cm.statistics(None), lambda: cm.windows(None, 3600, 3600),
        lambda: cm.statistics([None]), lambda: cm.left_side(None, 2),
    ],
)
def test_none_raises_type_error_as_documented(call):
    with pytest.raises(TypeError):
        call()
    assert "``None`` included" in cm.__doc__
    readme = (HEADER.parents[2] / "README.md").read_text()
    assert "`None` included" in readme


@pytest.mark.parametrize(
    "call",
    [lambda: cm.eng(10**400), lambda: cm.simple(-(10**400)), lambda: cm.seven_seg(10**309),
     lambda: cm.price(10**400), lambda: cm.statistics([1, 10**400])],
)
def test_numbers_out_of_range_raise_value_error(call):
    with pytest.raises(ValueError):
        call()


def test_all_lists_the_public_names_and_nothing_else():
    namespace = {}
    exec("from corvixmath import *", namespace)
    imported = set(namespace) - {"__builtins__"}
    assert imported == set(cm.__all__)
    assert not {"ctypes", "math", "List", "numbers"} & imported
    public = {name for name, value in vars(cm).items()
              if not name.startswith("_")
              and getattr(value, "__module__", "corvixmath").split(".")[0] == "corvixmath"
              and not isinstance(value, type(math))}
    assert public - {"annotations"} == set(cm.__all__)


def test_check_ip_reads_the_whole_address():
    assert cm.check_ip("192.168.100.1000").code == cm.LIMITS["ADDRESS_FIELD_ABOVE_254"]
    assert cm.check_ip("192.168.100.1" + " " * 40).code == cm.LIMITS["ADDRESS_VALID"]
    assert "15" not in cm.check_ip.__doc__


def _doc_block(function: str) -> str:
    """The comment of a C function and the banner of its section in corvixmath.h."""
    text = HEADER.read_text()
    end = text.index(f"CORVIXMATH_CALL {function}(") if f"CORVIXMATH_CALL {function}(" in text \
        else text.index(f"{function}(")
    block = text[text.rindex("/**", 0, end):end]
    banner = text[text.rindex("/* ----", 0, end):end].split("*/")[0]
    return block + banner


# Every length limit the package enforces: the call with a text of `length` units, the C
# function it forwards to, and the limit the header states, as (name, units less).
LIMITED = [
    ("eng unit", lambda t: cm.eng(1.0, unit=t), "cm_double_to_eng_string", "FORMAT_UNITS", 1),
    ("parse_eng", cm.parse_eng, "cm_eng_str_2_simple_value", "FIELD_UNITS", 1),
    ("find_char", lambda t: cm.find_char(t, "."), "cm_find_charpos_in_string", "TEXT_UNITS", 1),
    ("find_sub", lambda t: cm.find_sub(t, "."), "cm_find_sub_string_start_pos", "FORMAT_UNITS", 1),
    ("left_before", lambda t: cm.left_before(t, "."), "cm_extract_left_before_char",
     "TEXT_UNITS", 1),
    ("right_after", lambda t: cm.right_after(t, "."), "cm_extract_right_after_char",
     "TEXT_UNITS", 1),
    ("right_side", lambda t: cm.right_side(t, 2), "cm_extract_right_side", "FORMAT_UNITS", 1),
    ("trim_left", cm.trim_left, "cm_trim_left", "FORMAT_UNITS", 1),
    ("split_path", cm.split_path, "cm_extract_path_and_name", "PATH_UNITS", 1),
    ("is_digit_array", cm.is_digit_array, "cm_is_uni_code_string", "FORMAT_UNITS", 1),
    ("convert_control_id", cm.convert_control_id,
     "cm_check_control_id_and_convert_to_new_version", "CONTROL_ID_BYTES", 1),
    ("parameter_list", cm.parameter_list, "cm_get_complete_param_list", "TEXT_UNITS", 1),
    ("event_parameter", lambda t: cm.event_parameter("F(" + t, 1), "cm_get_event_parameters",
     "NAME_BYTES", 1),
]


@pytest.mark.parametrize("label, call, function, limit, less", LIMITED,
                         ids=[row[0] for row in LIMITED])
def test_every_length_limit_is_the_headers(label, call, function, limit, less):
    assert f"CORVIXMATH_{limit}" in _doc_block(function), f"{function} states no {limit}"
    longest = cm.LIMITS[limit] - less
    try:
        call("1" * longest)
    except cm.TextRefusedError:
        pass  # read whole, and its result refused: the limit is not the package's
    with pytest.raises(ValueError, match="at most"):
        call("1" * (longest + 1))
