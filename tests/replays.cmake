# Replays: every tests/replays/<name>.input runs through vorna-headless and must give <name>.trace exactly.
# Optional <name>.switches holds the game's command-line text and <name>.frames the number of running frames.
# After an intended change of behaviour, scripts/update-replays writes the traces anew.
set(replay_dir ${CMAKE_CURRENT_SOURCE_DIR}/replays)
# An empty working directory: a stray BMP_00 or WAV_ file beside the build must not change a replay.
set(replay_cwd ${CMAKE_CURRENT_BINARY_DIR}/replay-cwd)
file(MAKE_DIRECTORY ${replay_cwd})
# Any file added or removed here reconfigures, so a new replay or a new trace is picked up.
file(GLOB replay_files CONFIGURE_DEPENDS ${replay_dir}/*)
file(GLOB replay_inputs ${replay_dir}/*.input)

function(add_broken_replay name why)
  add_test(NAME replay.${name} COMMAND ${CMAKE_COMMAND} -E echo "replay ${name}: ${why}")
  set_tests_properties(replay.${name} PROPERTIES WILL_FAIL TRUE LABELS replay)
endfunction()

foreach(input ${replay_inputs})
  get_filename_component(name ${input} NAME_WE)
  set(frames 1000)
  if(EXISTS ${replay_dir}/${name}.frames)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${replay_dir}/${name}.frames)
    file(STRINGS ${replay_dir}/${name}.frames frames LIMIT_COUNT 1)
    string(STRIP "${frames}" frames)
  endif()
  set(switches "")
  if(EXISTS ${replay_dir}/${name}.switches)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${replay_dir}/${name}.switches)
    file(STRINGS ${replay_dir}/${name}.switches switches LIMIT_COUNT 1)
  endif()
  if(NOT frames MATCHES "^[0-9]+$")
    add_broken_replay(${name} "${name}.frames must hold one number of frames")
  elseif(NOT EXISTS ${replay_dir}/${name}.trace)
    add_broken_replay(${name} "no ${name}.trace yet: run scripts/update-replays ${name}")
  else()
    set(args --frames ${frames} --input ${input})
    if(NOT switches STREQUAL "")
      list(APPEND args --switches ${switches})
    endif()
    add_test(NAME replay.${name} COMMAND vorna-headless ${args} --expect ${replay_dir}/${name}.trace
             WORKING_DIRECTORY ${replay_cwd})
    set_tests_properties(replay.${name} PROPERTIES LABELS replay TIMEOUT 300)
  endif()
endforeach()
