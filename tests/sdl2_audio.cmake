# The SDL2 audio engine's own tests: the effect mixer, sample-time scheduling, FluidSynth rendering checked
# with sox, and the fall-back to SDL's dummy driver. Built only with the SDL2 backend.
if(TARGET vorna_sdl2_backend)
  file(GLOB sdl2_audio_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sdl2_audio/*.cpp)
  add_executable(vorna_sdl2_audio_tests ${sdl2_audio_test_sources})
  target_link_libraries(vorna_sdl2_audio_tests PRIVATE vorna_sdl2_backend vorna_headless_backend GTest::gtest
                                                       GTest::gtest_main)
  target_compile_definitions(vorna_sdl2_audio_tests PRIVATE VORNA_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
                                                            VORNA_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  add_test(NAME sdl2_audio COMMAND vorna_sdl2_audio_tests)
  set_tests_properties(sdl2_audio PROPERTIES TIMEOUT 300 ENVIRONMENT "SDL_AUDIODRIVER=dummy")
endif()
