# The Python module's tests, registered by python/CMakeLists.txt in a build with the
# bindings and the tests: the API drift check, the pytest-qt behaviour tests and the
# example player. All run on the offscreen platform with the module from <build>/python.
add_executable(commonctrls_api_dump ${CMAKE_CURRENT_LIST_DIR}/api_dump.cpp)
target_link_libraries(commonctrls_api_dump PRIVATE CommonCtrls)

set(_python_env ${COMMONCTRLS_TEST_ENVIRONMENT} PYTHONPATH=${COMMONCTRLS_PYTHON_DIR}
    PYTHONDONTWRITEBYTECODE=1)

add_test(NAME python_api_drift
    COMMAND ${COMMONCTRLS_PYTHON_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/api_check.py
            ${COMMONCTRLS_PYTHON_MODULE} $<TARGET_FILE:commonctrls_api_dump>
            ${PROJECT_SOURCE_DIR}/include)
set_tests_properties(python_api_drift PROPERTIES ENVIRONMENT "${_python_env}")
