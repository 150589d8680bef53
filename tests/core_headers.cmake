# The portable core never includes an operating-system header; a planted offender proves the check bites.
set(core_header_dirs "base;app;scenes;play;input;sound;gfx;music")
add_test(NAME core_has_no_os_headers
         COMMAND ${CMAKE_COMMAND} "-DROOT=${CMAKE_SOURCE_DIR}/src" "-DDIRS=${core_header_dirs}"
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_core_headers.cmake)

set(planted ${CMAKE_CURRENT_BINARY_DIR}/core-headers-planted)
file(WRITE ${planted}/gfx/clean.cpp "#include <vector>\n")
file(WRITE ${planted}/music/bad.cpp "// a comment about SDL is fine\n#include <vector>\n  #  include <Thread>\n")
add_test(NAME core_has_no_os_headers.catches_an_offender
         COMMAND ${CMAKE_COMMAND} "-DROOT=${planted}" "-DDIRS=gfx;music" -P
                 ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_core_headers.cmake)
set_tests_properties(core_has_no_os_headers.catches_an_offender
                     PROPERTIES PASS_REGULAR_EXPRESSION "music/bad.cpp: +# +include <Thread>")
