# Fails when a source file includes a header of a layer above its own, or when
# Windows headers appear outside the win32 back-end and the program's entry
# point. Run as: cmake -DSOURCE_DIR=<repository> -P check_layers.cmake
#
#   platform (with ui/)  <-  store  <-  tracking  <-  transmit  <-  popup
#     <-  mainwindow, options, help, picker (the windows)  <-  app
#   platform/sim and platform/win32 are back-ends: they use platform alone,
#   and only the entry point app/main.cpp picks one.

set(rank_platform 0)
set(rank_store 1)
set(rank_tracking 2)
set(rank_transmit 3)
set(rank_popup 4)
set(rank_mainwindow 5)
set(rank_options 5)
set(rank_help 5)
set(rank_picker 5)
set(rank_app 6)
set(rank_sim 0)
set(rank_win32 0)

# The layer of a path below src/: the first folder, or the back-end's folder.
function(layer_of path out)
  if(path MATCHES "^platform/(sim|win32)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(path MATCHES "^([a-z0-9_]+)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(faults "")
foreach(file ${sources})
  layer_of("${file}" from)
  if(NOT DEFINED rank_${from})
    string(APPEND faults "  ${file}: lies in no known layer\n")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/src/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${includes})
    if(line MATCHES "[<\"](windows|winuser|shellapi|commctrl|richedit|commdlg|shlobj)\\.h[>\"]")
      if(NOT from STREQUAL "win32" AND NOT file STREQUAL "app/main.cpp")
        string(APPEND faults "  ${file}: includes a Windows header (${CMAKE_MATCH_1}.h)\n")
      endif()
      continue()
    endif()
    if(NOT line MATCHES "\"([^\"]+)\"")
      continue()
    endif()
    set(target "${CMAKE_MATCH_1}")
    layer_of("${target}" to)
    if(NOT DEFINED rank_${to})
      continue()  # a header of the same folder or of a library
    endif()
    set(allowed TRUE)
    if(to STREQUAL "sim" OR to STREQUAL "win32")
      # A back-end is seen only by itself and by the entry point.
      if(NOT to STREQUAL from AND NOT file STREQUAL "app/main.cpp")
        set(allowed FALSE)
      endif()
    elseif(rank_${to} GREATER rank_${from})
      set(allowed FALSE)
    elseif(rank_${to} EQUAL rank_${from} AND NOT to STREQUAL from
           AND NOT (from STREQUAL "sim" OR from STREQUAL "win32") AND NOT to STREQUAL "platform")
      # The windows do not reach into each other; the program wires them.
      set(allowed FALSE)
    endif()
    if(NOT allowed)
      string(APPEND faults "  ${file}: includes ${target} (${from} may not use ${to})\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that break the layers:\n${faults}")
endif()
list(LENGTH sources count)
message(STATUS "Layers hold: ${count} files checked")
