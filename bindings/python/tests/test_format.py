"""Formatting and parsing: the worked examples, refusals as exceptions, bad arguments."""

import math

import pytest

import corvixmath as cm


@pytest.mark.parametrize(
    "value, unit, digits, scale, text",
    [
        (12345.678, "W", 4, "auto", "12.34 KW"),
        (12345.678, "W", 4, "hide", "12.34 W"),
        (12345.678, "W", 4, "unity", "EEEE"),
        (-12345.678, "W", 4, "kilo", "-12.34 KW"),
        (0.05, "A", 3, "auto-milli", "50.0 mA"),
        (-999.0, "V", 3, 2, "0.00  V"),
        (5e9, "W", 3, "giga", "5.00 GW"),
        (2.5, "", 3, 7, "2500 m"),
        (123.456, "", 0, 9, "123.456000"),
    ],
)
def test_eng_worked_examples(value, unit, digits, scale, text):
    assert cm.eng(value, unit=unit, digits=digits, scale=scale) == text


def test_eng_refuses_a_text_longer_than_the_field():
    assert cm.eng(12345.678, unit="W", size=9) == "12.34 KW"
    with pytest.raises(cm.TextRefusedError):
        cm.eng(12345.678, unit="W", size=8)
    assert issubclass(cm.TextRefusedError, ValueError)


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda: cm.eng("12"), TypeError),
        (lambda: cm.eng(None), TypeError),
        (lambda: cm.eng(True), TypeError),
        (lambda: cm.eng(1.0, unit=None), TypeError),
        (lambda: cm.eng(1.0, unit="\u65e5"), ValueError),  # not in Windows-1256
        (lambda: cm.eng(1.0, unit="V\0x"), ValueError),
        (lambda: cm.eng(1.0, scale="centi"), ValueError),
        (lambda: cm.eng(1.0, scale=256), ValueError),
        (lambda: cm.eng(1.0, digits=-1), ValueError),
        (lambda: cm.eng(1.0, size=0), ValueError),
        (lambda: cm.eng(1.0, unit="V" * 2000), ValueError),
        # Unknown encodings and codecs of no text raised LookupError.
        (lambda: cm.eng(1.0, unit="W", encoding="utf-9"), ValueError),
        (lambda: cm.eng(1.0, encoding="rot13"), ValueError),
        (lambda: cm.to_digit_array("12", encoding=""), ValueError),
        (lambda: cm.find_sub("abc", "b", encoding="hex"), ValueError),
        (lambda: cm.simple(1.0, decimals=255), ValueError),
        (lambda: cm.simple(1.0, separator=",,"), ValueError),
        (lambda: cm.scientific(1.0, decimals=20), ValueError),
        (lambda: cm.price(1.0, size=3), ValueError),
        (lambda: cm.variant_value(40000, "i2"), ValueError),
        (lambda: cm.variant_value(1.5, "i4"), TypeError),
        (lambda: cm.variant_value(1, "bstr"), ValueError),
        (lambda: cm.variant_value(1e39, "r4"), ValueError),
        (lambda: cm.seven_seg(1.0, 2**32), ValueError),
        (lambda: cm.parse_eng("1234567890123456"), ValueError),
    ],
)
def test_bad_arguments_raise_clear_errors(call, error):
    with pytest.raises(error):
        call()


def test_simple_scientific_price_and_standard_length():
    assert cm.simple(1234567.891, decimals=2, separator=",") == "1,234,567.89"
    assert cm.simple(12.5, width=6, decimals=1, zero_fill=True) == "0012.5"
    assert cm.simple(1234.5, separator=" ") == "1 234.5"
    with pytest.raises(cm.TextRefusedError):
        cm.simple(1234567.891, decimals=2, separator=",", size=12)
    assert cm.scientific(12345.678) == "1.23E4"
    assert cm.scientific(-0.005, decimals=1) == "-5.0E-3"
    with pytest.raises(cm.TextRefusedError):
        cm.scientific(12345.678, size=6)
    assert cm.price(1234567, ",") == "1,234,567"
    assert cm.price(1234567, ",", size=9) == "---"
    assert cm.price(5e6, divisor_exponent=4) == "5"
    assert cm.standard_len("12.5 KW", 6, "0") == "12.500"
    assert cm.standard_len("", 3, "-") == "---"


def test_seven_segment_word():
    assert cm.seven_seg(-12.5, 0x0200) == 0x23C04105
    assert cm.seven_seg(1.5, 0x0200) == (1 << 31) | (1 << 7) | 5


def test_parsing():
    assert cm.parse_eng("12.5 K") == 12500.0
    assert cm.parse_eng("-3m") == -3e6
    assert cm.parse_eng("-999") == cm.MISSING_VALUE
    for text in ("12K5", "1.2.3", "1E3"):
        with pytest.raises(ValueError):
            cm.parse_eng(text)
    assert cm.parse_hex("#FF8000") == 16744448
    assert cm.parse_hex("FFFFFFFF") == -1
    assert cm.to_long("  -42x") == -42
    assert cm.to_long("99999999999") == 2**31 - 1


@pytest.mark.parametrize(
    "value, vt",
    [(-32768, "i2"), (-2**31, "i4"), (-128, "i1"), (255, "ui1"), (65535, "ui2"), (1.5, "r4")],
)
def test_variant_readers_give_the_value(value, vt):
    assert cm.variant_value(value, vt) == value


def test_variant_reader_keeps_nan_and_signed_zero():
    assert math.isnan(cm.variant_value(float("nan"), "r8"))
    assert math.copysign(1.0, cm.variant_value(-0.0, "r8")) == -1.0
