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
- :func:`windows` and :class:`Reducer` reduce series over any number of days through the
  library's multi-day reducer; :func:`windows_frame` does it for pandas DataFrames with the
  rows of the tool's ``windows`` command, and :func:`dask_windows` for Dask DataFrames too
  large for one machine (pandas and Dask are imported only by these).
- Wrong types raise ``TypeError``, ``None`` included; out-of-range numbers (``eng(10**400)``),
  NaN and infinite samples, texts holding NUL, texts the encoding cannot hold and texts longer
  than the library reads raise ``ValueError``: no result is ever silently cut, and no sample
  silently dropped.
"""

from __future__ import annotations

import ctypes
import datetime
import math
import numbers
import re
import sys
import warnings
from typing import Iterable, List, NamedTuple, Optional, Sequence, Tuple, Union

from . import _library
from ._library import ENVIRONMENT_VARIABLE, LibraryNotFoundError

__all__ = [
    "DEFAULT_ENCODING", "ENVIRONMENT_VARIABLE", "LIMITS", "MISSING_VALUE", "NOT_FOUND", "SCALES",
    "Check", "Endpoint", "Font", "LibraryNotFoundError", "Reducer", "ReducerCounts",
    "SamplesLeftOutWarning", "Statistics", "TextRefusedError", "Window", "WindowList",
    "build_read_word", "character_classes", "check_control_id", "check_endpoint",
    "check_expression", "check_ip", "check_number", "compare", "component_name",
    "control_kind_code", "convert_control_id", "data_type_index", "decode_font", "device_model",
    "eng", "event_parameter", "event_type", "find_char", "find_sub", "from_digit_array",
    "has_high_bytes", "index_in_list", "insert_char", "is_complex_data_source", "is_digit_array",
    "left_before", "left_side", "long_to_text", "parameter_list", "parse_eng", "parse_hex",
    "price", "read_word_field", "remove_char", "remove_dirs", "remove_range", "replace_char",
    "right_after", "right_side", "scale_index", "scale_name", "scientific", "seven_seg", "simple",
    "split_path", "standard_len", "statistics", "sub_string", "to_digit_array", "to_long",
    "trim_left", "trim_right", "type_code_name", "value_format_index", "variant_value",
    "windows", "windows_csv", "windows_frame", "dask_windows",
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
    except LookupError:
        # An unknown name ("utf-9"), or a codec that makes no bytes of text ("rot13").
        raise ValueError(f"encoding must name a text encoding, not {encoding!r}") from None
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
    try:
        return buffer.value.decode(encoding)
    except LookupError:
        raise ValueError(f"encoding must name a text encoding, not {encoding!r}") from None


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


_DAY = LIMITS["SECONDS_PER_DAY"]
_LONGEST = LIMITS["REDUCER_LONGEST_SECONDS"]
_TIME_LIMIT = LIMITS["REDUCER_TIME_LIMIT"]
_INT64 = (-(2**63), 2**63 - 1)
_MOST_PER_PUSH = 2**31 - 1  # the count is a 32-bit argument
_TAKE_BATCH = 4096
_NAN = float("nan")
_DURATION_UNITS = {"": 1, "s": 1, "m": 60, "h": 3600, "d": _DAY, "w": 7 * _DAY}


class SamplesLeftOutWarning(UserWarning):
    """Samples that no window holds (between windows, with a step longer than the width, or
    after the last window) were left out; the result's ``samples_held_by_no_window`` counts
    them."""


class Window(NamedTuple):
    """One time window: the minimum, maximum and mean of the series' averages in the window
    around ``centre`` (seconds). ``has_data`` is False for a window without samples (asked for
    with ``empty_windows=True``), whose minimum, maximum and mean are NaN. ``averages`` holds
    each series' own average, NaN where it has no sample, when asked for with
    ``series_averages=True``."""

    minimum: float
    maximum: float
    mean: float
    centre: int
    has_data: bool = True
    averages: Optional[Tuple[float, ...]] = None


class WindowList(list):
    """The windows of :func:`windows`, a list of :class:`Window` in time order, and
    ``samples_held_by_no_window``: how many samples no window held and were left out (with a
    step longer than the width, the samples between two windows)."""

    samples_held_by_no_window = 0


class ReducerCounts(NamedTuple):
    """What a :class:`Reducer` has taken and holds."""

    samples_taken: int
    samples_held_by_no_window: int
    samples_open: int
    windows_reduced: int
    windows_waiting: int
    refused_windows: int


def _duration(value, name: str) -> int:
    """A width or step: whole seconds, a timedelta, or the tool's text ("90", "15m", "1h",
    "7d", "2w")."""
    if isinstance(value, str):
        match = re.fullmatch(r"(\d+)([smhdw]?)", value.strip())
        if not match:
            raise ValueError(f"{name} must be seconds or a number with s, m, h, d or w, not "
                             f"{value!r}")
        value = int(match.group(1)) * _DURATION_UNITS[match.group(2)]
    elif isinstance(value, datetime.timedelta):
        microseconds = value // datetime.timedelta(microseconds=1)
        if microseconds % 1_000_000:
            raise ValueError(f"{name} must be whole seconds, not {value}")
        value = microseconds // 1_000_000
    return _integer(value, name, 1, _LONGEST)


def _numpy_array(data):
    """`data` as a one-dimensional NumPy array when it is an array (NumPy, pandas ...); None for
    sequences. NumPy is used only when the caller's data already brought it in."""
    numpy = sys.modules.get("numpy")
    if numpy is None or isinstance(data, (list, tuple, range, str, bytes)) \
            or not hasattr(data, "__array__"):
        return None
    array = numpy.asarray(data)
    if array.ndim != 1:
        raise ValueError(f"samples must be a one-dimensional array, not {array.ndim}-dimensional")
    return array


def _time_samples(times, label: str):
    """The times of a series as int64 for the library, and the items to name a refused one."""
    array = _numpy_array(times)
    if array is not None:
        numpy = sys.modules["numpy"]
        if array.dtype.kind not in "iuO":
            raise TypeError(f"the times of {label} must be integers (seconds), not {array.dtype}")
        if array.dtype.kind in "iu" and (array.dtype.kind == "i" or not array.size
                                         or array.max() <= _INT64[1]):
            array = numpy.ascontiguousarray(array, dtype=numpy.int64)
            return array, array.ctypes.data_as(ctypes.POINTER(ctypes.c_int64))
        times = array.tolist()
    if times is None or isinstance(times, (str, bytes)):
        raise TypeError(f"the times of {label} must be a sequence of integers")
    items = [_integer(time, f"time {index} of {label}", *_INT64)
             for index, time in enumerate(times)]
    return items, (ctypes.c_int64 * max(len(items), 1))(*items)


def _value_samples(values, label: str):
    """The values of a series as doubles for the library; NaN and infinity go on to the
    library, which refuses them."""
    array = _numpy_array(values)
    if array is not None:
        numpy = sys.modules["numpy"]
        if array.dtype.kind in "fiu":
            array = numpy.ascontiguousarray(array, dtype=numpy.float64)
            return array, array.ctypes.data_as(ctypes.POINTER(ctypes.c_double))
        if array.dtype.kind != "O":
            raise TypeError(f"the values of {label} must be numbers, not {array.dtype}")
        values = array.tolist()
    if values is None or isinstance(values, (str, bytes)):
        raise TypeError(f"the values of {label} must be a sequence of numbers")
    items = [_number(value, f"value {index} of {label}") for index, value in enumerate(values)]
    return items, (ctypes.c_double * max(len(items), 1))(*items)


_REDUCER_REASONS = {
    LIMITS["REDUCER_NULL_ARGUMENT"]: (TypeError, "a null handle or array"),
    LIMITS["REDUCER_BAD_SIZE"]: (ValueError, "a width, step, series count, sample count or "
                                             "capacity out of range"),
    LIMITS["REDUCER_BAD_FLAGS"]: (ValueError, "an unknown flag, or series averages not asked "
                                              "for"),
    LIMITS["REDUCER_BAD_SERIES"]: (ValueError, "a series outside 0 to the series count - 1"),
    LIMITS["REDUCER_TIME_GOES_BACK"]: (ValueError, "a time before the series' last time or the "
                                                   "time given to advance()"),
    LIMITS["REDUCER_TIME_OUT_OF_RANGE"]: (ValueError, f"a time beyond +-{_TIME_LIMIT} s"),
    LIMITS["REDUCER_NOT_FINITE"]: (ValueError, "a NaN or infinite value"),
    LIMITS["REDUCER_TOO_MANY_WINDOWS"]: (ValueError, "more windows than "
                                                     f"{LIMITS['REDUCER_MOST_WINDOWS']}"),
    LIMITS["REDUCER_FINISHED"]: (ValueError, "the reducer is finished: no sample or advance "
                                             "can follow finish()"),
    LIMITS["REDUCER_NO_MEMORY"]: (MemoryError, "the open windows' samples did not fit in "
                                               "memory"),
    LIMITS["REDUCER_ALREADY_STARTED"]: (ValueError, "the origin must be set before the first "
                                                    "sample or advance"),
}


def _reducer_error(code: int, what: str) -> Exception:
    kind, reason = _REDUCER_REASONS.get(code, (RuntimeError, f"unknown result {code}"))
    return kind(f"{what}: {reason}")


class Reducer:
    """Reduces sample series to time windows over any number of days, a piece at a time.

    Window k is centred at origin + k*step and holds the samples of
    centre - width//2 <= t < centre - width//2 + width; the origin is the midnight (a multiple
    of 86400 s) of the first sample's day, or of ``origin``'s. Times are integer seconds.
    Push each series' samples in time order, in any number of pieces; :meth:`take` hands out
    every window no later sample can change, and all of them after :meth:`finish`. With a step
    longer than the width, samples between windows are held by none: they are left out and
    counted (:attr:`counts`). Use it as a context manager, or call :meth:`close`::

        with corvixmath.Reducer(3600, 3600, series_count=2) as reducer:
            reducer.push(0, [0, 4000], [1.0, 2.0])
            reducer.push(1, [100], [3.0])
            reducer.finish()
            windows = reducer.take()

    Errors: ValueError (a time going back, out of range, a NaN or infinite value, too many
    windows, a push after :meth:`finish`, a closed reducer), TypeError (wrong types),
    MemoryError. A refused push takes none of its samples. One thread at a time may use a
    reducer; distinct reducers run in any threads.
    """

    def __init__(self, width, step, series_count: int, *, empty_windows: bool = False,
                 series_averages: bool = False, origin: Optional[int] = None):
        self._handle = None
        self.width = _duration(width, "width")
        self.step = _duration(step, "step")
        self.series_count = _integer(series_count, "series_count", 1, LIMITS["MAX_SERIES"])
        self.series_averages = bool(series_averages)
        flags = (LIMITS["REDUCER_EMPTY_WINDOWS"] if empty_windows else 0) | \
            (LIMITS["REDUCER_SERIES_AVERAGES"] if series_averages else 0)
        # No sample of a series may come before its last time, nor before this one.
        self._last: List[Optional[int]] = [None] * self.series_count
        self._floor: Optional[Tuple[int, str]] = None
        handle = ctypes.c_void_p()
        code = _lib.cm_reducer_create(self.width, self.step, self.series_count, flags,
                                      ctypes.byref(handle))
        if code != LIMITS["REDUCER_OK"]:
            raise _reducer_error(code, "cannot make a reducer")
        self._handle = handle
        if origin is not None:
            try:
                self._start_at(_integer(origin, "origin", *_INT64))
            except BaseException:
                self.close()
                raise

    def _open(self):
        if self._handle is None:
            raise ValueError("the reducer is closed")
        return self._handle

    def _start_at(self, origin: int) -> None:
        code = _lib.cm_reducer_start_at(self._handle, origin)
        if code != LIMITS["REDUCER_OK"]:
            raise _reducer_error(code, f"origin {origin} s")
        midnight = origin // _DAY * _DAY
        self._floor = (midnight, f"the origin's midnight ({midnight} s)")

    def push(self, series: int, times, values) -> None:
        """Adds samples of one series (0 to series_count - 1): integer times in seconds, in
        order and none before the series' last one, and finite values (sequences or
        arrays)."""
        handle = self._open()
        series = _integer(series, "series", 0, self.series_count - 1)
        label = f"series {series}"
        time_items, time_pointer = _time_samples(times, label)
        value_items, value_pointer = _value_samples(values, label)
        count = len(time_items)
        if len(value_items) != count:
            raise ValueError(f"{label} has {count} times and {len(value_items)} values")
        if count > _MOST_PER_PUSH:
            raise ValueError(f"{count} samples in one push; push at most {_MOST_PER_PUSH} at "
                             "a time")
        code = _lib.cm_reducer_push(handle, series, time_pointer, value_pointer, count)
        if code != LIMITS["REDUCER_OK"]:
            raise self._refused_push(code, series, time_items, value_items)
        if count:
            self._last[series] = int(time_items[-1])

    def _refused_push(self, code: int, series: int, times, values) -> Exception:
        """The error of a refused push, naming the sample the library stopped at."""
        label = f"series {series}"
        if code == LIMITS["REDUCER_TOO_MANY_WINDOWS"]:
            return ValueError(
                f"the samples of {label} up to {int(times[-1])} s would make "
                f"{self.counts.refused_windows} windows of {self.width} s every {self.step} s "
                "from the first sample's day to the last one's; at most "
                f"{LIMITS['REDUCER_MOST_WINDOWS']}: choose a longer step")
        floor = self._floor
        if self._last[series] is not None and (floor is None or self._last[series] >= floor[0]):
            floor = (self._last[series], f"the series' last time ({self._last[series]} s)")
        for index in range(len(times)):
            time, value = int(times[index]), float(values[index])
            if not -_TIME_LIMIT <= time <= _TIME_LIMIT:
                return ValueError(f"sample {index} of {label} at {time} s lies beyond the "
                                  f"reducer's times, +-{_TIME_LIMIT} s")
            if not math.isfinite(value):
                return ValueError(f"value of sample {index} of {label} is {value}; samples "
                                  "must be finite")
            if floor is not None and time < floor[0]:
                return ValueError(f"sample {index} of {label} at {time} s goes back before "
                                  f"{floor[1]}; the times of a series must not go back")
            floor = (time, f"sample {index} ({time} s)")
        return _reducer_error(code, f"the samples of {label} are refused")

    def advance(self, time: int) -> None:
        """Says that no series will have a sample before ``time`` (seconds), so that the
        windows before it can be taken though some series has no sample there."""
        handle = self._open()
        time = _integer(time, "time", *_INT64)
        code = _lib.cm_reducer_advance(handle, time)
        if code == LIMITS["REDUCER_TIME_GOES_BACK"]:
            raise ValueError(f"advance to {time} s goes back before {self._floor[1]}")
        if code != LIMITS["REDUCER_OK"]:
            raise _reducer_error(code, f"advance to {time} s")
        self._floor = (time, f"the time given to advance() ({time} s)")

    def finish(self) -> None:
        """Says that no sample follows: every remaining window can be taken."""
        code = _lib.cm_reducer_finish(self._open())
        if code != LIMITS["REDUCER_OK"]:
            raise _reducer_error(code, "finish")

    def take(self, most: Optional[int] = None) -> List[Window]:
        """The finished windows not taken yet (at most ``most``), in time order."""
        handle = self._open()
        most = None if most is None else _integer(most, "most", 0, _INT64[1])
        series = self.series_count
        buffer = (_library.CWindow * _TAKE_BATCH)()
        averages = (ctypes.c_double * (_TAKE_BATCH * series))() if self.series_averages else None
        taken: List[Window] = []
        while most is None or len(taken) < most:
            room = _TAKE_BATCH if most is None else min(_TAKE_BATCH, most - len(taken))
            written = _lib.cm_reducer_take(handle, buffer, averages, room)
            if written < 0:
                raise _reducer_error(written, "take")
            for i in range(written):
                window = buffer[i]
                own = tuple(averages[i * series:(i + 1) * series]) if averages else None
                if window.has_data:
                    taken.append(Window(window.minimum, window.maximum, window.mean,
                                        window.centre, True, own))
                else:
                    taken.append(Window(_NAN, _NAN, _NAN, window.centre, False, own))
            if written < room:
                break
        return taken

    @property
    def counts(self) -> ReducerCounts:
        """Samples taken, held by no window and held now; windows reduced and waiting."""
        counts = _library.CReducerCounts()
        code = _lib.cm_reducer_get_counts(self._open(), ctypes.byref(counts))
        if code != LIMITS["REDUCER_OK"]:
            raise _reducer_error(code, "counts")
        return ReducerCounts(*(getattr(counts, name) for name, _ in counts._fields_))

    def close(self) -> None:
        """Frees the reducer; calling it again does nothing."""
        handle, self._handle = self._handle, None
        if handle is not None and _lib is not None:
            _lib.cm_reducer_destroy(handle)

    def __enter__(self) -> "Reducer":
        return self

    def __exit__(self, *exception) -> None:
        self.close()

    def __del__(self) -> None:
        self.close()


def _warn_left_out(count: int, stacklevel: int = 3) -> None:
    if count:
        warnings.warn(f"{count} samples lie between windows or after the last one: no window "
                      "holds them, and they are left out (samples_held_by_no_window)",
                      SamplesLeftOutWarning, stacklevel=stacklevel)


def windows(series, width, step, *, empty_windows: bool = False,
            series_averages: bool = False, origin: Optional[int] = None) -> WindowList:
    """Reduces sample series to time windows of ``width`` seconds every ``step``, over any
    number of days.

    ``series`` is a sequence of ``(times, values)`` pairs (sequences or NumPy arrays; times in
    integer seconds, ascending within each series, within +-LIMITS["REDUCER_TIME_LIMIT"]).
    ``width`` and ``step`` are seconds, timedeltas or texts such as "15m", "1h", "7d". Window k
    is centred at origin + k*step, the origin being the midnight of the first sample's day (or
    of ``origin``'s); one day of samples at 0 <= t < 86400 gives the library's one-day windows.
    Returns a :class:`WindowList` of the windows that have a sample (every window with
    ``empty_windows=True``; ``series_averages=True`` adds each series' own average).

    With a step longer than the width, samples between windows are held by none: they are
    left out, counted in the result's ``samples_held_by_no_window`` and reported with a
    :class:`SamplesLeftOutWarning`. A time going back, a time out of range and a NaN or
    infinite value raise ValueError naming the series and the sample.
    """
    pairs = list(series)
    if len(pairs) > LIMITS["MAX_SERIES"]:
        raise ValueError(f"{len(pairs)} series; the library reduces at most "
                         f"{LIMITS['MAX_SERIES']} at once")
    for number, pair in enumerate(pairs):
        try:
            _, _ = pair
        except (TypeError, ValueError):
            raise TypeError(f"series {number} must be a (times, values) pair") from None
    result = WindowList()
    with Reducer(width, step, max(len(pairs), 1), empty_windows=empty_windows,
                 series_averages=series_averages, origin=origin) as reducer:
        for number, (times, values) in enumerate(pairs):
            reducer.push(number, times, values)
        reducer.finish()
        result.extend(reducer.take())
        result.samples_held_by_no_window = reducer.counts.samples_held_by_no_window
    _warn_left_out(result.samples_held_by_no_window)
    return result


from ._frames import windows_csv, windows_frame  # noqa: E402  (they use the names above)
from ._dask import dask_windows  # noqa: E402
