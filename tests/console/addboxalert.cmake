# The whole console against the stand-in: adding a box, then support reports.
zo_add_test(console_addboxalert_server SOURCES tst_addboxalert_server.cpp ConsoleFixture.h ../transfer/StandIn.h
            LIBS console testcommon XVFB ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(console_addboxalert_server paramtool)
