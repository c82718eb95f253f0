# A support report in local mode: nothing leaves the machine.
zo_add_test(console_alertlocal SOURCES tst_alertlocal.cpp ConsoleFixture.h LIBS console testcommon
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_alertlocal paramtool)
