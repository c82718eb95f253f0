# The editor's tool bar contrast, measured on a grab.
zo_add_test(editor_toolbarlook SOURCES tst_toolbarlook.cpp EditorFixture.h LIBS editor testcommon)
