# Fails when a parameterised test row prints as raw bytes or as a pointer in a test listing.
#   cmake "-DPROGRAMS=<test program>;..." -P row_names.cmake
cmake_minimum_required(VERSION 3.25)

set(failures 0)
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND "${program}" --gtest_list_tests OUTPUT_VARIABLE listing
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "${program} --gtest_list_tests failed (${rc})")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  string(REGEX MATCHALL "[^\n]*GetParam\\(\\) = [^\n]*(-byte object <|pointing to)[^\n]*"
         unreadable "${listing}")
  foreach(row IN LISTS unreadable)
    message(SEND_ERROR "${program}: a row without a printable name:${row}")
    math(EXPR failures "${failures} + 1")
  endforeach()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} rows print as bytes; give their row type a PrintTo")
endif()
