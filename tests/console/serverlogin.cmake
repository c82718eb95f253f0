# The console logging in over HTTP against the stand-in, on a real X server.
zo_add_test(console_serverlogin_xvfb SOURCES tst_serverlogin.cpp ConsoleFixture.h ../transfer/StandIn.h
            LIBS console testcommon XVFB LABELS standin ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_serverlogin_xvfb paramtool)
# The same login on an account whose media index holds entries no disk can carry.
zo_add_test(console_doctoredindex_server SOURCES tst_doctoredindex_server.cpp ServerDemo.h ../sync/ParamFixture.h
            ../transfer/StandIn.h LIBS console testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(console_doctoredindex_server paramtool)
