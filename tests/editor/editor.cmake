# Text-poster editor: names, files of a save, the page and its tool bar.
zo_add_test(editor_textposternames SOURCES tst_textposternames.cpp LIBS editor)
zo_add_test(editor_textposterwriter SOURCES tst_textposterwriter.cpp LIBS editor)
zo_add_test(editor_texteditsimple SOURCES tst_texteditsimple.cpp EditorFixture.h LIBS editor testcommon)
zo_add_test(editor_scenario_xvfb SOURCES tst_editorscenario_xvfb.cpp LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
target_include_directories(editor_scenario_xvfb PRIVATE ${CMAKE_SOURCE_DIR}/tests/console)
add_dependencies(editor_scenario_xvfb paramtool)
zo_add_test(editor_slidedescription SOURCES tst_slidedescription.cpp LIBS editor)
zo_add_test(editor_textedit SOURCES tst_textedit.cpp LIBS editor testcommon)
