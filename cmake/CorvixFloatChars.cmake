# Exact conversions between doubles and decimal texts (src/frame/internal/float_chars.h): the
# C++ library's floating-point std::to_chars and std::from_chars where it has them, otherwise
# {fmt} and fast_float, header-only (Debian's libfmt-dev and libfast-float-dev). The interface
# target corvixmath_float_chars carries the choice to the library and the tool.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([[
#include <charconv>
int main() {
  char text[64];
  double value = 0;
  const auto fixed = std::to_chars(text, text + 64, 1.5, std::chars_format::fixed, 6);
  const auto shortest = std::to_chars(fixed.ptr, text + 64, 2.5);
  return std::from_chars(text, shortest.ptr, value).ptr == text;
}]] CORVIXMATH_HAS_STD_FLOAT_CHARCONV)

add_library(corvixmath_float_chars INTERFACE)
target_include_directories(corvixmath_float_chars INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/src)
if(CORVIXMATH_HAS_STD_FLOAT_CHARCONV)
  target_compile_definitions(corvixmath_float_chars INTERFACE CORVIXMATH_STD_FLOAT_CHARCONV=1)
else()
  # Header-only, so the host's copies serve any target; a cross build sees them through a
  # folder of its own that holds them alone, never the host's other headers.
  set(float_chars_alone ${CMAKE_CURRENT_BINARY_DIR}/float-chars-include)
  file(MAKE_DIRECTORY ${float_chars_alone})
  foreach(header_folder fmt fast_float)
    find_path(CORVIXMATH_${header_folder}_INCLUDE_DIR ${header_folder}
              PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    if(NOT CORVIXMATH_${header_folder}_INCLUDE_DIR)
      message(FATAL_ERROR "This C++ library lacks floating-point std::to_chars/std::from_chars; "
                          "install libfmt-dev and libfast-float-dev")
    endif()
    file(CREATE_LINK ${CORVIXMATH_${header_folder}_INCLUDE_DIR}/${header_folder}
         ${float_chars_alone}/${header_folder} SYMBOLIC)
  endforeach()
  target_include_directories(corvixmath_float_chars SYSTEM INTERFACE ${float_chars_alone})
  target_compile_definitions(corvixmath_float_chars INTERFACE CORVIXMATH_STD_FLOAT_CHARCONV=0)
  message(STATUS "Number conversions: {fmt} and fast_float (no floating-point charconv)")
endif()
