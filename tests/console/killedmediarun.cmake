# A console killed during a media deployment, started again against the stand-in.
zo_add_test(console_killedmediarun_server SOURCES tst_killedmediarun_server.cpp ServerDemo.h ../sync/ParamFixture.h
            ../transfer/StandIn.h LIBS console testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(console_killedmediarun_server paramtool)
