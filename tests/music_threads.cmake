# The music player against threaded stream devices: its own small binary, so that a ThreadSanitizer
# build (make test-tsan) needs only the core, the headless backend and these tests.
file(GLOB music_thread_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/threads/*.cpp)
find_package(Threads REQUIRED)
add_executable(vorna_music_threads ${music_thread_sources})
target_link_libraries(vorna_music_threads PRIVATE vorna_headless_backend GTest::gtest GTest::gtest_main Threads::Threads)
if(TARGET vorna_sdl2_audio_for_tests)
  target_link_libraries(vorna_music_threads PRIVATE vorna_sdl2_audio_for_tests)
endif()
target_compile_definitions(vorna_music_threads PRIVATE VORNA_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata")
add_test(NAME music_threads COMMAND vorna_music_threads)
set_tests_properties(music_threads PROPERTIES TIMEOUT 300)
