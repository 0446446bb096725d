# Run by ctest each time it starts: one test per recorded case folder as it
# finds them now, so that a new folder runs without a rebuild or a C++ change.
# The test names are those the case runner gives its parameters.
file(GLOB folders LIST_DIRECTORIES true "@CASES_DIR@/*")
foreach(dir IN LISTS folders)
  if(IS_DIRECTORY "${dir}")
    get_filename_component(name "${dir}" NAME)
    string(MAKE_C_IDENTIFIER "cases_${name}" id)
    add_test("case.${name}" "@CASES_EXE@" "--gtest_filter=Folder/Case.MatchesItsFolder/${id}")
    # A filter that names no test would pass without running one.
    set_tests_properties("case.${name}" PROPERTIES PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\.")
  endif()
endforeach()
