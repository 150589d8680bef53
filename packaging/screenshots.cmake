# The screenshots of the README and the AppStream data: headless frames, doubled with square pixels.
# Run by the preview target: cmake -DHEADLESS=... -DREPLAY=... -DWORK=... -DOUT=... -P screenshots.cmake
# Each shot: name, running frame, and whether it comes from the replay (else from the attract loop).
set(shots title:650:attract mission:400:replay vorna:15400:replay ending:16000:replay)
find_program(CONVERT convert REQUIRED)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK} ${OUT})
foreach(shot ${shots})
  string(REPLACE ":" ";" shot "${shot}")
  list(GET shot 0 name)
  list(GET shot 1 frame)
  list(GET shot 2 source)
  set(input_args)
  if(source STREQUAL "replay")
    set(input_args --input ${REPLAY})
  endif()
  execute_process(COMMAND ${HEADLESS} --frames ${frame} ${input_args} --dump-dir ${WORK}/${name} --dump-frames ${frame}
                  OUTPUT_QUIET RESULT_VARIABLE rc)
  string(LENGTH "${frame}" digits)
  math(EXPR pad "6 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  set(dumped ${WORK}/${name}/frame-${zeros}${frame}.png)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${dumped})
    message(FATAL_ERROR "vorna-headless gave no frame ${frame} for the ${name} screenshot")
  endif()
  # No time stamps in the file, so that the same frames give the same bytes.
  execute_process(COMMAND ${CONVERT} ${dumped} -filter point -resize 200% -strip
                          -define png:exclude-chunks=date,time ${OUT}/${name}.png
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "convert could not write ${OUT}/${name}.png")
  endif()
endforeach()
message(STATUS "Screenshots written to ${OUT}")
