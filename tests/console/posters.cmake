# Poster list file, poster panel and zone layout.
zo_add_test(console_posterlistfile SOURCES tst_posterlistfile.cpp LIBS console)
zo_add_test(console_zonelayout SOURCES tst_zonelayout.cpp LIBS console)
zo_add_test(console_postervalues SOURCES tst_postervalues.cpp LIBS console)
zo_add_test(console_posterpanel SOURCES tst_posterpanel.cpp LIBS console testcommon)
zo_add_test(console_posters_xvfb SOURCES tst_posters_xvfb.cpp ConsoleFixture.h LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_posters_xvfb paramtool)
