# Installs the built library into a scratch prefix and builds a consumer against it the
# way the README tells a host to, then runs it:
#   PROJECT_DIR + PROGRAM   a CMake project that finds the package with find_package
#                           (QT_MAJOR: the project's COMMONCTRLS_QT_MAJOR);
#   PKGCONFIG_SOURCE        one source file compiled with "pkg-config --cflags --libs PACKAGE".
# ARGS are passed to the program. WORK_DIR is wiped first.
function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed: ${result}")
    endif()
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

if(PKGCONFIG_SOURCE)
    set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)
    execute_process(COMMAND pkg-config --cflags --libs ${PACKAGE}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "pkg-config does not know ${PACKAGE}")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(program ${WORK_DIR}/consumer)
    run_step("compile" ${CXX} -std=c++17 ${PKGCONFIG_SOURCE} -o ${program} ${flags})
    # pkg-config gives no run path; the loader is told where the library went.
    set(ENV{LD_LIBRARY_PATH} ${prefix}/${LIBDIR})
else()
    run_step("configure" ${CMAKE_COMMAND} -S ${PROJECT_DIR} -B ${WORK_DIR}/build
             -DCMAKE_PREFIX_PATH=${prefix} -DCOMMONCTRLS_QT_MAJOR=${QT_MAJOR})
    run_step("build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
    set(program ${WORK_DIR}/build/${PROGRAM})
endif()
separate_arguments(ARGS)
run_step("${program}" ${program} ${ARGS})
