"""Checks, vocabulary, events, devices, statistics and windows (with NumPy input)."""

import math

import pytest

import corvixmath as cm


@pytest.mark.parametrize(
    "identifier, code",
    [("AB123", 1), ("ab000", 1), ("Zz9999", 2), ("AB10001", 3), ("AB10000", 0), ("A1234", 0),
     ("", 0)],
)
def test_control_identifiers(identifier, code):
    check = cm.check_control_id(identifier)
    assert (check.code, check.ok) == (code, code > 0)
    assert check.message
    if code != 3:
        assert cm.check_control_id(identifier, wide=True).code == code


def test_expressions_numbers_and_addresses():
    assert cm.check_expression("(a+b)*2.5-c", ["a", "b", "c"]) == cm.Check(1, True, "valid")
    assert cm.check_expression("a+d", ["a", "b"]) == cm.Check(-26, False, "Undefined variable")
    assert cm.check_expression("a+d").ok  # no list: no lookup
    with pytest.raises(TypeError):
        cm.check_expression("a", variables="#a#")
    assert cm.check_number("  12  ") == cm.Check(4, True, "unsigned integer")
    assert cm.check_number("-1.5M", wide=True).code == 5
    assert cm.check_number("1e5").code == 0
    assert cm.check_ip("1.2.3.4").ok
    assert cm.check_ip("1.2.3").code == 13
    endpoint = cm.check_endpoint("192.168.1.1:502")
    assert endpoint == cm.Endpoint(cm.Check(1, True, "valid"), "192.168.1.1", 502)
    assert cm.check_endpoint("1.2.3.4:-80").check.code == -3
    assert cm.check_endpoint("256.1.1.1:80").check.code == -11
    assert cm.check_endpoint("no port").address is None
    assert cm.character_classes("Ab_1") == 0x47
    assert cm.character_classes("ابپ") == 0x100
    assert cm.convert_control_id("AB123") == "AB0123"
    with pytest.raises(ValueError):
        cm.convert_control_id("ABCDEFGH")


def test_vocabulary_fonts_and_events():
    assert cm.data_type_index("long") == 3
    assert cm.control_kind_code("COLOR") == 3
    assert cm.type_code_name(8) == "CHARP"
    assert cm.type_code_name(0) == "NoData"
    assert cm.value_format_index("ENG") == 1
    assert cm.scale_name(3) == "Kilo"
    with pytest.raises(ValueError):
        cm.scale_name(7)
    assert cm.scale_index("kilo") == 3
    assert cm.decode_font("Tahoma,12,#FF8000,Bold") == cm.Font("Tahoma", 12, 0xFF8000, 1)
    assert cm.decode_font("Arial") == cm.Font("", 0, 0, 0)
    assert cm.event_type("ShowLinearDiagram(1)") == 1
    assert cm.is_complex_data_source("Trend(a)")
    assert cm.parameter_list("F(a,(b),c) x") == "a,(b),c"
    assert cm.event_parameter("Trend(Tag1,Tag2,60)", 2) == "Tag2"
    with pytest.raises(ValueError, match="no parameter list"):
        cm.event_parameter("NoParens", 1)
    with pytest.raises(cm.TextRefusedError):
        cm.event_parameter("F(abcdef)", 1, size=6)
    # Texts the library would cut are refused instead.
    with pytest.raises(ValueError, match="parameter list"):
        cm.event_parameter("F(" + "a," * 40 + "last)", 41)
    with pytest.raises(ValueError, match="face name"):
        cm.decode_font("A very long face name that goes on and on,9,1,")
    # The number check reads the whole text.
    assert cm.check_number(" " * 1100 + "12").code == 4


def test_devices_and_read_words():
    assert cm.device_model(305) == {"tavlin_data_type": 20, "data_structure_type": 2,
                                    "iam_code": 14, "device_class": 1}
    assert cm.component_name(1000) == "Tresk"
    assert cm.component_name(999) is None
    word = cm.build_read_word(5, cm.MISSING_VALUE, cm.MISSING_VALUE, "C", 0)
    assert word == 0x2079B
    assert [cm.read_word_field(s, word) for s in range(5)] == [5, 15, 1, 2, 1]
    assert cm.read_word_field(5, word) == cm.MISSING_VALUE
    assert cm.index_in_list(-7, [5, -7, 9, -7]) == 1
    assert cm.index_in_list(4, []) == -1
    with pytest.raises(ValueError):
        cm.index_in_list(1, [2**31])


def test_statistics():
    result = cm.statistics([1, 2, 3, 4])
    assert result == cm.Statistics(1.0, 4.0, 2.5, math.sqrt(5) / 4)
    assert result.spread == pytest.approx(0.559, abs=1e-3)
    with pytest.raises(TypeError):
        cm.statistics([1, "2"])


SERIES = [([0, 100, 3600, 3700, 7300], [1.0, 3.0, 10.0, 20.0, 7.0]), ([50, 3650], [5.0, 6.0])]
EXPECTED = [cm.Window(2.0, 5.0, 3.5, 0), cm.Window(6.0, 15.0, 10.5, 3600),
            cm.Window(7.0, 7.0, 7.0, 7200)]


def test_windows_from_sequences():
    assert cm.windows(SERIES, 3600, 3600) == EXPECTED


def test_windows_from_numpy_arrays():
    numpy = pytest.importorskip("numpy")
    series = [(numpy.array(t, dtype=numpy.int64), numpy.array(v)) for t, v in SERIES]
    assert cm.windows(series, 3600, 3600) == EXPECTED
    float_times = [(numpy.array(t, dtype=float), numpy.array(v)) for t, v in SERIES]
    with pytest.raises(TypeError):
        cm.windows(float_times, 3600, 3600)


@pytest.mark.parametrize(
    "series, width, step, error",
    [
        (SERIES, 0, 3600, ValueError),
        (SERIES, 3600, 0, ValueError),
        ([([0, 1], [1.0])], 3600, 3600, ValueError),
        ([([5, 1], [1.0, 2.0])], 3600, 3600, ValueError),
        ([([0], [1.0])] * 33, 3600, 3600, ValueError),
        ([([0], [1.0], [2.0])], 3600, 3600, TypeError),
        ([([2**63], [1.0])], 3600, 3600, ValueError),
    ],
)
def test_windows_refuse_bad_series(series, width, step, error):
    with pytest.raises(error):
        cm.windows(series, width, step)
