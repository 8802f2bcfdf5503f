# The corvixmath tool as an ES module (its WebAssembly inlined) for the playground page, which
# runs `corvixmath windows ... -` through it on a pasted log: the same sources as the native
# executable, so the page reads every form of log the tool reads and says what it says.
# Included from web/CMakeLists.txt in a WebAssembly build, where the tool itself is not built.
include(${CMAKE_CURRENT_LIST_DIR}/tool.cmake)

add_executable(corvixmath_tool_module ${corvixmath_tool_series_sources}
                                      ${corvixmath_tool_command_sources})
target_include_directories(corvixmath_tool_module PRIVATE ${corvixmath_tool_dir})
# No zlib here (the tool says so when given a gzip log); no threads, so the page passes --jobs 1.
target_link_libraries(corvixmath_tool_module PRIVATE CorvixMath::corvixmath CLI11::CLI11
                                                     corvixmath_float_chars)
corvix_set_warnings(corvixmath_tool_module)
# The tool reports a bad log by throwing and catching; Emscripten leaves catching off by default.
target_compile_options(corvixmath_tool_module PRIVATE -fexceptions)
# Size matters more than speed for a page (a day's log takes milliseconds either way).
target_compile_options(corvixmath_tool_module PRIVATE -Oz)
target_link_options(
  corvixmath_tool_module
  PRIVATE
  -fexceptions
  -Oz
  -sMODULARIZE=1
  -sEXPORT_ES6=1
  -sEXPORT_NAME=createCorvixMathTool
  -sENVIRONMENT=web,node
  -sSINGLE_FILE=1
  -sALLOW_MEMORY_GROWTH=1
  # The page calls main once per run, on an instance whose runtime stays up between runs.
  -sEXIT_RUNTIME=0
  -sINVOKE_RUN=0
  -sNODEJS_CATCH_EXIT=0
  -sNODEJS_CATCH_REJECTION=0
  # The package's prefix gives the loader the __dirname its Node branch reads.
  --extern-pre-js=${PROJECT_SOURCE_DIR}/bindings/js/tools/loader-prefix.js
  -sEXPORTED_RUNTIME_METHODS=callMain)
set_property(TARGET corvixmath_tool_module APPEND
             PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/bindings/js/tools/loader-prefix.js)
get_property(corvixmath_tool_module_launcher GLOBAL PROPERTY CORVIXMATH_EMSCRIPTEN_LINK_LAUNCHER)
set_target_properties(
  corvixmath_tool_module
  PROPERTIES OUTPUT_NAME corvixmath-tool SUFFIX ".mjs" RUNTIME_OUTPUT_DIRECTORY
                                                       ${CMAKE_CURRENT_BINARY_DIR}/tool
             CXX_LINKER_LAUNCHER "${corvixmath_tool_module_launcher}")
