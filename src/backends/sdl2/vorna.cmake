# The desktop program vorna, built beside the backend so that make run finds it at build/src/backends/sdl2/vorna.
add_executable(vorna ${CMAKE_SOURCE_DIR}/src/programs/vorna_main.cpp)
target_link_libraries(vorna PRIVATE vorna_sdl2_backend vorna_session vorna_headless_backend vorna_embedded_assets)
