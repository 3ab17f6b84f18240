# Installs the build into a scratch prefix and runs the Designer plugin test on what was
# installed there: the plugin in its plugin folder and the public headers.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed")
endif()
set(ENV{COMMONCTRLS_DESIGNER_PLUGIN} ${WORK_DIR}/${PLUGIN})
set(ENV{COMMONCTRLS_DESIGNER_INCLUDE_DIR} ${WORK_DIR}/${INCLUDE_DIR})
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the Designer plugin test failed: ${result}")
endif()
