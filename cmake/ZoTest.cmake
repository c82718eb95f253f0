# zo_add_test(NAME SOURCES a.cpp ... LIBS lib ... [XVFB] [ENV VAR=VALUE ...] [LABELS standin ...])
# Offscreen tests get the headless environment; XVFB tests run on the real
# xcb platform and are only registered when xvfb-run exists (scripts/test
# runs ctest inside one Xvfb server for them).
set(ZO_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${ZO_SCREENSHOT_DIR})

function(zo_add_test name)
  cmake_parse_arguments(ZT "XVFB" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} Qt5::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
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
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${labels}" TIMEOUT 600)
  # Tests that talk to the stand-in servers share their tree and request log.
  if("standin" IN_LIST ZT_LABELS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK standin)
  endif()
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
