# Choosing a screen on the demo account in local mode.
zo_add_test(console_boxselection SOURCES tst_boxselection.cpp ConsoleFixture.h LIBS console testcommon
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_boxselection paramtool)
