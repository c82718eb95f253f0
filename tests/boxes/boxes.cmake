# Box files, the box information and status pages, the box simulator.
zo_add_test(boxes_files SOURCES tst_boxfiles.cpp ../sync/ParamFixture.h LIBS boxes)
zo_add_test(boxes_pages SOURCES tst_boxpages.cpp ../sync/ParamFixture.h LIBS boxes testcommon
            ENV ZOMANAGER_TIME_SCALE=1000)
zo_add_test(boxes_status_standin SOURCES tst_boxstatus_standin.cpp ../sync/ParamFixture.h
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS boxes sync testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
add_dependencies(boxes_status_standin zoboxsim)
zo_add_test(boxes_pages_xvfb SOURCES tst_boxpages_xvfb.cpp ../sync/ParamFixture.h LIBS boxes testcommon XVFB)
zo_add_test(boxes_pages_console SOURCES tst_boxpages_console.cpp ../console/ConsoleFixture.h LIBS console testcommon
            ENV ZOMANAGER_TIME_SCALE=50 DEMO)
add_dependencies(boxes_pages_console paramtool)
zo_add_test(boxes_sim SOURCES tst_boxsim.cpp ../sync/ParamFixture.h LIBS params)
add_dependencies(boxes_sim zoboxsim)
# The status page through the real panel against the stand-in and the box simulator.
zo_add_test(boxes_status_server_standin SOURCES tst_boxstatus_server_standin.cpp ../console/ServerDemo.h
            ../transfer/StandIn.h LIBS console testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(boxes_status_server_standin zoboxsim paramtool)
# The demo boxes' connection state in the panel, against the stand-in, under the customers' zone.
zo_add_test(boxes_panelstatus_server_standin SOURCES tst_panelstatus_server_standin.cpp ../console/ServerDemo.h
            ../transfer/StandIn.h LIBS console testcommon ENV TZ=Europe/Paris LABELS standin DEMO)
add_dependencies(boxes_panelstatus_server_standin paramtool)
