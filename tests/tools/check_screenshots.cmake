# Makes the screenshots afresh from headless frames and compares them pixel for pixel with the committed
# ones in docs/screenshots, so that the README and the AppStream data never show an outdated game.
execute_process(COMMAND ${CMAKE_COMMAND} -DHEADLESS=${HEADLESS} -DREPLAY=${REPLAY} -DWORK=${WORK}/frames
                        -DOUT=${WORK}/shots -P ${SCRIPT}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the screenshots could not be made")
endif()
find_program(COMPARE compare REQUIRED)
file(GLOB made RELATIVE ${WORK}/shots ${WORK}/shots/*.png)
file(GLOB committed RELATIVE ${COMMITTED} ${COMMITTED}/*.png)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "made ${made}, but docs/screenshots holds ${committed}")
endif()
foreach(shot ${made})
  # Pixels, not bytes: another ImageMagick may compress the same picture differently.
  execute_process(COMMAND ${COMPARE} -metric AE ${WORK}/shots/${shot} ${COMMITTED}/${shot} null:
                  RESULT_VARIABLE rc ERROR_VARIABLE differing)
  if(NOT rc EQUAL 0 OR NOT differing STREQUAL "0")
    message(FATAL_ERROR "docs/screenshots/${shot} is outdated: run make assets-preview and commit it")
  endif()
endforeach()
list(LENGTH made count)
message(STATUS "the ${count} screenshots are up to date")
