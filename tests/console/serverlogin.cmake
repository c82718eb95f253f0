# The console logging in over HTTP against the stand-in, on a real X server.
zo_add_test(console_serverlogin_xvfb SOURCES tst_serverlogin.cpp ConsoleFixture.h ../transfer/StandIn.h
            LIBS console testcommon XVFB LABELS standin ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_serverlogin_xvfb paramtool)
