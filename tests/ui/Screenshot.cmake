# Runs the program under Xvfb with --screenshot and checks that a picture of
# a plausible size came out.
file(REMOVE ${OUTPUT})
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 QT_QPA_PLATFORM=xcb
          ${XVFB_RUN} -a -s "-screen 0 1024x768x24" ${PROGRAM} --screenshot=${OUTPUT} ${ARCHIVE}
  RESULT_VARIABLE result
  TIMEOUT 90)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "pellory2 under Xvfb exited with ${result}")
endif()
if(NOT EXISTS ${OUTPUT})
  message(FATAL_ERROR "no screenshot at ${OUTPUT}")
endif()
file(SIZE ${OUTPUT} size)
if(size LESS 5000)
  message(FATAL_ERROR "screenshot ${OUTPUT} is only ${size} bytes")
endif()
message(STATUS "screenshot: ${OUTPUT} (${size} bytes)")
