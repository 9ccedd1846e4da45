# The program's version is stated once, in project(Scrivlet VERSION
# major.minor.revision) of the top CMakeLists.txt. From it come:
#   ${SCRIVLET_GENERATED_DIR}/version.h         the numbers for the code
#   ${SCRIVLET_GENERATED_DIR}/scrivlet.manifest and scrivlet.rc (Windows builds)
#   ${SCRIVLET_GENERATED_DIR}/version.txt       the short form for scripts/dist
# The short form is "major.minor" and, from revision 100 on, a letter for the
# revision rounded to hundreds (half to even): 2.3 revision 338 is "2.3c". The
# window captions compose it the same way at run time (versionText).

set(SCRIVLET_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

set(SCRIVLET_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(SCRIVLET_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(SCRIVLET_VERSION_REVISION ${PROJECT_VERSION_PATCH})

set(SCRIVLET_VERSION_LETTER "")
if(SCRIVLET_VERSION_REVISION GREATER_EQUAL 100)
  math(EXPR hundreds "${SCRIVLET_VERSION_REVISION} / 100")
  math(EXPR rest "${SCRIVLET_VERSION_REVISION} % 100")
  math(EXPR odd "${hundreds} % 2")
  if(rest GREATER 50 OR (rest EQUAL 50 AND odd EQUAL 1))
    math(EXPR hundreds "${hundreds} + 1")
  endif()
  math(EXPR letter_code "96 + ${hundreds}")
  string(ASCII ${letter_code} SCRIVLET_VERSION_LETTER)
endif()
set(SCRIVLET_VERSION_SHORT "${SCRIVLET_VERSION_MAJOR}.${SCRIVLET_VERSION_MINOR}${SCRIVLET_VERSION_LETTER}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${SCRIVLET_GENERATED_DIR}/version.h @ONLY)
file(CONFIGURE OUTPUT ${SCRIVLET_GENERATED_DIR}/version.txt CONTENT "@SCRIVLET_VERSION_SHORT@\n" @ONLY)

if(SCRIVLET_WINDOWS)
  set(SCRIVLET_MANIFEST ${SCRIVLET_GENERATED_DIR}/scrivlet.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/src/app/scrivlet.manifest.in ${SCRIVLET_MANIFEST} @ONLY)
  set(SCRIVLET_RESOURCES ${SCRIVLET_GENERATED_DIR}/scrivlet.rc)
  configure_file(${PROJECT_SOURCE_DIR}/src/app/scrivlet.rc.in ${SCRIVLET_RESOURCES} @ONLY)
  # The resource compiler embeds the manifest's bytes.
  set_source_files_properties(${SCRIVLET_RESOURCES} PROPERTIES OBJECT_DEPENDS ${SCRIVLET_MANIFEST})
endif()
