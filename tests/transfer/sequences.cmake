# Step machines on the transfer layer against the stand-in, waits scaled down.
zo_add_test(tst_listtransfers_standin SOURCES tst_listtransfers_standin.cpp StandIn.h SequenceFixture.h
            LIBS transfer ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
zo_add_test(tst_folderoperations_standin SOURCES tst_folderoperations_standin.cpp StandIn.h SequenceFixture.h
            LIBS transfer ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
