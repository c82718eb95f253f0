# Two whole consoles logged in to one account on the stand-in: a table of
# what one does, what the other does next, and what the server holds.
zo_add_test(console_twoconsoles_standin SOURCES tst_twoconsoles_standin.cpp TwoDesks.h ConsoleFixture.h ../sync/ParamFixture.h
            ../transfer/StandIn.h LIBS console admin testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(console_twoconsoles_standin paramtool)
set_tests_properties(console_twoconsoles_standin PROPERTIES COST 40) # long: start it early
# One console's slow index upload drops the other's change after its
# read-back: the change is kept, merged again, and never applied over a
# later one.
zo_add_test(console_keptrecords_standin SOURCES tst_keptrecords_standin.cpp TwoDesks.h ConsoleFixture.h ../sync/ParamFixture.h
            ../transfer/StandIn.h LIBS console admin testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(console_keptrecords_standin paramtool)
set_tests_properties(console_keptrecords_standin PROPERTIES COST 30)
# One console's slow box upload replaces the other's list after its success:
# told at that console's next login, after a restart.
zo_add_test(console_twoconsoles_boxes_standin SOURCES tst_twoconsoles_boxes_standin.cpp TwoDesks.h ConsoleDesk.h ServerDesk.h ConsoleFixture.h
            ../sync/ParamFixture.h ../transfer/StandIn.h LIBS console admin testcommon ENV ZOMANAGER_TIME_SCALE=50
            LABELS standin DEMO)
add_dependencies(console_twoconsoles_boxes_standin paramtool)
