# Windows test programs run under Wine once per test suite: a failure names
# its suite, and every suite starts in a fresh prefix of its own.
#
#   scrivlet_add_wine_suites(<group> <target> SOURCES <files>... [ENVIRONMENT <vars>])
#
# adds the CTest entries <group>/<Suite>, one for every suite defined in the
# sources (outside // comments) by TEST, TEST_F, TEST_P, TYPED_TEST or
# TYPED_TEST_P, and a last entry <group>/NotListed that runs every test of the
# program outside those suites, so that none can go unrun. That entry fails
# when it finds any, since their suite is defined in a way the reading below
# does not know and has no entry of its own; an entry whose suite has no tests
# fails too. Every entry runs under scripts/wine-run, labelled "wine".
function(scrivlet_add_wine_suites group target)
  cmake_parse_arguments(arg "" "" "SOURCES;ENVIRONMENT" ${ARGN})
  set(plain_suites "")
  set(typed_suites "")
  foreach(source IN LISTS arg_SOURCES)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
    file(READ "${source}" text)
    string(REGEX REPLACE "//[^\n]*" "" text "${text}")
    string(REGEX MATCHALL
      "[^A-Za-z0-9_](TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P)[ \t\r\n]*\\([ \t\r\n]*[A-Za-z_][A-Za-z0-9_]*"
      definitions "${text}")
    foreach(definition IN LISTS definitions)
      string(REGEX REPLACE ".*\\([ \t\r\n]*" "" suite "${definition}")
      if(definition MATCHES "TYPED_TEST")
        list(APPEND typed_suites "${suite}")
      else()
        list(APPEND plain_suites "${suite}")
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES plain_suites)
  list(REMOVE_DUPLICATES typed_suites)
  set(suites ${plain_suites} ${typed_suites})
  list(REMOVE_DUPLICATES suites)
  list(SORT suites)

  # A suite's tests are Suite.Test, or Prefix/Suite.Test/Case when instantiated
  # with values, or Suite/0.Test and Prefix/Suite/0.Test when typed.
  set(everything "")
  foreach(suite IN LISTS suites)
    set(patterns "")
    if(suite IN_LIST plain_suites)
      list(APPEND patterns "${suite}.*" "*/${suite}.*")
    endif()
    if(suite IN_LIST typed_suites)
      list(APPEND patterns "${suite}/*" "*/${suite}/*")
    endif()
    string(JOIN ":" filter ${patterns})
    list(APPEND everything ${patterns})
    scrivlet_add_wine_run(${group}/${suite} ${target} "${filter}" "${arg_ENVIRONMENT}")
    set_property(TEST ${group}/${suite} APPEND PROPERTY FAIL_REGULAR_EXPRESSION "Running 0 tests from")
  endforeach()

  string(JOIN ":" listed ${everything})
  scrivlet_add_wine_run(${group}/NotListed ${target} "-${listed}" "${arg_ENVIRONMENT}")
  set_property(TEST ${group}/NotListed APPEND PROPERTY FAIL_REGULAR_EXPRESSION "Running [1-9]")
endfunction()

# One run of the program under scripts/wine-run, in a prefix and on a display
# of its own, with only the tests that the filter lets through.
function(scrivlet_add_wine_run name target filter environment)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run
    $<TARGET_FILE:${target}> --gtest_color=no "--gtest_filter=${filter}")
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 1800)
  if(environment)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
  endif()
endfunction()
