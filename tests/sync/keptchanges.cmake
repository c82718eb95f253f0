# What a console changed in a shared file, kept until a fetch shows it; the read-back rule.
zo_add_test(sync_keptchanges SOURCES tst_keptchanges.cpp LIBS sync)
zo_add_test(sync_readback SOURCES tst_readback.cpp LIBS sync ENV ZOMANAGER_TIME_SCALE=10)
# The login file as rows one console changes and puts back.
zo_add_test(sync_loginrows SOURCES tst_loginrows.cpp ParamFixture.h LIBS sync)
