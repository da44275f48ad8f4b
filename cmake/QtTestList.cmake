# SPDX-License-Identifier: GPL-3.0-or-later
# Run by orbisk_discover_qtests after a build: writes OUTPUT, one ctest entry
# per test function PROGRAM lists, named CLASS.function.
execute_process(COMMAND ${PROGRAM} -functions
  OUTPUT_VARIABLE listed ERROR_VARIABLE said RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} -functions failed (${status}): ${said}")
endif()
string(REPLACE "|" ";" environment "${ENVIRONMENT}")
set(entries "")
string(REPLACE "\n" ";" lines "${listed}")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
    continue()
  endif()
  set(name "${CLASS}.${CMAKE_MATCH_1}")
  string(APPEND entries
    "add_test([==[${name}]==] [==[${PROGRAM}]==] [==[${CMAKE_MATCH_1}]==])\n"
    "set_tests_properties([==[${name}]==] PROPERTIES LABELS [==[${LABELS}]==] "
    "TIMEOUT ${TIMEOUT} ENVIRONMENT [==[${environment}]==])\n")
endforeach()
if(entries STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} lists no test function")
endif()
file(WRITE ${OUTPUT} "${entries}")
