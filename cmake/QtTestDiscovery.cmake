# One ctest test per Qt Test function, the way gtest_discover_tests does it for
# GoogleTest: after each link the executable lists its functions (-functions)
# into a ctest file, and ctest runs "<executable> <function>" for each, so a
# failure names the behaviour and one function can be run again by its name.
# Every row of a data-driven function runs in that function's one test.

set(_TONEGRAPH_QT_TEST_LISTER "${CMAKE_CURRENT_LIST_DIR}/QtTestDiscoveryAdd.cmake")

# tonegraph_discover_qt_tests(<target> LABEL <label>)
# Tests are named "<target>.<function>" and run offscreen.
function(tonegraph_discover_qt_tests ATarget)
  cmake_parse_arguments(PARSE_ARGV 1 A "" "LABEL" "")
  set(Listed "${CMAKE_CURRENT_BINARY_DIR}/${ATarget}_functions.cmake")
  set(Include "${CMAKE_CURRENT_BINARY_DIR}/${ATarget}_include.cmake")
  add_custom_command(TARGET ${ATarget} POST_BUILD
    BYPRODUCTS "${Listed}"
    COMMAND "${CMAKE_COMMAND}"
            -D "TEST_EXECUTABLE=$<TARGET_FILE:${ATarget}>"
            -D "TEST_PREFIX=${ATarget}"
            -D "TEST_LABEL=${A_LABEL}"
            -D "CTEST_FILE=${Listed}"
            -P "${_TONEGRAPH_QT_TEST_LISTER}"
    VERBATIM)
  # Until the executable is built there is nothing to list; ctest then shows
  # that instead of failing to read the file.
  file(WRITE "${Include}"
    "if(EXISTS \"${Listed}\")\n"
    "  include(\"${Listed}\")\n"
    "else()\n"
    "  add_test(${ATarget}_NOT_BUILT ${ATarget}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${Include}")
endfunction()
