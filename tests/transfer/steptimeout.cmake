# Waits and network time-outs under ZOMANAGER_TIME_SCALE.
zo_add_test(tst_steptimeout SOURCES tst_steptimeout.cpp LIBS transfer ENV ZOMANAGER_TIME_SCALE=50)
