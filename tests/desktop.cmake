# The desktop program's tests: its portable pieces as unit tests, and smoke tests of vorna under Xvfb.
if(NOT TARGET vorna_sdl2_backend)
  return()
endif()
target_link_libraries(vorna_tests PRIVATE vorna_sdl2_backend)
target_compile_definitions(vorna_tests PRIVATE VORNA_HAVE_DESKTOP=1)
