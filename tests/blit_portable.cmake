# The blitter's portable row kernels (no SSE2), built apart and checked by the same surface tests.
add_executable(vorna_blit_portable_tests ${CMAKE_SOURCE_DIR}/src/gfx/surface.cpp
                                         ${CMAKE_CURRENT_SOURCE_DIR}/unit/gfx_blit_reference_test.cpp
                                         ${CMAKE_CURRENT_SOURCE_DIR}/unit/gfx_surface_test.cpp)
target_compile_definitions(vorna_blit_portable_tests PRIVATE VORNA_NO_SIMD)
target_include_directories(vorna_blit_portable_tests PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(vorna_blit_portable_tests PRIVATE GTest::gtest GTest::gtest_main)
gtest_discover_tests(vorna_blit_portable_tests TEST_PREFIX "portable." DISCOVERY_TIMEOUT 60)
