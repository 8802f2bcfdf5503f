# Turns the examples in the public header's comments into a GoogleTest program, so that every
# example a reader sees is compiled and run with the results its comments state.
#
# Usage: cmake -DHEADER=CMathOperation.h -DOUTPUT=header_examples_test.cpp -P <this file>
#
# Each "\code" ... "\endcode" block of "///" comment lines becomes one test. Inside a block:
#   CALL;  // -> RESULT     checks that CALL gives RESULT
#   // NAME is VALUE        checks that the text (or number) NAME, or NAME[i], holds VALUE
# and every other line is compiled as it stands, with `math` a CMathOperation. #line
# directives make compiler errors and test failures point at the header's own lines.
cmake_minimum_required(VERSION 3.25)

file(READ "${HEADER}" header)
# CMake lists split at ";" and treat "[" and "]" specially: hide them while splitting lines.
string(REPLACE ";" "@SEMICOLON@" header "${header}")
string(REPLACE "[" "@OPEN@" header "${header}")
string(REPLACE "]" "@CLOSE@" header "${header}")
string(REPLACE "\n" ";" lines "${header}")

set(tests "")
set(in_block FALSE)
set(line_number 0)
set(block_count 0)
# Every member documented in the header shows an example, or copies the contract (and example)
# of the flavour it mirrors; only the lifecycle members, which do nothing visible, have none.
set(doc_block FALSE)
set(block_has_example FALSE)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(NOT line MATCHES "^ *///(.*)$")
    if(in_block)
      message(FATAL_ERROR "${HEADER}:${line_number}: example block not closed")
    endif()
    if(doc_block AND line MATCHES "^  [a-z].*[A-Za-z0-9_]\\(" AND NOT line MATCHES "CMathOperation"
       AND NOT block_has_example)
      message(FATAL_ERROR "${HEADER}:${line_number}: the member has no example")
    endif()
    set(doc_block FALSE)
    set(block_has_example FALSE)
    continue()
  endif()
  set(doc_block TRUE)
  string(REGEX REPLACE "^ " "" content "${CMAKE_MATCH_1}")
  if(content MATCHES "^\\\\(copydoc|copydetails) ")
    set(block_has_example TRUE)
  endif()
  if(content STREQUAL "\\code")
    set(block_has_example TRUE)
    set(in_block TRUE)
    math(EXPR block_count "${block_count} + 1")
    string(APPEND tests "\nTEST(HeaderExample, Line${line_number}) {\n"
                        "  CMathOperation math;\n  static_cast<void>(math);\n")
    continue()
  endif()
  if(NOT in_block)
    continue()
  endif()
  if(content STREQUAL "\\endcode")
    set(in_block FALSE)
    string(APPEND tests "}\n")
    continue()
  endif()
  set(where "\"CMathOperation.h:${line_number}\"")
  if(content MATCHES "^(.*)@SEMICOLON@  // -> (.*)$")
    set(code "corvix_example::ExpectResult(${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, ${where})@SEMICOLON@")
  elseif(content MATCHES "^// ([A-Za-z_][A-Za-z0-9_]*(@OPEN@[0-9]+@CLOSE@)?) is (.*)$")
    set(code "corvix_example::ExpectIs(${CMAKE_MATCH_1}, ${CMAKE_MATCH_3}, ${where})@SEMICOLON@")
  else()
    set(code "${content}")
  endif()
  string(APPEND tests "#line ${line_number} \"${HEADER}\"\n  ${code}\n")
endforeach()

if(block_count EQUAL 0)
  message(FATAL_ERROR "${HEADER}: no examples found")
endif()

string(REPLACE "@SEMICOLON@" ";" tests "${tests}")
string(REPLACE "@OPEN@" "[" tests "${tests}")
string(REPLACE "@CLOSE@" "]" tests "${tests}")
file(WRITE "${OUTPUT}.new"
     "// Generated from ${HEADER} by extract_header_examples.cmake; do not edit.\n"
     "#include \"CMathOperation.h\"\n#include \"CorvixLimits.h\"\n"
     "#include \"header_example.h\"\n${tests}")
# Rewrite only on a change, so an unchanged header does not rebuild the program.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
