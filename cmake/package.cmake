# Packs one Windows build for handing out: a folder with what the user gets,
# the per-user installer made from it with NSIS, and on request the portable
# zip of the same folder. Run in script mode:
#
#   cmake -DSOURCE_DIR=<repository> -DBUILD_DIR=<win64 or win32 build tree>
#         -DARCH=x64|x86 -DOUT_DIR=<folder> [-DREQUIRE_HELP=ON] [-DMAKE_ZIP=ON]
#         [-DMAKENSIS=<path>] -P cmake/package.cmake
#
# It leaves OUT_DIR/scrivlet-<short version>-setup-<ARCH>.exe and, with
# MAKE_ZIP, OUT_DIR/scrivlet-<short version>-<ARCH>.zip. The help pages
# (hilfe/ at the repository's root) belong in every package; only a build for
# the tests (REQUIRE_HELP off) may go without them.
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE_DIR BUILD_DIR ARCH OUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "package.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT ARCH MATCHES "^(x64|x86)$")
  message(FATAL_ERROR "package.cmake: ARCH must be x64 or x86, not '${ARCH}'")
endif()
if(NOT MAKENSIS)
  find_program(MAKENSIS makensis)
endif()
if(NOT MAKENSIS)
  message(FATAL_ERROR "package.cmake: makensis not found (Debian package nsis)")
endif()

set(exe ${BUILD_DIR}/scrivlet.exe)
set(versions ${BUILD_DIR}/generated/version.nsh)
foreach(file ${exe} ${versions} ${BUILD_DIR}/generated/version.txt)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "package.cmake: ${file} is missing; build the program first")
  endif()
endforeach()
file(STRINGS ${BUILD_DIR}/generated/version.txt VERSION_SHORT LIMIT_COUNT 1)
file(STRINGS ${versions} version_line REGEX "define VERSION \"")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" VERSION "${version_line}")

set(help ${SOURCE_DIR}/hilfe)
set(have_help OFF)
if(IS_DIRECTORY ${help})
  file(GLOB_RECURSE help_files ${help}/*)
  if(help_files)
    set(have_help ON)
  endif()
endif()
if(REQUIRE_HELP AND NOT have_help)
  message(FATAL_ERROR "The help pages are missing: ${help} must hold the pages "
    "(index.htm and what it shows). Every package carries them.")
endif()

# What the user gets, in one folder.
set(stage ${BUILD_DIR}/package/stage-${ARCH})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage} ${OUT_DIR})
file(COPY ${exe} ${SOURCE_DIR}/sample/sample.ini DESTINATION ${stage})
if(have_help)
  file(COPY ${help} DESTINATION ${stage})
endif()

# LIESMICH.txt as Notepad reads it everywhere: Windows-1252, CR LF.
# The oldest Windows the program is built for (_WIN32_WINNT) is 7; the
# library search it restricts at start came with Service Pack 1's updates.
if(ARCH STREQUAL "x64")
  set(ARCHITECTURE "64 Bit, für 64-Bit-Windows ab Windows 7 SP1")
else()
  set(ARCHITECTURE "32 Bit, für 32- und 64-Bit-Windows ab Windows 7 SP1")
endif()
file(READ ${SOURCE_DIR}/packaging/LIESMICH.txt readme)
string(CONFIGURE "${readme}" readme @ONLY)
# The title's underline as long as the title, whatever the version's length.
string(REGEX MATCH "^[^\r\n]*" title "${readme}")
string(LENGTH "${title}" title_length)
string(REPEAT "=" ${title_length} rule)
string(REGEX REPLACE "\n=+" "\n${rule}" readme "${readme}")
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${stage}/LIESMICH.utf8 "${readme}")
execute_process(COMMAND iconv -f UTF-8 -t CP1252 ${stage}/LIESMICH.utf8
  OUTPUT_FILE ${stage}/LIESMICH.txt RESULT_VARIABLE status)
file(REMOVE ${stage}/LIESMICH.utf8)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "package.cmake: LIESMICH.txt could not be written in Windows-1252")
endif()

set(installer ${OUT_DIR}/scrivlet-${VERSION_SHORT}-setup-${ARCH}.exe)
set(nsis_defines -DSTAGE=${stage} -DOUTFILE=${installer} -DARCH=${ARCH} -DVERSIONS=${versions})
if(NOT have_help)
  list(APPEND nsis_defines -DNO_HELP)
endif()
execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 ${nsis_defines}
    ${SOURCE_DIR}/packaging/scrivlet.nsi
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "makensis failed:\n${out}")
endif()
message(STATUS "${installer}")

if(MAKE_ZIP)
  set(zip ${OUT_DIR}/scrivlet-${VERSION_SHORT}-${ARCH}.zip)
  file(REMOVE ${zip})
  file(GLOB contents RELATIVE ${stage} ${stage}/*)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${contents}
    WORKING_DIRECTORY ${stage} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "package.cmake: ${zip} could not be written")
  endif()
  message(STATUS "${zip}")
endif()
