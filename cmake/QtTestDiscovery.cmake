# SPDX-License-Identifier: GPL-3.0-or-later
# QtTest programs' test functions as ctest entries, listed by each program
# itself (-functions) after every build: a new function is a test at once,
# and a program that cannot list its functions fails the build.
set(ORBISK_QTEST_LIST_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/QtTestList.cmake)

# orbisk_discover_qtests(TARGET CLASS LABELS label TIMEOUT seconds ENVIRONMENT "A=1;B=2")
function(orbisk_discover_qtests target class)
  cmake_parse_arguments(ARG "" "LABELS;TIMEOUT" "ENVIRONMENT" ${ARGN})
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_qtests.cmake)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_qtests_include.cmake)
  # Semicolons would split the value on the command line below.
  string(REPLACE ";" "|" environment "${ARG_ENVIRONMENT}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DCLASS=${class}
            -DOUTPUT=${list_file} -DLABELS=${ARG_LABELS} -DTIMEOUT=${ARG_TIMEOUT}
            -DENVIRONMENT=${environment} -P ${ORBISK_QTEST_LIST_SCRIPT}
    BYPRODUCTS ${list_file}
    VERBATIM)
  file(WRITE ${include_file}
    "if(EXISTS \"${list_file}\")\n  include(\"${list_file}\")\nelse()\n"
    "  add_test(${class}.NOT_BUILT ${target}_not_built)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
