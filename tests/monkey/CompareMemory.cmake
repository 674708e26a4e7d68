# Peak resident memory of a long window run against a short one, each in a fresh process:
# memory that grows with the length of a run shows up as a difference far beyond the margin.
#   cmake -DPROBE=memory_probe -DSHORT=25 -DLONG=10000 -DMARGIN_KIB=4096 -P CompareMemory.cmake
foreach(periods ${SHORT} ${LONG})
  execute_process(COMMAND ${PROBE} ${periods} OUTPUT_VARIABLE out RESULT_VARIABLE status
                  ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0 OR NOT out MATCHES "^([0-9]+) ([0-9]+)$")
    message(FATAL_ERROR "memory_probe ${periods} failed (${status}): '${out}'")
  endif()
  set(steps_${periods} ${CMAKE_MATCH_1})
  set(peak_${periods} ${CMAKE_MATCH_2})
  message(STATUS "${periods} periods: ${CMAKE_MATCH_1} steps, peak ${CMAKE_MATCH_2} KiB")
endforeach()
math(EXPR ratio "${steps_${LONG}} / ${steps_${SHORT}}")
if(ratio LESS 100)
  message(FATAL_ERROR "the long run made too few steps to tell: ${steps_${LONG}}")
endif()
math(EXPR growth "${peak_${LONG}} - ${peak_${SHORT}}")
if(growth GREATER MARGIN_KIB)
  message(FATAL_ERROR "peak memory grew by ${growth} KiB over ${steps_${LONG}} steps")
endif()
