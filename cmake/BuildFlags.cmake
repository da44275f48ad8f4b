# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's build flags, hardening included (fortified functions, stack
# protector, read-only relocations bound now) and the source path mapped
# away, for every optimised build; the sanitizer and fuzzing builds and the
# debug build bring their own, and a package build gives them through the
# environment already.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS OR ORBISK_SANITIZE OR ORBISK_FUZZ OR CMAKE_BUILD_TYPE STREQUAL "Debug"
   OR "$ENV{CXXFLAGS}" MATCHES "_FORTIFY_SOURCE")
  return()
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()
