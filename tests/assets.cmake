# Tests of the generated assets: the unit tests read them, and the generator is run again to prove
# that it is deterministic and that it refuses malformed sources.
if(TARGET vorna_asset_files)
  add_dependencies(vorna_tests vorna_asset_files)
  target_compile_definitions(vorna_tests PRIVATE VORNA_ASSET_BUILD_DIR="${CMAKE_BINARY_DIR}/assets")
endif()
if(TARGET vorna-assetgen)
  add_test(NAME assets.generator
           COMMAND ${CMAKE_COMMAND} -DGEN=$<TARGET_FILE:vorna-assetgen> -DSRC=${CMAKE_SOURCE_DIR}/assets
                   -DBUILT=${CMAKE_BINARY_DIR}/assets -DWORK=${CMAKE_CURRENT_BINARY_DIR}/assets-work
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_assetgen.cmake)
  # Debian's MIDI library reads every song independently of the game's own reader.
  execute_process(COMMAND /usr/bin/python3 -c "import mido" RESULT_VARIABLE no_mido OUTPUT_QUIET ERROR_QUIET)
  if(no_mido EQUAL 0)
    add_test(NAME assets.songs_mido
             COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_songs.py ${CMAKE_BINARY_DIR}/assets)
  else()
    message(STATUS "python3-mido is missing (scripts/install-deps installs it): songs are checked by the unit tests only")
  endif()
endif()
