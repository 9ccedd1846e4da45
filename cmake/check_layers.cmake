# Fails when a source file includes a header of a layer above its own, or when
# a header of the operating system appears outside the win32 back-end and the
# program's entry point. Run as: cmake -DSOURCE_DIR=<repository> -P check_layers.cmake
#
#   platform (with ui/)  <-  store  <-  tracking  <-  transmit  <-  popup, abbreviations
#     <-  mainwindow, options, help, picker (the windows)  <-  app
#   platform/sim and platform/win32 are back-ends: they use platform alone,
#   and only the entry point app/main.cpp picks one.
#
# Every #include is read, in both forms, and found as the compiler finds it:
# "..." first beside the including file, then (both forms) below src/, then
# among the generated headers (cmake/*.h.in), then in the system. What is found
# below src/ is judged by its layer, whichever form named it.
#
# A path with ".." is refused outright rather than resolved: every header of
# src/ is named from src/ ("store/snippet_file.h"), so a climb is never needed,
# and one can leave src/ for files no layer covers (tests/, a build folder);
# what a reader sees in the line is then what the check judges.
#
# Outside platform/win32/ and app/main.cpp, a header from the system must be one
# of the C++ standard library below (and the sim back-end may ask its host for
# a file's status): everything else is foreign there. A list of what is allowed
# cannot be outrun by the system's thousands of headers and their spellings
# (<wingdi.h>, <WinUser.h>, <minwindef.h>, <shlwapi.h>), as a list of what is
# forbidden would be.
cmake_minimum_required(VERSION 3.25)

set(rank_platform 0)
set(rank_store 1)
set(rank_tracking 2)
set(rank_transmit 3)
set(rank_popup 4)
set(rank_abbreviations 4)
set(rank_mainwindow 5)
set(rank_options 5)
set(rank_help 5)
set(rank_picker 5)
set(rank_app 6)
set(rank_sim 0)
set(rank_win32 0)

# The headers of the C++ standard library (C++23), with the C library's in
# both spellings.
set(standard_headers
  algorithm any array atomic barrier bit bitset charconv chrono codecvt compare
  complex concepts condition_variable coroutine deque exception execution
  expected filesystem flat_map flat_set format forward_list fstream functional
  future generator initializer_list iomanip ios iosfwd iostream istream iterator
  latch limits list locale map mdspan memory memory_resource mutex new numbers
  numeric optional ostream print queue random ranges ratio regex
  scoped_allocator semaphore set shared_mutex source_location span spanstream
  sstream stack stacktrace stdexcept stdfloat stop_token streambuf string
  string_view strstream syncstream system_error text_encoding thread tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray
  variant vector version
  cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp
  csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar
  cwctype
  assert.h ctype.h errno.h fenv.h float.h inttypes.h limits.h locale.h math.h
  setjmp.h signal.h stdarg.h stddef.h stdint.h stdio.h stdlib.h string.h time.h
  uchar.h wchar.h wctype.h)
# System headers a layer may use besides those: the sim back-end reads its
# host's file times (POSIX).
set(system_headers_sim sys/stat.h)

# The generated headers (cmake/version.h.in gives version.h), on the include
# path of every layer.
file(GLOB templates RELATIVE "${SOURCE_DIR}/cmake" "${SOURCE_DIR}/cmake/*.h.in")
list(TRANSFORM templates REPLACE "\\.in$" "")
set(generated_headers ${templates})

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

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src"
  "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.hh" "${SOURCE_DIR}/src/*.hpp" "${SOURCE_DIR}/src/*.hxx"
  "${SOURCE_DIR}/src/*.inl" "${SOURCE_DIR}/src/*.ipp"
  "${SOURCE_DIR}/src/*.c" "${SOURCE_DIR}/src/*.cc" "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.cxx")
set(faults "")
foreach(file ${sources})
  layer_of("${file}" from)
  if(NOT DEFINED rank_${from})
    string(APPEND faults "  ${file}: lies in no known layer\n")
    continue()
  endif()
  set(system_allowed FALSE)
  if(from STREQUAL "win32" OR file STREQUAL "app/main.cpp")
    set(system_allowed TRUE)
  endif()
  get_filename_component(folder "${file}" DIRECTORY)

  # Every directive that includes, also with blanks, the digraph %: or a
  # macro in place of the name (which is refused: the check cannot see it).
  file(STRINGS "${SOURCE_DIR}/src/${file}" includes
    REGEX "^[ \t]*(#|%:)[ \t]*(include|include_next|import)([^a-zA-Z0-9_]|$)")
  foreach(line ${includes})
    if(line MATCHES "^[ \t]*(#|%:)[ \t]*[a-z_]+[ \t]*\"([^\"]*)\"")
      set(quoted TRUE)
    elseif(line MATCHES "^[ \t]*(#|%:)[ \t]*[a-z_]+[ \t]*<([^>]*)>")
      set(quoted FALSE)
    else()
      string(STRIP "${line}" line)
      string(APPEND faults "  ${file}: '${line}' names no header plainly as \"...\" or <...>\n")
      continue()
    endif()
    set(name "${CMAKE_MATCH_2}")
    if(quoted)
      set(shown "\"${name}\"")
    else()
      set(shown "<${name}>")
    endif()
    if(name MATCHES "(^|[/\\\\])\\.\\.([/\\\\]|$)")
      set(climbed "${folder}/${name}")
      cmake_path(NORMAL_PATH climbed)
      string(APPEND faults "  ${file}: includes ${shown}, a path that climbs with .. (to src/${climbed}): "
        "name it from src/\n")
      continue()
    endif()

    # Found as the compiler finds it.
    set(target "")
    if(quoted AND EXISTS "${SOURCE_DIR}/src/${folder}/${name}"
       AND NOT IS_DIRECTORY "${SOURCE_DIR}/src/${folder}/${name}")
      set(target "${folder}/${name}")
    elseif(EXISTS "${SOURCE_DIR}/src/${name}" AND NOT IS_DIRECTORY "${SOURCE_DIR}/src/${name}")
      set(target "${name}")
    endif()
    if(target STREQUAL "")
      if(name IN_LIST generated_headers OR system_allowed OR name IN_LIST standard_headers
         OR name IN_LIST system_headers_${from})
        continue()
      endif()
      string(APPEND faults "  ${file}: includes ${shown}, which is neither a header of src/ nor one of "
        "the C++ standard library (the system's headers belong to platform/win32/ and app/main.cpp)\n")
      continue()
    endif()
    cmake_path(NORMAL_PATH target)

    layer_of("${target}" to)
    if(NOT DEFINED rank_${to})
      string(APPEND faults "  ${file}: includes ${shown} (${target}), which lies in no known layer\n")
      continue()
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
      string(APPEND faults "  ${file}: includes ${shown} (${from} may not use ${to})\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that break the layers:\n${faults}")
endif()
list(LENGTH sources count)
message(STATUS "Layers hold: ${count} files checked")
