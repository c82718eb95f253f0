# Revision counters; the box folder and STATUS downloads against the stand-in.
zo_add_test(sync_revisioncounters SOURCES tst_revisioncounters.cpp ParamFixture.h LIBS sync)
zo_add_test(sync_boxfolderdownload_standin SOURCES tst_boxfolderdownload_standin.cpp
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS sync ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
zo_add_test(sync_login_standin SOURCES tst_login_standin.cpp FakeDialogs.h ParamFixture.h
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS sync ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
zo_add_test(sync_startup_standin SOURCES tst_startup_standin.cpp FakeDialogs.h ParamFixture.h
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS sync ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
zo_add_test(sync_mediaalignment SOURCES tst_mediaalignment.cpp ParamFixture.h LIBS sync)
zo_add_test(sync_boxdeployment_standin SOURCES tst_boxdeployment_standin.cpp
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS sync ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
set_tests_properties(sync_boxdeployment_standin PROPERTIES COST 45) # long: start it early
zo_add_test(sync_sharepage SOURCES tst_sharepage.cpp LIBS sync)
zo_add_test(sync_sentmediarecords SOURCES tst_sentmediarecords.cpp ParamFixture.h LIBS sync)
zo_add_test(sync_deployments_standin SOURCES tst_deployments_standin.cpp
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS sync console media testcommon ${CMAKE_DL_LIBS} ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
# A rename refused where the media index is put in place (RenameFault.h):
# exported, the stand-in rename takes the calls of Qt too.
set_target_properties(sync_deployments_standin PROPERTIES ENABLE_EXPORTS ON)
zo_add_test(sync_deploylists SOURCES tst_deploylists.cpp ParamFixture.h LIBS sync)
# The login's check of the boxes this console deployed.
zo_add_test(sync_sentboxescheck_standin SOURCES tst_sentboxescheck_standin.cpp ParamFixture.h
            ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS sync ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
