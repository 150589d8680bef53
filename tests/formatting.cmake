# Every tracked C++ source is as clang-format and the project's .clang-format make it.
find_program(VORNA_CLANG_FORMAT clang-format)
set(format_check ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_formatting.cmake)
add_test(NAME sources_are_formatted COMMAND ${CMAKE_COMMAND} "-DROOT=${CMAKE_SOURCE_DIR}"
                                            "-DCLANG_FORMAT=${VORNA_CLANG_FORMAT}" -P ${format_check})
set_tests_properties(sources_are_formatted PROPERTIES SKIP_REGULAR_EXPRESSION "skipped: ")

# Planted files prove the check passes a formatted source and names one that is off.
set(planted ${CMAKE_CURRENT_BINARY_DIR}/formatting-planted)
file(COPY ${CMAKE_SOURCE_DIR}/.clang-format DESTINATION ${planted})
file(WRITE ${planted}/tidy.cpp "// tidy\nint Twice(int x) {\n    return x * 2;\n}\n")
file(WRITE ${planted}/untidy.cpp "// untidy\nint  Twice( int x ){return x*2;}\n")
add_test(NAME sources_are_formatted.passes_a_formatted_file
         COMMAND ${CMAKE_COMMAND} "-DROOT=${planted}" "-DCLANG_FORMAT=${VORNA_CLANG_FORMAT}" "-DFILES=tidy.cpp" -P
                 ${format_check})
add_test(NAME sources_are_formatted.names_a_file_that_is_off
         COMMAND ${CMAKE_COMMAND} "-DROOT=${planted}" "-DCLANG_FORMAT=${VORNA_CLANG_FORMAT}" "-DFILES=tidy.cpp;untidy.cpp"
                 -P ${format_check})
set_tests_properties(sources_are_formatted.passes_a_formatted_file PROPERTIES SKIP_REGULAR_EXPRESSION "skipped: "
                     PASS_REGULAR_EXPRESSION "1 sources are formatted")
set_tests_properties(sources_are_formatted.names_a_file_that_is_off PROPERTIES SKIP_REGULAR_EXPRESSION "skipped: "
                     PASS_REGULAR_EXPRESSION "mends them\\):[ \n]+untidy\\.cpp\n")
