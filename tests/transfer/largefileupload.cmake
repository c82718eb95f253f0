# The large-file FTP upload against the stand-in's pyftpdlib and a scripted
# server; waits scaled down.
zo_add_test(tst_largefileupload_standin SOURCES tst_largefileupload_standin.cpp StandIn.h SequenceFixture.h
            ../ftp/FakeFtpServer.cpp ../ftp/FakeFtpServer.h LIBS transfer ENV ZOMANAGER_TIME_SCALE=10
            LABELS standin)
