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

# The widgets driven through pytest-qt, and ownership across the two languages.
set(_pytest_qt_api PYTEST_QT_API=pyqt${COMMONCTRLS_QT_MAJOR})
add_test(NAME python_widgets
    COMMAND ${COMMONCTRLS_PYTHON_EXECUTABLE} -m pytest -q -p no:cacheprovider
            ${CMAKE_CURRENT_LIST_DIR})
set_tests_properties(python_widgets PROPERTIES ENVIRONMENT
    "${_python_env};COMMONCTRLS_PYTHON_MODULE=${COMMONCTRLS_PYTHON_MODULE};${_pytest_qt_api}")
