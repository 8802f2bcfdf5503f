"""Loads the CorvixMath shared library and declares the C interface (corvixmath.h) to ctypes.

The library is looked for, in this order:

1. the file named by the environment variable ``CORVIXMATH_LIBRARY`` (a directory there is
   searched for the library's usual names); when it is set, nothing else is tried;
2. the package's own directory, where ``scripts/install-python`` installs a copy beside the
   Python files;
3. the system's loader (``LD_LIBRARY_PATH``, ``/usr/local/lib``, ``PATH`` on Windows ...).

When none of them loads, :class:`LibraryNotFoundError` lists every place that was tried.

The limits of ``CorvixLimits.h`` are read from the header itself (installed beside the package,
or found in the source tree), so that no size is written twice.
"""

from __future__ import annotations

import ctypes
import ctypes.util
import os
import re
import sys
from pathlib import Path
from typing import Dict, List, Union

ENVIRONMENT_VARIABLE = "CORVIXMATH_LIBRARY"

_PACKAGE_DIR = Path(__file__).resolve().parent

if sys.platform == "win32":
    _LIBRARY_NAMES = ["corvixmath.dll", "libcorvixmath.dll"]
elif sys.platform == "darwin":
    _LIBRARY_NAMES = ["libcorvixmath.1.dylib", "libcorvixmath.dylib"]
else:
    _LIBRARY_NAMES = ["libcorvixmath.so.1", "libcorvixmath.so"]


class LibraryNotFoundError(ImportError):
    """The CorvixMath shared library could not be loaded; the message says where it looked."""


def _try_load(path: str, tried: List[str]):
    try:
        return ctypes.CDLL(path)
    except OSError as error:
        tried.append(f"  {path}: {error}")
        return None


def _candidates_in(directory: Path) -> List[Path]:
    return [directory / name for name in _LIBRARY_NAMES]


def _load_first(paths: List[Path], tried: List[str]):
    """The first of the files that exists and loads; each miss is added to `tried`."""
    for path in paths:
        if not path.exists():
            tried.append(f"  {path}: no such file")
            continue
        library = _try_load(str(path), tried)
        if library is not None:
            return library
    return None


def load_library() -> ctypes.CDLL:
    """Loads the library from the first place that has it (see the module's description)."""
    tried: List[str] = []
    named = os.environ.get(ENVIRONMENT_VARIABLE)
    if named:
        location = Path(named)
        library = _load_first(_candidates_in(location) if location.is_dir() else [location], tried)
        if library is not None:
            return library
        # A library named on purpose is never replaced by another one found elsewhere.
        raise LibraryNotFoundError(
            f"corvixmath: cannot load the library that ${ENVIRONMENT_VARIABLE} names. Looked at:\n"
            + "\n".join(tried)
        )
    tried.append(f"  ${ENVIRONMENT_VARIABLE}: not set")

    library = _load_first(_candidates_in(_PACKAGE_DIR), tried)
    if library is not None:
        return library

    system_names = list(_LIBRARY_NAMES)
    found = ctypes.util.find_library("corvixmath")
    if found and found not in system_names:
        system_names.insert(0, found)
    for name in system_names:
        library = _try_load(name, tried)
        if library is not None:
            return library

    raise LibraryNotFoundError(
        "corvixmath: cannot load the CorvixMath library. Looked at:\n"
        + "\n".join(tried)
        + f"\nSet {ENVIRONMENT_VARIABLE} to the library file, or install the package with "
        "scripts/install-python."
    )


def _limits_header() -> Path:
    beside = _PACKAGE_DIR / "CorvixLimits.h"
    if beside.exists():
        return beside
    # bindings/python/corvixmath in the source tree.
    in_tree = _PACKAGE_DIR.parents[2] / "include" / "corvixmath" / "CorvixLimits.h"
    if in_tree.exists():
        return in_tree
    raise LibraryNotFoundError(
        f"corvixmath: CorvixLimits.h is neither at {beside} nor at {in_tree}"
    )


def read_limits() -> Dict[str, Union[int, float]]:
    """The ``CORVIXMATH_*`` number macros of CorvixLimits.h, without their prefix: ``int`` for
    integers (``86400L``, ``100000000LL`` and the flags ``0x1U`` included), ``float`` for values
    with a decimal point."""
    pattern = re.compile(r"^#define CORVIXMATH_(\w+) \(?(-?(?:0[xX][0-9a-fA-F]+|\d+(?:\.\d*)?"
                         r"(?:[eE][-+]?\d+)?))[uU]?[lL]{0,2}\)?(?:\s|$)")
    limits: Dict[str, Union[int, float]] = {}
    for line in _limits_header().read_text(encoding="ascii").splitlines():
        match = pattern.match(line)
        if match:
            number = match.group(2)
            if number.lower().lstrip("-").startswith("0x"):
                limits[match.group(1)] = int(number, 16)
            elif "." in number or "e" in number.lower():
                limits[match.group(1)] = float(number)
            else:
                limits[match.group(1)] = int(number)
    return limits


# --- The C interface: (name, result type, argument types) for every function of corvixmath.h.

_c = ctypes
_char_p = _c.c_char_p  # narrow texts, read only
_buffer = _c.c_char_p  # narrow buffers the function writes (ctypes string buffers)
_u16_p = _c.POINTER(_c.c_uint16)
_i32_p = _c.POINTER(_c.c_int32)
_double_p = _c.POINTER(_c.c_double)
_i64_p = _c.POINTER(_c.c_int64)
_handle = _c.c_void_p


class CWindow(_c.Structure):
    """cm_window: one window handed out by cm_reducer_take()."""

    _fields_ = [("centre", _c.c_int64), ("minimum", _c.c_double), ("maximum", _c.c_double),
                ("mean", _c.c_double), ("has_data", _c.c_int32), ("reserved", _c.c_int32)]


class CReducerCounts(_c.Structure):
    """cm_reducer_counts: what a reducer has taken and holds."""

    _fields_ = [(name, _c.c_int64) for name in (
        "samples_taken", "samples_held_by_no_window", "samples_open", "windows_reduced",
        "windows_waiting", "refused_windows")]


_PROTOTYPES = [
    ("cm_version", _c.c_char_p, []),
    ("cm_double_to_eng_string", _c.c_int32,
     [_buffer, _c.c_double, _char_p, _c.c_int32, _c.c_uint32, _c.c_uint8]),
    ("cm_double_to_simple_string", _c.c_int32,
     [_buffer, _c.c_double, _c.c_uint8, _c.c_uint8, _c.c_uint8, _char_p, _c.c_int32]),
    ("cm_sientific_format", None, [_buffer, _c.c_double, _c.c_uint8, _c.c_uint32]),
    ("cm_price_to_string", None, [_buffer, _c.c_double, _c.c_uint32, _c.c_uint8, _c.c_char]),
    ("cm_standard_len", None, [_buffer, _c.c_int32, _c.c_char]),
    ("cm_number_to_4_seven_seg", _c.c_int32, [_c.c_double, _c.c_int32]),
    ("cm_eng_str_2_simple_value", _c.c_double, [_char_p]),
    ("cm_hex_string_to_decimal", _c.c_int32, [_char_p]),
    ("cm_var_value_to_long_double_i2", _c.c_double, [_c.c_int16]),
    ("cm_var_value_to_long_double_i4", _c.c_double, [_c.c_int32]),
    ("cm_var_value_to_long_double_r4", _c.c_double, [_c.c_float]),
    ("cm_var_value_to_long_double_r8", _c.c_double, [_c.c_double]),
    ("cm_var_value_to_long_double_i1", _c.c_double, [_c.c_int8]),
    ("cm_var_value_to_long_double_ui1", _c.c_double, [_c.c_uint8]),
    ("cm_var_value_to_long_double_ui2", _c.c_double, [_c.c_uint16]),
    ("cm_to_long_u16", _c.c_int32, [_u16_p]),
    ("cm_find_charpos_in_string", _c.c_int32, [_char_p, _c.c_char]),
    ("cm_find_charpos_in_string_u16", _c.c_int32, [_u16_p, _c.c_uint16]),
    ("cm_find_sub_string_start_pos", _c.c_int32, [_char_p, _char_p]),
    ("cm_extract_left_before_char", _c.c_int32, [_char_p, _buffer, _c.c_char, _c.c_int32]),
    ("cm_extract_left_before_char_u16", _c.c_int32, [_u16_p, _u16_p, _c.c_uint16, _c.c_int32]),
    ("cm_extract_right_after_char", None, [_char_p, _buffer, _c.c_char]),
    ("cm_extract_right_after_char_u16", None, [_u16_p, _u16_p, _c.c_uint16]),
    ("cm_extract_leftt_side", None, [_char_p, _buffer, _c.c_int32]),
    ("cm_extract_leftt_side_u16", None, [_u16_p, _u16_p, _c.c_int32]),
    ("cm_extract_right_side", None, [_char_p, _buffer, _c.c_int32]),
    ("cm_extract_right_side_u16", None, [_u16_p, _u16_p, _c.c_int32]),
    ("cm_sub_string", _c.c_int32, [_char_p, _buffer, _c.c_int32, _c.c_int32]),
    ("cm_sub_string_u16", _c.c_int32, [_u16_p, _u16_p, _c.c_int32, _c.c_int32]),
    ("cm_trim_left", _c.c_int32, [_char_p, _buffer, _c.c_char, _c.c_uint32]),
    ("cm_trim_left_u16", _c.c_int32, [_u16_p, _u16_p, _c.c_uint16, _c.c_uint32]),
    ("cm_trim_right", _c.c_int32, [_char_p, _buffer, _c.c_char, _c.c_uint32]),
    ("cm_trim_right_u16", _c.c_int32, [_u16_p, _u16_p, _c.c_uint16, _c.c_uint32]),
    ("cm_insert_char_in_char_array", None, [_buffer, _c.c_int32, _c.c_char]),
    ("cm_insert_char_in_char_array_u16", None, [_u16_p, _c.c_int32, _c.c_uint16]),
    ("cm_remove_char_from_char_array", None, [_buffer, _c.c_char]),
    ("cm_remove_char_from_char_array_u16", None, [_u16_p, _c.c_uint16]),
    ("cm_remove_from_char_array", None, [_buffer, _c.c_int32, _c.c_int32]),
    ("cm_remove_from_char_array_u16", None, [_u16_p, _c.c_int32, _c.c_int32]),
    ("cm_replace_char_in_char_aaary", None, [_buffer, _c.c_char, _c.c_char]),
    ("cm_replace_char_in_char_aaary_u16", None, [_u16_p, _c.c_uint16, _c.c_uint16]),
    ("cm_copy_u16", None, [_u16_p, _u16_p, _c.c_uint32]),
    ("cm_len_u16", _c.c_int32, [_u16_p]),
    ("cm_compare_u16", _c.c_int32, [_u16_p, _u16_p]),
    ("cm_long_to_w_char", None, [_c.c_int32, _u16_p, _c.c_uint32]),
    ("cm_extract_path_and_name", _c.c_int32,
     [_char_p, _buffer, _buffer, _c.c_uint32, _c.c_uint32]),
    ("cm_remove_dir_from_path", None, [_buffer, _buffer, _c.c_uint8]),
    ("cm_char_array_to_wchar_array", None, [_char_p, _u16_p, _c.c_int32]),
    ("cm_w_char_array_to_char_array", None, [_buffer, _u16_p, _c.c_int32]),
    ("cm_unicode_string_to_digit_array", _c.c_int32, [_char_p, _buffer, _c.c_int32]),
    ("cm_unicode_string_to_digit_array_u16", _c.c_int32, [_u16_p, _buffer, _c.c_int32]),
    ("cm_digit_array_to_unicode_string", None, [_char_p, _buffer, _c.c_int32]),
    ("cm_digit_array_to_unicode_string_u16", None, [_char_p, _u16_p, _c.c_int32]),
    ("cm_is_uni_code_string", _c.c_int32, [_char_p]),
    ("cm_contain_unicode_char", _c.c_int32, [_char_p]),
    ("cm_is_valid_control_id", _c.c_int32, [_char_p]),
    ("cm_is_valid_control_id_u16", _c.c_int32, [_u16_p]),
    ("cm_check_control_id_and_convert_to_new_version", None, [_buffer]),
    ("cm_is_alpha_numeric", _c.c_int32, [_char_p]),
    ("cm_verify_reg_exp_string", _c.c_int32, [_char_p, _buffer, _char_p]),
    ("cm_data_type_string_to_index", _c.c_uint8, [_char_p]),
    ("cm_cp_model_to_uc_model", _c.c_uint8, [_char_p]),
    ("cm_uc_model_to_cp_model", None, [_c.c_uint8, _buffer]),
    ("cm_numeric_value_string_to_index", _c.c_uint8, [_char_p]),
    ("cm_scale_index_2_string", None, [_buffer, _c.c_int32, _c.c_uint32]),
    ("cm_scale_string_2_index", _c.c_int32, [_char_p]),
    ("cm_decode_font_string", None,
     [_char_p, _buffer, _c.POINTER(_c.c_uint8), _c.POINTER(_c.c_uint32),
      _c.POINTER(_c.c_uint8)]),
    ("cm_check_event_type", _c.c_int32, [_char_p]),
    ("cm_is_complex_data_source", _c.c_int32, [_char_p]),
    ("cm_get_complete_param_list", None, [_char_p, _buffer]),
    ("cm_get_event_parameters", _c.c_int32, [_char_p, _buffer, _c.c_int32, _c.c_uint32]),
    ("cm_corvix_device_model_to_tavlin_data_type", _c.c_uint8, [_c.c_uint16]),
    ("cm_corvix_device_model_to_data_structure_type", _c.c_uint8, [_c.c_uint16]),
    ("cm_model_to_iam", _c.c_int32, [_c.c_uint16]),
    ("cm_what_is_this", _c.c_uint8, [_c.c_uint16]),
    ("cm_computer_id_to_string", None, [_c.c_int32, _buffer]),
    ("cm_build_read_result_state", _c.c_int32,
     [_c.c_int32, _c.c_int32, _c.c_int32, _c.c_char, _c.c_int32]),
    ("cm_extract_from_read_request", _c.c_int32, [_c.c_int32, _c.c_int32]),
    ("cm_long_exist_in_list", _c.c_int32, [_c.c_int32, _i32_p, _c.c_int32]),
    ("cm_is_digit", _c.c_int32, [_buffer]),
    ("cm_is_digit_u16", _c.c_int32, [_u16_p]),
    ("cm_is_valid_ip_string", _c.c_int32, [_char_p]),
    ("cm_is_valid_ip_and_port_string", _c.c_int32,
     [_buffer, _buffer, _c.POINTER(_c.c_uint16)]),
    ("cm_calculate_min_max_avr_sd", None,
     [_double_p, _c.c_int32, _double_p, _double_p, _double_p, _double_p]),
    ("cm_calculate_min_max", None,
     [_double_p, _c.c_int32, _double_p, _double_p, _double_p, _double_p]),
    ("cm_filter_covered_seconds", _c.c_int32, [_c.c_int32, _c.c_int32, _i32_p, _i32_p]),
    ("cm_filter_value_array", _c.c_int32,
     [_c.POINTER(_double_p), _c.POINTER(_i32_p), _c.c_int32, _i32_p, _double_p, _double_p,
      _double_p, _i32_p, _c.c_int32, _c.c_int32, _c.c_int32]),
    ("cm_reducer_create", _c.c_int32,
     [_c.c_int64, _c.c_int64, _c.c_int32, _c.c_uint32, _c.POINTER(_handle)]),
    ("cm_reducer_destroy", None, [_handle]),
    ("cm_reducer_start_at", _c.c_int32, [_handle, _c.c_int64]),
    ("cm_reducer_push", _c.c_int32, [_handle, _c.c_int32, _i64_p, _double_p, _c.c_int32]),
    ("cm_reducer_advance", _c.c_int32, [_handle, _c.c_int64]),
    ("cm_reducer_finish", _c.c_int32, [_handle]),
    ("cm_reducer_take", _c.c_int32, [_handle, _c.POINTER(CWindow), _double_p, _c.c_int32]),
    ("cm_reducer_get_counts", _c.c_int32, [_handle, _c.POINTER(CReducerCounts)]),
]


def declare(library: ctypes.CDLL) -> ctypes.CDLL:
    """Sets the result and argument types of every C function on the loaded library."""
    for name, result, arguments in _PROTOTYPES:
        function = getattr(library, name)
        function.restype = result
        function.argtypes = arguments
    return library


def function_names() -> List[str]:
    """The names of the C functions this package declares."""
    return [name for name, _, _ in _PROTOTYPES]
