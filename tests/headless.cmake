# Scenario tests that run the vorna-headless program itself, and the runner library for the unit tests.
find_package(PNG REQUIRED)
target_link_libraries(vorna_tests PRIVATE vorna_headless_runner PNG::PNG)
