# Run by ctest each time it starts: one test per recorded case folder GROUP/NAME
# as it finds them now, so that a new folder runs without a rebuild or a C++
# change. The filters name the tests as the case runner names its parameters.
# The native suite leaves out the group `windows`, the Windows suite none.
file(GLOB folders LIST_DIRECTORIES true RELATIVE "@CASES_DIR@" "@CASES_DIR@/*/*")
foreach(case IN LISTS folders)
  get_filename_component(group "${case}" DIRECTORY)
  if(IS_DIRECTORY "@CASES_DIR@/${case}" AND NOT "${group}" STREQUAL "@CASES_LEFT_OUT@")
    string(MAKE_C_IDENTIFIER "${case}" id)
    add_test("@CASES_PREFIX@case.${case}" "@CASES_EXE@" "--gtest_filter=Folder/Case.MatchesItsFolder/${id}")
    # A filter that names no test would pass without running one.
    set_tests_properties("@CASES_PREFIX@case.${case}" PROPERTIES @CASES_PROPERTIES@
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\." SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test")
  endif()
endforeach()
