# What the corvixmath tool is built from, wherever it is built: natively, cross, or into the
# playground's WebAssembly module (which compiles the same sources, so the page reads logs by
# the tool's own rules).
set(corvixmath_tool_dir ${CMAKE_CURRENT_LIST_DIR})
# The series pieces (reading CSV fields and times, reducing, writing), and the commands.
set(corvixmath_tool_series_sources
    common.cpp csv_fields.cpp line_source.cpp series_time.cpp series_read.cpp series_long.cpp
    series_reduce.cpp series_write.cpp chart.cpp)
set(corvixmath_tool_command_sources
    main.cpp format_commands.cpp check_commands.cpp vocabulary_commands.cpp series_commands.cpp
    help_texts.cpp sevenseg_art.cpp demo.cpp)
list(TRANSFORM corvixmath_tool_series_sources PREPEND ${corvixmath_tool_dir}/)
list(TRANSFORM corvixmath_tool_command_sources PREPEND ${corvixmath_tool_dir}/)

# CLI11 is header-only, so the host's copy serves any target.
if(TARGET CLI11::CLI11)
  return()
endif()
find_package(CLI11 CONFIG QUIET)
if(NOT CLI11_FOUND)
  find_path(CLI11_INCLUDE_DIR CLI/CLI.hpp)
  if(NOT CLI11_INCLUDE_DIR AND CMAKE_CROSSCOMPILING)
    # A cross build sees the host's copy through a folder of its own that holds CLI11 alone:
    # the host's other headers must never reach a target program.
    # Emscripten's platform searches its own sysroot alone, hence the usual host folders by name.
    find_path(CLI11_HOST_INCLUDE_DIR CLI/CLI.hpp PATHS /usr/local/include /usr/include
              NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(cli11_alone ${CMAKE_CURRENT_BINARY_DIR}/cli11-include)
    file(MAKE_DIRECTORY ${cli11_alone})
    file(CREATE_LINK ${CLI11_HOST_INCLUDE_DIR}/CLI ${cli11_alone}/CLI SYMBOLIC)
    set(CLI11_INCLUDE_DIR ${cli11_alone} CACHE PATH "CLI11's headers (the host's, alone)" FORCE)
  endif()
  if(NOT CLI11_INCLUDE_DIR)
    message(FATAL_ERROR "CLI11 not found: install libcli11-dev")
  endif()
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  target_include_directories(CLI11::CLI11 INTERFACE ${CLI11_INCLUDE_DIR})
endif()
