# The desktop program vorna, built beside the backend so that make run finds it at build/src/backends/sdl2/vorna.
add_executable(vorna ${CMAKE_SOURCE_DIR}/src/programs/vorna_main.cpp)
target_link_libraries(vorna PRIVATE vorna_sdl2_backend vorna_session vorna_headless_backend vorna_embedded_assets)
# The SDL2 audio devices, once their sources are in the tree; until then the program runs silent.
file(GLOB vorna_audio_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sdl2_audio*.cpp)
if(vorna_audio_sources)
  target_compile_definitions(vorna PRIVATE VORNA_HAVE_SDL2_AUDIO=1)
endif()
