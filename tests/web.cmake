# The page's portable pieces (picture scaling, gamepad axes, the music stream) are unit-tested natively.
target_sources(vorna_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/backends/web/web_frame.cpp
                                   ${CMAKE_SOURCE_DIR}/src/backends/web/web_gamepad_axis.cpp
                                   ${CMAKE_SOURCE_DIR}/src/backends/web/web_midi_stream.cpp)

# The browser build's core under node: vorna-headless compiled to WebAssembly gives the native traces.
# Skipped when emscripten or node is not installed. Once per checkout: not in the sanitizer builds.
if(VORNA_SANITIZE OR VORNA_TSAN)
  return()
endif()
add_test(NAME web.node_traces
         COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/web_node_traces.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/web-node
                 ${CMAKE_BINARY_DIR}/assets $<TARGET_FILE:vorna-headless> ${CMAKE_SOURCE_DIR}/tests/replays
                 ${CMAKE_BINARY_DIR}/web-node-work)
set_tests_properties(web.node_traces PROPERTIES LABELS web TIMEOUT 1200 SKIP_RETURN_CODE 77 RESOURCE_LOCK cross_build)

# The page in a real browser: built once, then each check in its own Chromium.
add_test(NAME web.page_build
         COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/web_page_build.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/web-page-obj
                 ${CMAKE_BINARY_DIR}/assets ${CMAKE_BINARY_DIR}/web-page)
set_tests_properties(web.page_build PROPERTIES LABELS web TIMEOUT 1200 SKIP_RETURN_CODE 77 RESOURCE_LOCK cross_build
                                               FIXTURES_SETUP web_page)
foreach(mode load newgame audio music sizes quit)
  add_test(NAME web.page.${mode}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/web_page_check.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/web-page
                   $<TARGET_FILE:vorna-headless> ${CMAKE_BINARY_DIR}/web-page-work/${mode} ${mode})
  set_tests_properties(web.page.${mode} PROPERTIES LABELS web TIMEOUT 600 SKIP_RETURN_CODE 77
                                                   FIXTURES_REQUIRED web_page RESOURCE_LOCK web_browser)
endforeach()
