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

# The example player plays a clip the tests write for more frames than the clip has, so
# that it loops over the kept part, in full screen, and checks the last frame it painted.
set(_clip ${CMAKE_CURRENT_BINARY_DIR}/player-clip.mkv)
add_test(NAME python_player_clip
    COMMAND ${COMMONCTRLS_PYTHON_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/make_clip.py ${_clip}
            --frames 50 --size 160x120)
set_tests_properties(python_player_clip PROPERTIES FIXTURES_SETUP python_clip)
add_test(NAME python_player
    COMMAND ${COMMONCTRLS_PYTHON_EXECUTABLE} ${PROJECT_SOURCE_DIR}/examples/python/player.py
            ${_clip} --seek 1000 --full-screen --frames 60 --quit)
set_tests_properties(python_player PROPERTIES FIXTURES_REQUIRED python_clip
    ENVIRONMENT "${_python_env};COMMONCTRLS_PYTHON_MODULE=${COMMONCTRLS_PYTHON_MODULE}")
