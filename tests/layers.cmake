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

# Headers of gfx, sound, input and music leave out base/game.h but for the listed exceptions; planted trees
# prove the check names an offender and a stale exception, and honours the list.
set(narrow_check ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_narrow_headers.cmake)
add_test(NAME subsystem_headers_take_narrow_state COMMAND ${CMAKE_COMMAND} "-DROOT=${CMAKE_SOURCE_DIR}/src" -P
                                                          ${narrow_check})

function(planted_narrow_test name allowed expected)
  set(root ${CMAKE_CURRENT_BINARY_DIR}/narrow-${name})
  file(REMOVE_RECURSE ${root})
  # A source and a higher layer may include the whole game; only subsystem headers are held to the rule.
  file(WRITE ${root}/gfx/draw.h "#include \"base/display_state.h\"\n")
  file(WRITE ${root}/gfx/draw.cpp "#include \"base/game.h\"\n")
  file(WRITE ${root}/scenes/intro.h "#include \"base/game.h\"\n")
  file(WRITE ${root}/gfx/rocks.h "// rocks\n#include \"base/game.h\"\n")
  foreach(extra IN LISTS ARGN)
    string(REPLACE "=" ";" pair "${extra}")
    list(GET pair 0 file)
    list(GET pair 1 text)
    file(WRITE ${root}/${file} "${text}\n")
  endforeach()
  add_test(NAME subsystem_headers_take_narrow_state.${name} COMMAND ${CMAKE_COMMAND} "-DROOT=${root}"
                                                                    "-DALLOWED=${allowed}" -P ${narrow_check})
  set_tests_properties(subsystem_headers_take_narrow_state.${name} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}")
endfunction()
planted_narrow_test(passes_a_listed_header gfx/rocks.h
                    "3 subsystem headers take narrow state \\(1 keep the whole game by leave\\)" "music/song.h=#pragma once")
planted_narrow_test(catches_an_unlisted_header gfx/rocks.h "sound/mix.h:3: includes base/game.h"
                    "sound/mix.h=// mix\n#pragma once\n  #  include \"base/game.h\"")
planted_narrow_test(catches_a_stale_entry "gfx/rocks.h,input/keys.h"
                    "input/keys.h: listed as keeping the whole game, but does not include base/game.h"
                    "input/keys.h=#include \"base/input_state.h\"")
planted_narrow_test(catches_a_header_left_off_the_list "" "gfx/rocks.h:2: includes base/game.h")
