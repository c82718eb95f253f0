# The top window after a screen was chosen, grabbed on a real X server.
zo_add_test(console_panellook_xvfb SOURCES tst_panellook_xvfb.cpp ConsoleFixture.h LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_panellook_xvfb paramtool)
