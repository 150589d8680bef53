# Scenario tests that run the vorna-headless program itself, and the runner library for the unit tests.
find_package(PNG REQUIRED)
target_link_libraries(vorna_tests PRIVATE vorna_headless_runner PNG::PNG)

foreach(mode three_frames bad_script same_twice dump_frames)
  add_test(NAME headless.${mode}
           COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:vorna-headless> -DMODE=${mode}
                   -DWORK=${CMAKE_CURRENT_BINARY_DIR}/headless-work/${mode}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_headless_run.cmake)
endforeach()
