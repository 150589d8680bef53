# Includes point down the layers of src/; planted trees prove the check bites and lets a clean tree pass.
set(layers_check ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_layers.cmake)
add_test(NAME includes_point_down_the_layers COMMAND ${CMAKE_COMMAND} "-DROOT=${CMAKE_SOURCE_DIR}/src" -P
                                                     ${layers_check})

# A clean tree: every kind of downward include, a same-folder include and a generated header.
set(clean ${CMAKE_CURRENT_BINARY_DIR}/layers-clean)
file(WRITE ${clean}/base/game.h "#include \"platform/platform.h\"\n")
file(WRITE ${clean}/gfx/display.cpp "#include \"display.h\"\n#include \"gfx/display.h\"\n#include \"base/game.h\"\n")
file(WRITE ${clean}/scenes/intro.cpp "#include \"play/vorna.h\"\n#include \"music/music_player.h\"\n")
file(WRITE ${clean}/backends/sdl2/desk.cpp "#include \"app/version.h\"\n#include \"backends/sdl2/desk.h\"\n")
file(WRITE ${clean}/programs/main.cpp "#include \"backends/headless/files.h\"\n#include \"backends/sdl2/desk.h\"\n")
add_test(NAME includes_point_down_the_layers.passes_a_clean_tree COMMAND ${CMAKE_COMMAND} "-DROOT=${clean}" -P
                                                                        ${layers_check})
set_tests_properties(includes_point_down_the_layers.passes_a_clean_tree
                     PROPERTIES PASS_REGULAR_EXPRESSION "5 sources include only their own layer")

# Each planted fault in a tree of its own, so that one offender cannot hide another's message.
function(planted_layers_test name file text expected)
  set(root ${CMAKE_CURRENT_BINARY_DIR}/layers-${name})
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/base/ok.h "#include \"platform/clock.h\"\n")
  file(WRITE ${root}/${file} "${text}")
  add_test(NAME includes_point_down_the_layers.${name} COMMAND ${CMAKE_COMMAND} "-DROOT=${root}" -P ${layers_check})
  set_tests_properties(includes_point_down_the_layers.${name} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}")
endfunction()
planted_layers_test(catches_an_upward_include gfx/sheet.cpp "// sheet\n#include <vector>\n  #  include \"scenes/intro.h\"\n"
                    "gfx/sheet.cpp:3: gfx includes the higher layer scenes")
planted_layers_test(catches_a_neighbour sound/mix.cpp "#include \"music/music_player.h\"\n"
                    "sound/mix.cpp:1: sound includes its neighbour music")
planted_layers_test(catches_one_backend_in_another backends/win32/box.cpp "#include \"backends/sdl2/sdl2_text.h\"\n"
                    "backends/win32/box.cpp:1: backends/win32 includes its neighbour backends/sdl2")
planted_layers_test(catches_platform_reaching_up platform/files.h "#include \"base/game.h\"\n"
                    "platform/files.h:1: platform includes the higher layer base")
planted_layers_test(catches_a_folder_with_no_layer tools/gen.cpp "#include \"base/game.h\"\n"
                    "tools/gen.cpp: the folder has no place")
