# Run after a Qt Test executable is linked (cmake -P): writes one add_test per
# test function that "<executable> -functions" lists.
# In: TEST_EXECUTABLE, TEST_PREFIX, TEST_LABEL, CTEST_FILE.

execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "${TEST_EXECUTABLE}" -functions
  OUTPUT_VARIABLE Output
  ERROR_VARIABLE Errors
  RESULT_VARIABLE Result
  TIMEOUT 60)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "Listing the test functions of ${TEST_EXECUTABLE} failed (${Result}):\n${Output}${Errors}")
endif()

# The list has one "Name()" per line.
string(REPLACE "\n" ";" Lines "${Output}")
set(Functions "")
foreach(Line IN LISTS Lines)
  if(Line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
    list(APPEND Functions "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT Functions)
  message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test functions:\n${Output}${Errors}")
endif()

# The window remembers choices and recent files in the user's settings; the
# tests keep theirs in the build tree instead of the developer's own.
get_filename_component(ListDir "${CTEST_FILE}" DIRECTORY)
set(Settings "${ListDir}/test-settings")

set(Content "")
foreach(Function IN LISTS Functions)
  set(Name "${TEST_PREFIX}.${Function}")
  string(APPEND Content
    "add_test([==[${Name}]==] [==[${TEST_EXECUTABLE}]==] [==[${Function}]==])\n"
    "set_tests_properties([==[${Name}]==] PROPERTIES\n"
    "  ENVIRONMENT [==[QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${Settings}]==] LABELS [==[${TEST_LABEL}]==])\n")
endforeach()
file(WRITE "${CTEST_FILE}" "${Content}")
