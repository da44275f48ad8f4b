# SPDX-License-Identifier: GPL-3.0-or-later
# One library per folder, each linked only to the layers below it.
#
# orbisk_layer(NAME DIRECTORY [QT] [LAYERS lower...] [LIBS external...]) builds
# the folder's sources into NAME (QT: with Qt's meta-object compiler). Its link check is a shared object made of the
# whole library with nothing but what it names, linked with --no-undefined:
# code that calls a layer it does not name, or a layer above it, fails that
# link, so the picture in the folder names stays the picture in the code.
# Sanitizer builds skip the checks; their runtimes are not linked into
# shared objects.
set(ORBISK_LAYER_CHECK_SOURCE ${CMAKE_BINARY_DIR}/layer_check.cpp)
file(WRITE ${ORBISK_LAYER_CHECK_SOURCE} "// Every symbol of a layer must resolve below it.\n")

function(orbisk_layer name directory)
  cmake_parse_arguments(LAYER "QT" "" "LAYERS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${directory}/*.cpp)
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC ${LAYER_QT})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src/generated)
  target_link_libraries(${name} PUBLIC ${LAYER_LAYERS} ${LAYER_LIBS})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR}/${directory})
  string(REGEX REPLACE "/\\.?$" "" folder "${folder}")
  set_property(GLOBAL APPEND PROPERTY ORBISK_LAYERS ${name})
  set_property(GLOBAL PROPERTY ORBISK_LAYER_FOLDER_${name} ${folder})
  set_property(GLOBAL PROPERTY ORBISK_LAYER_LOWER_${name} ${LAYER_LAYERS})
  if(ORBISK_SANITIZE OR ORBISK_FUZZ)
    return()
  endif()
  add_library(${name}_link_check SHARED ${ORBISK_LAYER_CHECK_SOURCE})
  target_link_libraries(${name}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
  target_link_options(${name}_link_check PRIVATE -Wl,--no-undefined)
  set_target_properties(${name}_link_check PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/layer_checks)
endfunction()

# Headers are not linked, so a second check reads them: layers.txt names each
# layer's folder and every folder below it, and CheckLayerIncludes.cmake
# fails on an include of any other folder of src/.
function(orbisk_write_layer_map file)
  get_property(layers GLOBAL PROPERTY ORBISK_LAYERS)
  set(lines "")
  foreach(layer ${layers})
    set(reached "")
    set(pending ${layer})
    while(pending)
      list(POP_FRONT pending next)
      if(NOT next IN_LIST reached)
        list(APPEND reached ${next})
        get_property(lower GLOBAL PROPERTY ORBISK_LAYER_LOWER_${next})
        list(APPEND pending ${lower})
      endif()
    endwhile()
    set(folders "")
    foreach(next ${reached})
      get_property(folder GLOBAL PROPERTY ORBISK_LAYER_FOLDER_${next})
      list(APPEND folders ${folder})
    endforeach()
    list(JOIN folders " " folders)
    string(APPEND lines "${folders}\n")
  endforeach()
  file(WRITE ${file} "${lines}")
endfunction()
