# The page inside the console against the stand-in: validate and list
# management reach the server; a user made on the page logs in.
zo_add_test(admin_standin SOURCES tst_admin_standin.cpp ../console/ConsoleFixture.h ../transfer/StandIn.h
            LIBS console admin testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(admin_standin paramtool)
