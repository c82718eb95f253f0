# Live content of the preview: QR widget, weather model, like counter, scenes.
zo_add_test(player_qrwidget SOURCES tst_qrwidget.cpp LIBS player)
zo_add_test(player_weathermodel SOURCES tst_weathermodel.cpp LIBS player LABELS standin
            ENV QT_LOGGING_RULES=wapp.requests.debug=false)
target_include_directories(player_weathermodel PRIVATE ${CMAKE_SOURCE_DIR}/tests/transfer)
zo_add_test(player_likecounter SOURCES tst_likecounter.cpp LIBS player LABELS standin)
target_include_directories(player_likecounter PRIVATE ${CMAKE_SOURCE_DIR}/tests/transfer)
zo_add_test(player_livescenes_xvfb SOURCES tst_livescenes_xvfb.cpp LIBS player qml widgets testcommon XVFB
            LABELS standin)
target_include_directories(player_livescenes_xvfb PRIVATE ${CMAKE_SOURCE_DIR}/tests/transfer)
# Live content against misbehaving servers on loopback: drips, huge and
# compressed bodies, shared picture names, services moving elsewhere.
find_package(ZLIB REQUIRED)
zo_add_test(player_livecontentbounds SOURCES tst_livecontentbounds.cpp LoopbackHttp.h LIBS player Qt5::Network
            ZLIB::ZLIB)
