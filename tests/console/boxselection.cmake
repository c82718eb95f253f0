# Choosing a screen on the demo account in local mode.
zo_add_test(console_boxselection SOURCES tst_boxselection.cpp ConsoleFixture.h LIBS console testcommon DEMO)
add_dependencies(console_boxselection paramtool)
