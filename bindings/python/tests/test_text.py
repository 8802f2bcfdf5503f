"""Text utilities in both flavours: narrow (Windows-1256) and 16-bit (UTF-16)."""

import pytest

import corvixmath as cm

FLAVOURS = [False, True]


@pytest.mark.parametrize("wide", FLAVOURS)
def test_search_and_extraction(wide):
    assert cm.find_char("abc", "c", wide=wide) == 2
    assert cm.find_char("abc", "x", wide=wide) == cm.NOT_FOUND
    assert cm.left_before("12.5", ".", wide=wide) == "12"
    assert cm.left_before("12.5", ":", wide=wide) == "12.5"
    assert cm.right_after("1.2.3", ".", wide=wide) == "2.3"
    assert cm.left_side("ABC12", 3, wide=wide) == "ABC"
    assert cm.left_side("ABC12", -1, wide=wide) == ""
    assert cm.right_side("ABC12", 2, wide=wide) == "12"
    assert cm.sub_string("abcdef", 2, 3, wide=wide) == "cde"
    assert cm.sub_string("abc", 1, 10, wide=wide) == "bc"


@pytest.mark.parametrize("wide", FLAVOURS)
def test_trimming_and_editing(wide):
    assert cm.trim_left("  12  ", wide=wide) == "12  "
    assert cm.trim_right("120000", "0", wide=wide) == "12"
    assert cm.insert_char("1234", 1, ",", wide=wide) == "1,234"
    assert cm.insert_char("1234", 9, ",", wide=wide) == "1234"
    assert cm.remove_char("a,,b,c", ",", wide=wide) == "abc"
    assert cm.remove_range("abcdef", 1, 2, wide=wide) == "adef"
    assert cm.replace_char("a-b-c", "-", "+", wide=wide) == "a+b+c"


def test_persian_text_in_both_flavours():
    # Windows-1256 bytes in the narrow flavour, UTF-16 units in the 16-bit one.
    assert cm.find_char("سلام", "ل") == 1
    assert cm.find_char("سلام", "ل", wide=True) == 1
    assert cm.left_before("سلام.txt", ".", wide=True) == "سلام"
    assert cm.has_high_bytes("سلام")
    assert not cm.has_high_bytes("salam")
    assert cm.find_sub("Tank.Level", "Level") == 5
    with pytest.raises(ValueError, match="cannot encode"):
        cm.find_char("日本", "本")


def test_over_long_text_is_refused_rather_than_cut():
    with pytest.raises(ValueError, match="at most"):
        cm.find_char("w" * 3000, "x")
    with pytest.raises(ValueError, match="at most"):
        cm.right_side("w" * 1500, 3)
    assert cm.find_char("w" * 2047, "x") == -1


def test_characters_must_be_single():
    with pytest.raises(ValueError):
        cm.find_char("abc", "ab")
    with pytest.raises(ValueError):
        cm.find_char("abc", "\U0001F600", wide=True)  # two UTF-16 units
    with pytest.raises(TypeError):
        cm.find_char(None, "a")
    with pytest.raises(TypeError):
        cm.left_side("abc", 1.5)


def test_units_paths_and_digit_arrays():
    assert cm.compare("abc", "abd") == -1
    assert cm.compare("abc", "abc") == 0
    assert cm.long_to_text(-2**31) == "-2147483648"
    with pytest.raises(ValueError):
        cm.long_to_text(2**31)
    assert cm.split_path("D:\\Data\\Log\\day.txt") == ("D:\\Data\\Log\\", "day.txt")
    assert cm.split_path("day.txt") == (None, "day.txt")
    assert cm.remove_dirs("D:\\Data\\Log\\day.txt", 3) == "D:\\"
    with pytest.raises(ValueError, match="fewer than 4"):
        cm.remove_dirs("D:\\Data\\Log\\day.txt", 4)
    assert cm.to_digit_array("AB") == "UniCode(65,66,)"
    assert cm.to_digit_array("سل", wide=True) == "UniCode(1587,1604,)"
    assert cm.from_digit_array("UniCode(1587,1604,)", wide=True) == "سل"
    assert cm.from_digit_array("UniCode(65,66,)") == "AB"
    assert cm.is_digit_array("UniCode()")
    assert not cm.is_digit_array("unicode(65,)")
    with pytest.raises(cm.TextRefusedError):
        cm.to_digit_array("d" * 400)
