# The console logging in over HTTP against the stand-in, on a real X server.
zo_add_test(console_serverlogin_xvfb SOURCES tst_serverlogin.cpp ConsoleFixture.h ../transfer/StandIn.h
            LIBS console testcommon XVFB LABELS standin DEMO)
add_dependencies(console_serverlogin_xvfb paramtool)
