"""CorvixMath for Python: the display formatters, text utilities, checks, vocabulary and
statistics of the Corvix HMI/SCADA library, through its C interface (ctypes, no compiler).

    >>> import corvixmath
    >>> corvixmath.eng(12345.678, unit="W")
    '12.34 KW'
    >>> corvixmath.check_expression("a+*b", variables=["a", "b"])
    Check(code=-23, ok=False, message='Two Adjacent sign detected.')

Conventions:

- Narrow texts are encoded in Windows-1256, the code page whose Persian letters the identifier
  classes know; functions that take narrow text have an ``encoding`` argument for another code
  page. Functions with ``wide=True`` use the library's 16-bit flavour with UTF-16 text.
- Formatting functions return ``str``. Where the library refuses a text (it does not fit the
  given size) they raise :class:`TextRefusedError`, a ``ValueError``.
- Checks return :class:`Check` objects (``code``, ``ok``, ``message``).
- Wrong types raise ``TypeError``, ``None`` included; out-of-range numbers (``eng(10**400)``),
  NaN and infinite samples, texts holding NUL, texts the encoding cannot hold and texts longer
  than the library reads raise ``ValueError``: no result is ever silently cut, and no sample
  silently dropped.
"""

from __future__ import annotations

import ctypes
import math
import numbers
from typing import Iterable, List, NamedTuple, Optional, Sequence, Tuple, Union

from . import _library
from ._library import ENVIRONMENT_VARIABLE, LibraryNotFoundError

__all__ = [
    "DEFAULT_ENCODING", "ENVIRONMENT_VARIABLE", "LIMITS", "MISSING_VALUE", "NOT_FOUND", "SCALES",
    "Check", "Endpoint", "Font", "LibraryNotFoundError", "Statistics", "TextRefusedError",
    "Window", "build_read_word", "character_classes", "check_control_id", "check_endpoint",
    "check_expression", "check_ip", "check_number", "compare", "component_name",
    "control_kind_code", "convert_control_id", "data_type_index", "decode_font", "device_model",
    "eng", "event_parameter", "event_type", "find_char", "find_sub", "from_digit_array",
    "has_high_bytes", "index_in_list", "insert_char", "is_complex_data_source", "is_digit_array",
    "left_before", "left_side", "long_to_text", "parameter_list", "parse_eng", "parse_hex",
    "price", "read_word_field", "remove_char", "remove_dirs", "remove_range", "replace_char",
    "right_after", "right_side", "scale_index", "scale_name", "scientific", "seven_seg", "simple",
    "split_path", "standard_len", "statistics", "sub_string", "to_digit_array", "to_long",
    "trim_left", "trim_right", "type_code_name", "value_format_index", "variant_value",
    "windows",
]

_lib = _library.declare(_library.load_library())
LIMITS = _library.read_limits()

__version__ = _lib.cm_version().decode("ascii")

#: Windows-1256, the narrow code page of the host applications.
DEFAULT_ENCODING = "cp1256"
#: The missing-value marker: an unreadable engineering text, a seven-segment fault.
MISSING_VALUE = LIMITS["MISSING_VALUE"]
#: The result of a search that found nothing.
NOT_FOUND = LIMITS["NOT_FOUND"]

# Scale modes of eng(): the names ScaleString2Index knows, and the unnamed modes.
SCALES = {"hide": 0, "auto": 1, "unity": 2, "kilo": 3, "mega": 4, "giga": 5, "tera": 6,
          "milli": 7, "auto-milli": 10}

_TEXT = LIMITS["TEXT_UNITS"]
_FORMAT = LIMITS["FORMAT_UNITS"]
_FIELD = LIMITS["FIELD_UNITS"]
_NAME = LIMITS["NAME_BYTES"]
_PATH = LIMITS["PATH_UNITS"]
_MESSAGE = LIMITS["MESSAGE_BYTES"]


class TextRefusedError(ValueError):
    """The library refused to write a text: it does not fit the size it was given."""


class Check(NamedTuple):
    """The answer of a check: the library's code, whether it passed, and what it means."""

    code: int
    ok: bool
    message: str


class Endpoint(NamedTuple):
    """The answer of check_endpoint(): the check, and the address and port when it passed."""

    check: Check
    address: Optional[str]
    port: Optional[int]


class Statistics(NamedTuple):
    """Minimum, maximum, average and the spread value sqrt(sum of squared deviations) / n."""

    minimum: float
    maximum: float
    average: float
    spread: float


class Window(NamedTuple):
    """One time window of windows(): the series averages' minimum, maximum and mean."""

    minimum: float
    maximum: float
    mean: float
    centre: int


class Font(NamedTuple):
    """A decoded font descriptor; fields the descriptor does not reach keep these defaults."""

    face: str
    size: int
    colour: int
    style: int


# --- Argument checks: every value is checked before it reaches the library.


def _number(value, name: str) -> float:
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{name} must be a number, not {type(value).__name__}")
    try:
        return float(value)
    except OverflowError:
        raise ValueError(f"{name} lies outside the range of a double") from None


def _finite(value, name: str) -> float:
    """A sample: NaN and infinity would leave the library's no-data starting values."""
    number = _number(value, name)
    if not math.isfinite(number):
        raise ValueError(f"{name} is {number}; samples must be finite")
    return number


def _integer(value, name: str, low: int, high: int) -> int:
    if isinstance(value, bool) or not isinstance(value, numbers.Integral):
        raise TypeError(f"{name} must be an integer, not {type(value).__name__}")
    value = int(value)
    if not low <= value <= high:
        raise ValueError(f"{name} must lie in {low}..{high}, not {value}")
    return value


def _int32(value, name: str) -> int:
    return _integer(value, name, -(2**31), 2**31 - 1)


def _str(text, name: str) -> str:
    if not isinstance(text, str):
        raise TypeError(f"{name} must be a str, not {type(text).__name__}")
    if "\0" in text:
        raise ValueError(f"{name} holds a NUL character, which would end the text")
    return text


def _narrow(text, name: str, encoding: str, longest: Optional[int] = None) -> bytes:
    text = _str(text, name)
    try:
        data = text.encode(encoding)
    except UnicodeEncodeError as error:
        raise ValueError(
            f"{name} holds {text[error.start:error.end]!r}, which {encoding} cannot encode"
        ) from None
    if longest is not None and len(data) > longest:
        raise ValueError(f"{name} is {len(data)} bytes long; the library reads at most {longest}")
    return data


def _units(text, name: str, longest: Optional[int] = None, extra: int = 0):
    """A 16-bit buffer holding `text` in UTF-16 and its terminator, with `extra` spare units."""
    text = _str(text, name)
    data = text.encode("utf-16-le")
    count = len(data) // 2
    if longest is not None and count > longest:
        raise ValueError(f"{name} is {count} units long; the library reads at most {longest}")
    buffer = (ctypes.c_uint16 * (count + 1 + extra))()
    ctypes.memmove(buffer, data, len(data))
    return buffer


def _from_units(buffer) -> str:
    units = []
    for unit in buffer:
        if unit == 0:
            break
        units.append(unit)
    return bytes(
        b for unit in units for b in (unit & 0xFF, unit >> 8)
    ).decode("utf-16-le", errors="surrogatepass")


def _char(character, name: str, encoding: str) -> bytes:
    data = _narrow(character, name, encoding)
    if len(data) != 1:
        raise ValueError(f"{name} must be one character, not {character!r}")
    return data


def _unit(character, name: str) -> int:
    character = _str(character, name)
    data = character.encode("utf-16-le")
    if len(data) != 2:
        raise ValueError(f"{name} must be one 16-bit character, not {character!r}")
    return data[0] | data[1] << 8


def _decode(buffer, encoding: str) -> str:
    return buffer.value.decode(encoding)


def _output(size: int) -> ctypes.Array:
    return ctypes.create_string_buffer(size)


# --- Number formatting and parsing


def eng(value: float, unit: str = "", digits: int = 4, scale: Union[str, int] = "auto",
        size: int = _FORMAT, encoding: str = DEFAULT_ENCODING) -> str:
    """Engineering notation: value, scale letter and unit.

    ``eng(12345.678, unit="W")`` gives ``'12.34 KW'``; a value too large for its scale gives
    ``'EEEE'``. ``scale`` is a name of :data:`SCALES` or a mode number 0..255; ``digits`` the
    digit characters kept (0 keeps all); ``size`` the display field in bytes with terminator.
    Raises TextRefusedError when the text does not fit ``size``.
    """
    value = _number(value, "value")
    if isinstance(scale, str):
        if scale.lower() not in SCALES:
            raise ValueError(f"scale must be one of {sorted(SCALES)} or 0..255, not {scale!r}")
        mode = SCALES[scale.lower()]
    else:
        mode = _integer(scale, "scale", 0, 255)
    digits = _integer(digits, "digits", 0, 65535)
    size = _integer(size, "size", 1, _FORMAT)
    destination = _output(size)
    if _lib.cm_double_to_eng_string(destination, value, _narrow(unit, "unit", encoding, _FORMAT - 1),
                                    digits, size, mode) != 1:
        raise TextRefusedError(f"the engineering text of {value!r} does not fit {size} bytes")
    return _decode(destination, encoding)


def simple(value: float, width: int = 0, decimals: Optional[int] = None, zero_fill: bool = False,
           separator: Optional[str] = None, size: int = _FORMAT) -> str:
    """Plain decimal text: ``simple(1234567.891, decimals=2, separator=",")`` gives
    ``'1,234,567.89'``. ``decimals=None`` keeps every decimal; ``width`` 0 is the natural length.
    Raises TextRefusedError when the text does not fit ``size``."""
    value = _number(value, "value")
    width = _integer(width, "width", 0, 255)
    decimals = 255 if decimals is None else _integer(decimals, "decimals", 0, 254)
    size = _integer(size, "size", 1, _FORMAT)
    group = None if separator is None else _char(separator, "separator", DEFAULT_ENCODING)
    destination = _output(size)
    if _lib.cm_double_to_simple_string(destination, value, width, decimals, 1 if zero_fill else 0,
                                       group, size) != 1:
        raise TextRefusedError(f"the decimal text of {value!r} is refused: it does not fit "
                               f"{size} bytes, or the width would cut integer digits")
    return _decode(destination, DEFAULT_ENCODING)


def scientific(value: float, decimals: int = 2, size: int = 64) -> str:
    """Compact scientific notation: ``scientific(12345.678)`` gives ``'1.23E4'``.
    Raises TextRefusedError when the text does not fit ``size``."""
    value = _number(value, "value")
    decimals = _integer(decimals, "decimals", 0, 19)
    size = _integer(size, "size", 1, _FORMAT)
    destination = _output(size)
    _lib.cm_sientific_format(destination, value, decimals, size)
    if destination.value == b"":
        raise TextRefusedError(f"the scientific text of {value!r} does not fit {size} bytes")
    return _decode(destination, DEFAULT_ENCODING)


def price(amount: float, separator: str = "", divisor_exponent: int = 0, size: int = 64) -> str:
    """A whole amount with thousands separators: ``price(1234567, ",")`` gives ``'1,234,567'``;
    ``'---'`` when it does not fit ``size``. ``divisor_exponent`` k > 0 divides by 10**(k+2)."""
    amount = _number(amount, "amount")
    mark = b"\0" if separator == "" else _char(separator, "separator", DEFAULT_ENCODING)
    exponent = _integer(divisor_exponent, "divisor_exponent", 0, 255)
    size = _integer(size, "size", 4, _FORMAT)
    destination = _output(size)
    _lib.cm_price_to_string(destination, amount, size, exponent, mark)
    return _decode(destination, DEFAULT_ENCODING)


def standard_len(text: str, length: int, fill: str = " ") -> str:
    """The leading numeric run of ``text`` filled to exactly ``length`` characters:
    ``standard_len("12.5 KW", 6, "0")`` gives ``'12.500'``."""
    data = _narrow(text, "text", DEFAULT_ENCODING)
    length = _integer(length, "length", 0, _TEXT - 1)
    buffer = ctypes.create_string_buffer(data, max(len(data), length) + 1)
    _lib.cm_standard_len(buffer, length, _char(fill, "fill", DEFAULT_ENCODING))
    return _decode(buffer, DEFAULT_ENCODING)


def seven_seg(value: float, flags: int = 0) -> int:
    """The 32-bit word of a four-digit seven-segment display (as an unsigned number)."""
    word = _lib.cm_number_to_4_seven_seg(_number(value, "value"), _int32(flags, "flags"))
    return word & 0xFFFFFFFF


def parse_eng(text: str) -> float:
    """The value of an engineering text: ``parse_eng("12.5 K")`` gives ``12500.0``.
    Raises ValueError for a text that is not one (the library's -999 marker)."""
    data = _narrow(text, "text", DEFAULT_ENCODING, _FIELD - 1)
    value = _lib.cm_eng_str_2_simple_value(data)
    if value == MISSING_VALUE and not _looks_like_missing_value(data):
        raise ValueError(f"{text!r} is not an engineering text")
    return value


def _looks_like_missing_value(data: bytes) -> bool:
    # "-999" itself reads as -999; only an unreadable text gives the marker otherwise.
    try:
        return float(data.replace(b" ", b"")) == MISSING_VALUE
    except ValueError:
        return False


def parse_hex(text: str) -> int:
    """The 32-bit value of a hexadecimal text, non-hex characters skipped:
    ``parse_hex("#FF8000")`` gives ``16744448``; ``'FFFFFFFF'`` gives -1."""
    return _lib.cm_hex_string_to_decimal(_narrow(text, "text", DEFAULT_ENCODING))


_VARIANT_READERS = {
    "i2": (_lib.cm_var_value_to_long_double_i2, -(2**15), 2**15 - 1),
    "i4": (_lib.cm_var_value_to_long_double_i4, -(2**31), 2**31 - 1),
    "i1": (_lib.cm_var_value_to_long_double_i1, -128, 127),
    "ui1": (_lib.cm_var_value_to_long_double_ui1, 0, 255),
    "ui2": (_lib.cm_var_value_to_long_double_ui2, 0, 65535),
}


def variant_value(value: Union[int, float], vt: str) -> float:
    """The variant reader for a numeric type code: 'i1', 'i2', 'i4', 'ui1', 'ui2', 'r4', 'r8'."""
    if vt == "r8":
        return _lib.cm_var_value_to_long_double_r8(_number(value, "value"))
    if vt == "r4":
        number = _number(value, "value")
        if math.isfinite(number) and abs(number) > 3.4028234663852886e38:
            raise ValueError(f"value {number!r} does not fit a float")
        return _lib.cm_var_value_to_long_double_r4(number)
    if vt not in _VARIANT_READERS:
        raise ValueError(f"vt must be one of i1, i2, i4, ui1, ui2, r4, r8, not {vt!r}")
    reader, low, high = _VARIANT_READERS[vt]
    return reader(_integer(value, "value", low, high))


def to_long(text: str) -> int:
    """The integer at the start of a text as the 32-bit runtime's _wtol reads it (16-bit text)."""
    return _lib.cm_to_long_u16(_units(text, "text"))


# --- Search, extraction, trimming and editing; ``wide=True`` uses the 16-bit flavour.


def find_char(text: str, character: str, wide: bool = False,
              encoding: str = DEFAULT_ENCODING) -> int:
    """0-based position of the first ``character`` in ``text``, or -1."""
    if wide:
        return _lib.cm_find_charpos_in_string_u16(_units(text, "text", _TEXT - 1),
                                                  _unit(character, "character"))
    return _lib.cm_find_charpos_in_string(_narrow(text, "text", encoding, _TEXT - 1),
                                          _char(character, "character", encoding))


def find_sub(text: str, substring: str, encoding: str = DEFAULT_ENCODING) -> int:
    """0-based position where ``substring`` first starts in ``text``, or -1."""
    return _lib.cm_find_sub_string_start_pos(_narrow(text, "text", encoding, _FORMAT - 1),
                                             _narrow(substring, "substring", encoding))


def left_before(text: str, character: str, wide: bool = False,
                encoding: str = DEFAULT_ENCODING) -> str:
    """The text before the first ``character`` (all of it when absent): ``'12.5'``, ``'.'``
    gives ``'12'``."""
    if wide:
        source = _units(text, "text", _TEXT - 1)
        destination = (ctypes.c_uint16 * _TEXT)()
        _lib.cm_extract_left_before_char_u16(source, destination, _unit(character, "character"),
                                             _TEXT)
        return _from_units(destination)
    destination = _output(_TEXT)
    _lib.cm_extract_left_before_char(_narrow(text, "text", encoding, _TEXT - 1), destination,
                                     _char(character, "character", encoding), _TEXT)
    return _decode(destination, encoding)


def right_after(text: str, character: str, wide: bool = False,
                encoding: str = DEFAULT_ENCODING) -> str:
    """The text after the first ``character`` (all of it when absent): ``'1.2.3'``, ``'.'``
    gives ``'2.3'``."""
    if wide:
        source = _units(text, "text", _TEXT - 1)
        destination = (ctypes.c_uint16 * _TEXT)()
        _lib.cm_extract_right_after_char_u16(source, destination, _unit(character, "character"))
        return _from_units(destination)
    destination = _output(_TEXT)
    _lib.cm_extract_right_after_char(_narrow(text, "text", encoding, _TEXT - 1), destination,
                                     _char(character, "character", encoding))
    return _decode(destination, encoding)


def left_side(text: str, count: int, wide: bool = False,
              encoding: str = DEFAULT_ENCODING) -> str:
    """The first ``count`` characters (units with ``wide``) of ``text``."""
    count = _integer(count, "count", -(2**31), _TEXT - 1)
    room = max(count, 0) + 1
    if wide:
        destination = (ctypes.c_uint16 * room)()
        _lib.cm_extract_leftt_side_u16(_units(text, "text"), destination, count)
        return _from_units(destination)
    destination = _output(room)
    _lib.cm_extract_leftt_side(_narrow(text, "text", encoding), destination, count)
    return _decode(destination, encoding)


def right_side(text: str, count: int, wide: bool = False,
               encoding: str = DEFAULT_ENCODING) -> str:
    """The last ``count`` characters (units with ``wide``) of ``text``."""
    count = _integer(count, "count", -(2**31), _FORMAT - 1)
    room = max(count, 0) + 1
    if wide:
        destination = (ctypes.c_uint16 * room)()
        _lib.cm_extract_right_side_u16(_units(text, "text", _FORMAT - 1), destination, count)
        return _from_units(destination)
    destination = _output(room)
    _lib.cm_extract_right_side(_narrow(text, "text", encoding, _FORMAT - 1), destination, count)
    return _decode(destination, encoding)


def sub_string(text: str, start: int, count: int, wide: bool = False,
               encoding: str = DEFAULT_ENCODING) -> str:
    """``count`` characters of ``text`` from position ``start``; '' outside the text."""
    start = _int32(start, "start")
    count = _integer(count, "count", -(2**31), _TEXT - 1)
    room = max(count, 0) + 1
    if wide:
        destination = (ctypes.c_uint16 * room)()
        _lib.cm_sub_string_u16(_units(text, "text"), destination, start, count)
        return _from_units(destination)
    destination = _output(room)
    _lib.cm_sub_string(_narrow(text, "text", encoding), destination, start, count)
    return _decode(destination, encoding)


def _trim(narrow_function, wide_function, text, character, wide, encoding):
    if wide:
        source = _units(text, "text", _FORMAT - 1)
        destination = (ctypes.c_uint16 * _FORMAT)()
        wide_function(source, destination, _unit(character, "character"), _FORMAT)
        return _from_units(destination)
    destination = _output(_FORMAT)
    narrow_function(_narrow(text, "text", encoding, _FORMAT - 1), destination,
                    _char(character, "character", encoding), _FORMAT)
    return _decode(destination, encoding)


def trim_left(text: str, character: str = " ", wide: bool = False,
              encoding: str = DEFAULT_ENCODING) -> str:
    """``text`` without its leading run of ``character``."""
    return _trim(_lib.cm_trim_left, _lib.cm_trim_left_u16, text, character, wide, encoding)


def trim_right(text: str, character: str = " ", wide: bool = False,
               encoding: str = DEFAULT_ENCODING) -> str:
    """``text`` without its trailing run of ``character``."""
    return _trim(_lib.cm_trim_right, _lib.cm_trim_right_u16, text, character, wide, encoding)


def _edited(text, wide, encoding, edit_narrow, edit_wide, extra=0):
    if wide:
        buffer = _units(text, "text", extra=extra)
        edit_wide(buffer)
        return _from_units(buffer)
    data = _narrow(text, "text", encoding)
    buffer = ctypes.create_string_buffer(data, len(data) + 1 + extra)
    edit_narrow(buffer)
    return _decode(buffer, encoding)


def insert_char(text: str, position: int, character: str, wide: bool = False,
                encoding: str = DEFAULT_ENCODING) -> str:
    """``text`` with ``character`` inserted at ``position`` (outside the text: unchanged)."""
    position = _int32(position, "position")
    if wide:
        unit = _unit(character, "character")
        return _edited(text, True, encoding, None,
                       lambda b: _lib.cm_insert_char_in_char_array_u16(b, position, unit), 1)
    mark = _char(character, "character", encoding)
    return _edited(text, False, encoding,
                   lambda b: _lib.cm_insert_char_in_char_array(b, position, mark), None, 1)


def remove_char(text: str, character: str, wide: bool = False,
                encoding: str = DEFAULT_ENCODING) -> str:
    """``text`` without any ``character``."""
    if wide:
        unit = _unit(character, "character")
        return _edited(text, True, encoding, None,
                       lambda b: _lib.cm_remove_char_from_char_array_u16(b, unit))
    mark = _char(character, "character", encoding)
    return _edited(text, False, encoding,
                   lambda b: _lib.cm_remove_char_from_char_array(b, mark), None)


def remove_range(text: str, start: int, count: int, wide: bool = False,
                 encoding: str = DEFAULT_ENCODING) -> str:
    """``text`` without ``count`` characters from ``start``."""
    start, count = _int32(start, "start"), _int32(count, "count")
    return _edited(text, wide, encoding,
                   lambda b: _lib.cm_remove_from_char_array(b, start, count),
                   lambda b: _lib.cm_remove_from_char_array_u16(b, start, count))


def replace_char(text: str, find: str, replacement: str, wide: bool = False,
                 encoding: str = DEFAULT_ENCODING) -> str:
    """``text`` with every ``find`` replaced by ``replacement``."""
    if wide:
        old, new = _unit(find, "find"), _unit(replacement, "replacement")
        return _edited(text, True, encoding, None,
                       lambda b: _lib.cm_replace_char_in_char_aaary_u16(b, old, new))
    old, new = _char(find, "find", encoding), _char(replacement, "replacement", encoding)
    return _edited(text, False, encoding,
                   lambda b: _lib.cm_replace_char_in_char_aaary(b, old, new), None)


def compare(first: str, second: str) -> int:
    """-1, 0 or 1 as the 16-bit texts compare unit by unit."""
    return _lib.cm_compare_u16(_units(first, "first"), _units(second, "second"))


def long_to_text(value: int) -> str:
    """The decimal 16-bit text of a 32-bit integer."""
    destination = (ctypes.c_uint16 * 12)()
    _lib.cm_long_to_w_char(_int32(value, "value"), destination, 12)
    return _from_units(destination)


# --- Windows paths and digit-array texts


def split_path(path: str, encoding: str = DEFAULT_ENCODING) -> Tuple[Optional[str], str]:
    """Directory (with its backslash) and name of a Windows path; the directory is None for a
    bare name: ``split_path("D:\\\\Data\\\\day.txt")`` gives ``('D:\\\\Data\\\\', 'day.txt')``."""
    data = _narrow(path, "path", encoding, _PATH - 1)
    directory, name = _output(_PATH), _output(_PATH)
    _lib.cm_extract_path_and_name(data, directory, name, _PATH, _PATH)
    return (_decode(directory, encoding) if b"\\" in data else None), _decode(name, encoding)


def remove_dirs(path: str, levels: int = 1, encoding: str = DEFAULT_ENCODING) -> str:
    """``path`` less its last ``levels`` components, ending in a backslash; raises ValueError
    when it has too few."""
    data = _narrow(path, "path", encoding, _PATH - 2)
    levels = _integer(levels, "levels", 0, 255)
    output = _output(_PATH)
    output.value = b"#"
    _lib.cm_remove_dir_from_path(ctypes.create_string_buffer(data, _PATH), output, levels)
    if output.value == b"0":  # the library's mark for too few backslashes
        raise ValueError(f"{path!r} has fewer than {levels} directories to remove")
    return _decode(output, encoding)


def to_digit_array(text: str, wide: bool = False, encoding: str = DEFAULT_ENCODING) -> str:
    """The digit-array text: ``to_digit_array("AB")`` gives ``'UniCode(65,66,)'``; with
    ``wide`` the UTF-16 units are encoded. Raises TextRefusedError past the library's limit."""
    destination = _output(_FORMAT)
    if wide:
        written = _lib.cm_unicode_string_to_digit_array_u16(_units(text, "text"), destination,
                                                            _FORMAT)
    else:
        written = _lib.cm_unicode_string_to_digit_array(_narrow(text, "text", encoding),
                                                        destination, _FORMAT)
    if written != 1:
        raise TextRefusedError(f"the digit-array text of {text[:20]!r}... is too long")
    return destination.value.decode("ascii")


def from_digit_array(text: str, wide: bool = False, encoding: str = DEFAULT_ENCODING) -> str:
    """The text a digit-array text carries (values followed by a comma)."""
    data = _narrow(text, "text", "ascii")
    room = data.count(b",") + 1
    if wide:
        destination = (ctypes.c_uint16 * room)()
        _lib.cm_digit_array_to_unicode_string_u16(data, destination, 0)
        return _from_units(destination)
    destination = _output(room)
    _lib.cm_digit_array_to_unicode_string(data, destination, 0)
    return _decode(destination, encoding)


def is_digit_array(text: str) -> bool:
    """Whether ``text`` begins with 'UniCode(' and ends with ')'."""
    return _lib.cm_is_uni_code_string(_narrow(text, "text", DEFAULT_ENCODING, _FORMAT - 1)) == 1


def has_high_bytes(text: str, encoding: str = DEFAULT_ENCODING) -> bool:
    """Whether the encoded text holds a byte of 0x80 or above."""
    return _lib.cm_contain_unicode_char(_narrow(text, "text", encoding)) == 1


# --- Checks

_CONTROL_ID_FORMS = {0: "not a control identifier", 1: "old form (two letters, 3 digits)",
                     2: "new form (two letters, 4 digits)",
                     3: "seven-character form (two letters, 10001-99999)"}
_NUMBER_FORMS = {0: "not a number", 1: "signed integer with scale letter",
                 2: "unsigned integer with scale letter", 3: "signed integer",
                 4: "unsigned integer", 5: "signed decimal with scale letter",
                 6: "unsigned decimal with scale letter", 7: "signed decimal",
                 8: "unsigned decimal"}
_ADDRESS_CODES = {LIMITS["ADDRESS_VALID"]: "valid address",
                  LIMITS["ADDRESS_NO_DOT"]: "no dot in the address",
                  LIMITS["ADDRESS_FIELD_ABOVE_254"]: "a field above 254",
                  LIMITS["ADDRESS_FIELD_NEGATIVE"]: "a negative field",
                  LIMITS["ADDRESS_NOT_FOUR_FIELDS"]: "not four fields",
                  LIMITS["ADDRESS_LAST_FIELD_NOT_A_NUMBER"]: "the last field is not a number"}


def check_control_id(identifier: str, wide: bool = False) -> Check:
    """Whether ``identifier`` is a control identifier ("AB123", "AB0123", "AB10001")."""
    if wide:
        code = _lib.cm_is_valid_control_id_u16(_units(identifier, "identifier"))
    else:
        code = _lib.cm_is_valid_control_id(_narrow(identifier, "identifier", DEFAULT_ENCODING))
    return Check(code, code > 0, _CONTROL_ID_FORMS[code])


def convert_control_id(identifier: str) -> str:
    """The six-character form of a five-character identifier ("AB123" to "AB0123")."""
    data = _narrow(identifier, "identifier", DEFAULT_ENCODING, LIMITS["CONTROL_ID_BYTES"] - 1)
    buffer = ctypes.create_string_buffer(data, LIMITS["CONTROL_ID_BYTES"])
    _lib.cm_check_control_id_and_convert_to_new_version(buffer)
    return _decode(buffer, DEFAULT_ENCODING)


def character_classes(text: str, encoding: str = DEFAULT_ENCODING) -> int:
    """The bit set of character classes in ``text`` (0x1 upper case ... 0x100 Persian)."""
    return _lib.cm_is_alpha_numeric(_narrow(text, "text", encoding)) & 0xFFFFFFFF


def check_expression(expression: str, variables: Optional[Iterable[str]] = None) -> Check:
    """Checks a formula; ``variables`` are the defined names (None skips the lookup)."""
    data = _narrow(expression, "expression", DEFAULT_ENCODING)
    listed = None
    if variables is not None:
        if isinstance(variables, str):
            raise TypeError("variables must be an iterable of names, not a str")
        names = [_str(name, "variable") for name in variables]
        listed = _narrow("#" + "#".join(names) + "#", "variables", DEFAULT_ENCODING)
    message = _output(_MESSAGE)
    code = _lib.cm_verify_reg_exp_string(data, message, listed)
    return Check(code, code == 1, "valid" if code == 1 else _decode(message, DEFAULT_ENCODING))


def check_number(text: str, wide: bool = False) -> Check:
    """The number form of ``text`` after its spaces are stripped ("-1.5M": 5)."""
    if wide:
        code = _lib.cm_is_digit_u16(_units(text, "text"))
    else:
        code = _lib.cm_is_digit(ctypes.create_string_buffer(_narrow(text, "text",
                                                                    DEFAULT_ENCODING)))
    return Check(code, code > 0, _NUMBER_FORMS[code])


def check_ip(address: str) -> Check:
    """Checks a dotted IPv4 address; the library reads the whole text."""
    data = _narrow(address, "address", DEFAULT_ENCODING)
    code = _lib.cm_is_valid_ip_string(data)
    return Check(code, code == 1, _ADDRESS_CODES.get(code, f"code {code}"))


def check_endpoint(text: str) -> Endpoint:
    """Checks 'address:port'; the address and port come back when it is valid."""
    data = _narrow(text, "text", DEFAULT_ENCODING)
    address = _output(LIMITS["ADDRESS_BYTES"])
    port = ctypes.c_uint16(0)
    code = _lib.cm_is_valid_ip_and_port_string(ctypes.create_string_buffer(data), address,
                                               ctypes.byref(port))
    if code == 1:
        return Endpoint(Check(1, True, "valid"), _decode(address, DEFAULT_ENCODING), port.value)
    if code == 0:
        meaning = "no ':' or the port is not a port"
    elif code == LIMITS.get("ADDRESS_PART_TOO_LONG"):
        meaning = "the address part is too long"
    elif -code >= LIMITS["ADDRESS_NO_DOT"]:
        meaning = _ADDRESS_CODES.get(-code, f"address code {-code}")
    else:
        meaning = f"the port is a {_NUMBER_FORMS.get(-code, 'bad number')}"
    return Endpoint(Check(code, False, meaning), None, None)


# --- Vocabulary, fonts and events


def data_type_index(name: str) -> int:
    """The type code of a data type name (any case); 0 for an unknown name."""
    return _lib.cm_data_type_string_to_index(_narrow(name, "name", DEFAULT_ENCODING))


def control_kind_code(name: str) -> int:
    """The type code of a data type or control kind name (exact case); 255 if unknown."""
    return _lib.cm_cp_model_to_uc_model(_narrow(name, "name", DEFAULT_ENCODING))


def type_code_name(code: int) -> str:
    """The name of a type code; 'NoData' for codes without one."""
    name = _output(_NAME)
    _lib.cm_uc_model_to_cp_model(_integer(code, "code", 0, 255), name)
    return _decode(name, DEFAULT_ENCODING)


def value_format_index(name: str) -> int:
    """The index of a value format name (any case); 255 for an unknown name."""
    return _lib.cm_numeric_value_string_to_index(_narrow(name, "name", DEFAULT_ENCODING))


def scale_name(index: int) -> str:
    """The name of a scale index 0..6 ("Kilo" for 3); ValueError for another index."""
    name = _output(_NAME)
    _lib.cm_scale_index_2_string(name, _int32(index, "index"), _NAME)
    if name.value == b"":
        raise ValueError(f"scale index {index} has no name")
    return _decode(name, DEFAULT_ENCODING)


def scale_index(name: str) -> int:
    """The index of a scale name (any case); -1 for an unknown name."""
    return _lib.cm_scale_string_2_index(_narrow(name, "name", DEFAULT_ENCODING))


def decode_font(descriptor: str) -> Font:
    """Decodes "Face,Size,Colour,Style": ``decode_font("Tahoma,12,#FF8000,Bold")`` gives
    ``Font(face='Tahoma', size=12, colour=16744448, style=1)``."""
    data = _narrow(descriptor, "descriptor", DEFAULT_ENCODING, _FORMAT - 1)
    if b"," in data and data.index(b",") >= LIMITS["FACE_BYTES"]:
        raise ValueError(f"the face name is longer than {LIMITS['FACE_BYTES'] - 1} bytes")
    face = _output(LIMITS["FACE_BYTES"])
    size, colour, style = ctypes.c_uint8(0), ctypes.c_uint32(0), ctypes.c_uint8(0)
    _lib.cm_decode_font_string(data, face, ctypes.byref(size), ctypes.byref(colour),
                               ctypes.byref(style))
    return Font(_decode(face, DEFAULT_ENCODING), size.value, colour.value, style.value)


def event_type(event: str) -> int:
    """1 for the event "ShowLinearDiagram", -1 otherwise."""
    return _lib.cm_check_event_type(_narrow(event, "event", DEFAULT_ENCODING))


def is_complex_data_source(source: str) -> bool:
    """Whether a data source text holds a parameter list."""
    return _lib.cm_is_complex_data_source(_narrow(source, "source", DEFAULT_ENCODING)) == 1


def parameter_list(event: str) -> str:
    """The text between the first '(' and the last ')'."""
    destination = _output(_TEXT)
    _lib.cm_get_complete_param_list(_narrow(event, "event", DEFAULT_ENCODING, _TEXT - 1),
                                    destination)
    return _decode(destination, DEFAULT_ENCODING)


def event_parameter(event: str, number: int, size: int = _NAME) -> str:
    """Parameter ``number`` (from 1) of an event; ValueError when the event has no list,
    TextRefusedError when the parameter does not fit ``size``."""
    data = _narrow(event, "event", DEFAULT_ENCODING)
    if b"(" in data and len(data) - data.index(b"(") - 1 > _NAME - 1:
        raise ValueError(f"the parameter list is longer than the library reads: at most {_NAME - 1} "
                         "bytes")
    number = _int32(number, "number")
    size = _integer(size, "size", 1, _TEXT)
    destination = _output(size)
    if _lib.cm_get_event_parameters(data, destination, number, size) != 1:
        if b"(" not in data:
            raise ValueError(f"{event!r} has no parameter list")
        raise TextRefusedError(f"parameter {number} of {event!r} does not fit {size} bytes")
    return _decode(destination, DEFAULT_ENCODING)


# --- Devices and read words


def device_model(model: int) -> dict:
    """The tables of a device model: Tavlin data type, data structure type, Iam code, class."""
    model = _integer(model, "model", 0, 65535)
    return {"tavlin_data_type": _lib.cm_corvix_device_model_to_tavlin_data_type(model),
            "data_structure_type": _lib.cm_corvix_device_model_to_data_structure_type(model),
            "iam_code": _lib.cm_model_to_iam(model),
            "device_class": _lib.cm_what_is_this(model)}


def component_name(computer_id: int) -> Optional[str]:
    """The software component of a computer id (1000 'Tresk' ...), None for another id."""
    name = _output(_NAME)
    _lib.cm_computer_id_to_string(_int32(computer_id, "computer_id"), name)
    return _decode(name, DEFAULT_ENCODING) or None


def build_read_word(first: int, second: int, third: int, letter: str, flag: int) -> int:
    """The packed read word (a signed 32-bit value)."""
    return _lib.cm_build_read_result_state(_int32(first, "first"), _int32(second, "second"),
                                           _int32(third, "third"),
                                           _char(letter, "letter", DEFAULT_ENCODING),
                                           _int32(flag, "flag"))


def read_word_field(selector: int, word: int) -> int:
    """Field ``selector`` (0..4) of a read word; -999 for another selector."""
    return _lib.cm_extract_from_read_request(_int32(selector, "selector"), _int32(word, "word"))


def index_in_list(value: int, values: Sequence[int]) -> int:
    """0-based index of the first element equal to ``value``, or -1."""
    items = [_int32(item, "list element") for item in values]
    array = (ctypes.c_int32 * max(len(items), 1))(*items)
    return _lib.cm_long_exist_in_list(_int32(value, "value"), array, len(items))


# --- Statistics and time windows


def _doubles(values, name: str):
    items = [_finite(value, f"{name} {index}") for index, value in enumerate(values)]
    return (ctypes.c_double * max(len(items), 1))(*items), len(items)


def _covered_seconds(width: int, step: int) -> Tuple[int, int]:
    """The times the day's windows cover, first and one past the last, as the library takes
    them."""
    first, end = ctypes.c_int32(), ctypes.c_int32()
    _lib.cm_filter_covered_seconds(width, step, ctypes.byref(first), ctypes.byref(end))
    return first.value, end.value


def statistics(values: Sequence[float]) -> Statistics:
    """Minimum, maximum, average and spread of samples (a sequence or NumPy array).
    Raises ValueError for no samples and for a NaN or infinite one."""
    array, count = _doubles(values, "sample")
    if count == 0:
        raise ValueError("statistics of no samples: there is no minimum, maximum or average")
    if count > 2**31 - 1:
        raise ValueError("too many samples")
    results = [ctypes.c_double() for _ in range(4)]
    _lib.cm_calculate_min_max_avr_sd(array, count, *[ctypes.byref(r) for r in results])
    return Statistics(*(r.value for r in results))


def _refuse_outside_the_day(times: List[int], number: int, width: int, step: int) -> None:
    first, end = _covered_seconds(width, step)
    for index, time in enumerate(times):
        if not first <= time < end:
            raise ValueError(f"sample {index} of series {number} at {time} s lies outside the "
                             f"day the windows cover ({first} to {end - 1} s)")


def windows(series, width: int, step: int) -> List[Window]:
    """Reduces sample series of one day to time windows of ``width`` seconds every ``step``.

    ``series`` is a sequence of ``(times, values)`` pairs (sequences or NumPy arrays; times in
    seconds, ascending, 32-bit). Returns one Window per window that has a sample. The call
    covers one day: a sample outside the times its windows cover, and a NaN or infinite value,
    raise ValueError naming the first such sample.
    """
    width = _integer(width, "width", 1, 2**31 - 1)
    step = _integer(step, "step", 1, 2**31 - 1)
    pairs = list(series)
    if len(pairs) > LIMITS["MAX_SERIES"]:
        raise ValueError(f"{len(pairs)} series; the library reduces at most {LIMITS['MAX_SERIES']}")
    value_arrays, time_arrays, counts = [], [], []
    for number, pair in enumerate(pairs):
        try:
            times, values = pair
        except (TypeError, ValueError):
            raise TypeError(f"series {number} must be a (times, values) pair") from None
        time_items = [_int32(t, f"time of series {number}") for t in times]
        value_array, count = _doubles(values, f"value of series {number}")
        if count != len(time_items):
            raise ValueError(f"series {number} has {len(time_items)} times and {count} values")
        if any(later < earlier for earlier, later in zip(time_items, time_items[1:])):
            raise ValueError(f"the times of series {number} are not in ascending order")
        _refuse_outside_the_day(time_items, number, width, step)
        time_arrays.append((ctypes.c_int32 * max(count, 1))(*time_items))
        value_arrays.append(value_array)
        counts.append(count)
    entries = LIMITS["SECONDS_PER_DAY"] // step + 2
    outputs = [(ctypes.c_double * entries)() for _ in range(3)]
    centres = (ctypes.c_int32 * entries)()
    n = max(len(pairs), 1)
    value_pointers = (ctypes.POINTER(ctypes.c_double) * n)(
        *[ctypes.cast(a, ctypes.POINTER(ctypes.c_double)) for a in value_arrays])
    time_pointers = (ctypes.POINTER(ctypes.c_int32) * n)(
        *[ctypes.cast(a, ctypes.POINTER(ctypes.c_int32)) for a in time_arrays])
    count_array = (ctypes.c_int32 * n)(*counts)
    written = _lib.cm_filter_value_array(value_pointers, time_pointers, len(pairs), count_array,
                                         outputs[0], outputs[1], outputs[2], centres, width, step,
                                         0)
    return [Window(outputs[0][i], outputs[1][i], outputs[2][i], centres[i])
            for i in range(written)]
