# Helpers that register the QtTest programs and the checks run through cmake -P.
find_package(${COMMONCTRLS_QT} ${COMMONCTRLS_QT_MIN_VERSION} REQUIRED COMPONENTS Test)

# Every test runs on the offscreen platform at 96 DPI and a device-pixel ratio of 1
# unless a variant says otherwise. The sanitizer options are read only by a
# sanitized build; any report makes the test fail.
set(COMMONCTRLS_TEST_ENVIRONMENT
    QT_QPA_PLATFORM=offscreen
    QT_FONT_DPI=96
    QT_SCALE_FACTOR=1
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
)

# commonctrls_add_qtest(<target> SOURCES ... [INTERNAL] [VARIANTS name=ENV,ENV ...])
# A test links the shared library and sees what it exports; an INTERNAL test links the
# library's objects instead, and so also reaches the classes the library keeps to itself.
# Each VARIANT registers the program once more with extra environment.
function(commonctrls_add_qtest target)
    cmake_parse_arguments(T "INTERNAL" "" "SOURCES;VARIANTS" ${ARGN})
    add_executable(${target} ${T_SOURCES})
    if(T_INTERNAL)
        target_link_libraries(${target} PRIVATE commonctrls_objects Qt::Test)
    else()
        target_link_libraries(${target} PRIVATE CommonCtrls Qt::Test)
    endif()
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src
                               ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    if(NOT T_VARIANTS)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "${COMMONCTRLS_TEST_ENVIRONMENT}")
    endif()
    foreach(variant IN LISTS T_VARIANTS)
        string(REPLACE "=" ";" parts "${variant}")
        list(GET parts 0 suffix)
        string(REPLACE "${suffix}=" "" settings "${variant}")
        string(REPLACE "," ";" settings "${settings}")
        # Qt 6 turns a font DPI above 96 into a device-pixel ratio (120 DPI: ratio 1.25 at
        # 96 logical DPI). With its high-DPI scaling off the screen keeps that DPI as its
        # logical DPI at ratio 1, as under Qt 5, which is what these variants are about.
        if(COMMONCTRLS_QT_MAJOR EQUAL 6 AND settings MATCHES "QT_FONT_DPI=")
            list(APPEND settings QT_ENABLE_HIGHDPI_SCALING=0)
        endif()
        add_test(NAME ${target}_${suffix} COMMAND ${target})
        set_tests_properties(${target}_${suffix} PROPERTIES
            ENVIRONMENT "${COMMONCTRLS_TEST_ENVIRONMENT};${settings}")
    endforeach()
endfunction()

# commonctrls_add_install_test(<name> -D<setting>=<value> ...)
# Installs this build into a scratch folder and builds and runs a host program against
# it (tests/check_installed.cmake).
function(commonctrls_add_install_test name)
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
                -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/${name} ${ARGN}
                -P ${PROJECT_SOURCE_DIR}/tests/check_installed.cmake)
    # One cmake --install of this build at a time: each writes its install manifest.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${COMMONCTRLS_TEST_ENVIRONMENT}"
        RESOURCE_LOCK commonctrls_install)
endfunction()
