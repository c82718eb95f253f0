# Box files, the box information and status pages, the box simulator.
zo_add_test(boxes_files SOURCES tst_boxfiles.cpp ../sync/ParamFixture.h LIBS boxes)
zo_add_test(boxes_pages SOURCES tst_boxpages.cpp ../sync/ParamFixture.h LIBS boxes testcommon
            ENV ZOMANAGER_TIME_SCALE=1000)
