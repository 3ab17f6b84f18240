# Installs the built library into a scratch prefix, then configures, builds and runs
# a small host project against it, as the README tells a host to do.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${HOST_SOURCE_DIR} -B ${WORK_DIR}/build
        -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "host configure failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "host build failed")
endif()
execute_process(COMMAND ${WORK_DIR}/build/host-app RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "host program failed: ${result}")
endif()
