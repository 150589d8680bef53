# The random-input soak: vorna_soak runs every mission into the next level; a short run belongs to the suite,
# the long one (a million frames) to make soak.
add_executable(vorna_soak ${CMAKE_CURRENT_SOURCE_DIR}/soak/vorna_soak.cpp)
target_link_libraries(vorna_soak PRIVATE vorna_headless_runner)
# The repeat run (same input, same hash) covers the first 10,000 frames, which keeps the sanitizer suite quick.
add_test(NAME soak.short COMMAND vorna_soak --frames 50000 --repeat-frames 10000 --min-level 1)
set_tests_properties(soak.short PROPERTIES LABELS soak TIMEOUT 600)

# The scripted player writes the input scripts of the long replays (scripts/make-player-replays).
add_executable(vorna_player ${CMAKE_CURRENT_SOURCE_DIR}/player/vorna_player.cpp)
target_link_libraries(vorna_player PRIVATE vorna_headless_runner)
# The same soak with songs built to stall the reader (many empty tracks, huge deltas, a tempo every tick...).
# The sanitizers make every one of its millions of cheap fills slow, so their build plays a shorter stretch.
if(VORNA_SANITIZE)
  set(hostile_soak_frames --frames 1200 --repeat-frames 400)
else()
  set(hostile_soak_frames --frames 6000 --repeat-frames 2000)
endif()
add_test(NAME soak.hostile_songs COMMAND vorna_soak ${hostile_soak_frames} --hostile-songs)
set_tests_properties(soak.hostile_songs PROPERTIES LABELS soak TIMEOUT 1500)
