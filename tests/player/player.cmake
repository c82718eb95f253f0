# Player preview: scene values, scenes, window and controls.
zo_add_test(player_scenevalues SOURCES tst_scenevalues.cpp PlayerFixture.h LIBS player)
# Schedules are decided under the customers' zone, where the clocks change twice a year.
zo_add_test(player_zonescene SOURCES tst_zonescene.cpp LIBS player qml resources Qt5::Qml Qt5::Quick
            ENV TZ=Europe/Paris)
set_tests_properties(player_zonescene PROPERTIES COST 32) # long: start it early
zo_add_test(player_window SOURCES tst_zoplayer.cpp PlayerFixture.h LIBS player qml widgets testcommon)
zo_add_test(player_preview_xvfb SOURCES tst_preview_xvfb.cpp PlayerFixture.h LIBS player qml widgets testcommon XVFB)
zo_add_test(player_console_preview_xvfb SOURCES tst_console_preview_xvfb.cpp LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO LABELS standin)
add_dependencies(player_console_preview_xvfb paramtool)
target_include_directories(player_console_preview_xvfb PRIVATE ${CMAKE_SOURCE_DIR}/tests/transfer)
zo_add_test(player_siteweb_xvfb SOURCES tst_siteweb_xvfb.cpp LIBS player qml resources Qt5::Quick Qt5::WebView Qt5::Widgets XVFB)
