# The demo account at laptop sizes: editor, information page and the
# preview's date picker; leaves newcomer-*.png.
zo_add_test(console_newcomerlook_xvfb SOURCES tst_newcomerlook_xvfb.cpp ConsoleFixture.h DemoWindow.h
            LIBS console testcommon XVFB ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_newcomerlook_xvfb paramtool)
