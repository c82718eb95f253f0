# Player preview: scene values, scenes, window and controls.
zo_add_test(player_scenevalues SOURCES tst_scenevalues.cpp PlayerFixture.h LIBS player)
zo_add_test(player_zonescene SOURCES tst_zonescene.cpp LIBS qml resources Qt5::Qml Qt5::Quick)
