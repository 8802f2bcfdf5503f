# Runs one example program and compares what it prints with its expected output.
#   cmake -DPROGRAM=... [-DEMULATOR=...] -DEXPECTED=file.txt -P compare_output.cmake
# Line ends are compared without carriage returns, as Windows programs print them.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${EMULATOR} ${PROGRAM} OUTPUT_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${status}")
endif()
string(REPLACE "\r" "" output "${output}")
file(READ "${EXPECTED}" expected)
if(NOT output STREQUAL expected)
  file(WRITE "${PROGRAM}.out.txt" "${output}")
  message(FATAL_ERROR "The output of ${PROGRAM} differs from ${EXPECTED}; it is in "
                      "${PROGRAM}.out.txt:\n${output}")
endif()
