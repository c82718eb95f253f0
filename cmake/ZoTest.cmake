# zo_add_test(NAME SOURCES a.cpp ... LIBS lib ... [XVFB] [DEMO] [ENV VAR=VALUE ...] [LABELS standin ...])
# Offscreen tests get the headless environment; XVFB tests run on the real
# xcb platform and are only registered when xvfb-run exists (scripts/test
# runs ctest inside one Xvfb server for them).
# DEMO: the test copies the demo account (makeDemoAccount), made once per
# ctest run by the test "demo_account" into ZO_DEMO_DIR.
# LABELS standin: the test runs with a stand-in server of its own
# (server/standin.sh run), on ports of its own slot.
set(ZO_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${ZO_SCREENSHOT_DIR})
set(ZO_DEMO_DIR ${CMAKE_BINARY_DIR}/demo-account)
set_property(GLOBAL PROPERTY ZO_STANDIN_SLOTS 0)

function(zo_add_demo_fixture)
  get_property(made GLOBAL PROPERTY ZO_DEMO_FIXTURE)
  if(made)
    return()
  endif()
  set_property(GLOBAL PROPERTY ZO_DEMO_FIXTURE ON)
  add_test(NAME demo_account
           COMMAND ${CMAKE_COMMAND} -E env PARAMTOOL=$<TARGET_FILE:paramtool>
                   bash ${CMAKE_SOURCE_DIR}/tools/make-demo.sh ${ZO_DEMO_DIR} --reset)
  set_tests_properties(demo_account PROPERTIES FIXTURES_SETUP demo LABELS fixture TIMEOUT 600)
endfunction()

function(zo_add_test name)
  cmake_parse_arguments(ZT "XVFB;DEMO" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} Qt5::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if("standin" IN_LIST ZT_LABELS)
    get_property(slot GLOBAL PROPERTY ZO_STANDIN_SLOTS)
    math(EXPR next "${slot} + 1")
    set_property(GLOBAL PROPERTY ZO_STANDIN_SLOTS ${next})
    add_test(NAME ${name} COMMAND bash ${CMAKE_SOURCE_DIR}/server/standin.sh run ${slot} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(env
    "QTWEBENGINE_DISABLE_SANDBOX=1"
    "QT_GSTREAMER_PLAYBIN_AUDIOSINK=fakesink"
    "ZO_SCREENSHOT_DIR=${ZO_SCREENSHOT_DIR}"
    "ZO_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "ZO_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    # The customers' machines are French: pages and their grabs read as there.
    "LANG=fr_FR.UTF-8" "LC_ALL=" "LC_TIME="
    ${ZT_ENV})
  if(ZT_XVFB)
    set(labels xvfb ${ZT_LABELS})
  else()
    list(APPEND env "QT_QPA_PLATFORM=offscreen" "QT_QUICK_BACKEND=software")
    set(labels offscreen ${ZT_LABELS})
  endif()
  if(ZT_DEMO)
    zo_add_demo_fixture()
    list(APPEND env "ZO_DEMO_DIR=${ZO_DEMO_DIR}")
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED demo)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${labels}" TIMEOUT 600)
endfunction()

# Each tests/<folder>/*.cmake file registers the tests of one concern, so
# that concerns can be added side by side without touching a shared list.
macro(zo_include_test_files)
  file(GLOB _zo_test_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT _zo_test_files)
  foreach(_zo_file IN LISTS _zo_test_files)
    include(${_zo_file})
  endforeach()
endmacro()
