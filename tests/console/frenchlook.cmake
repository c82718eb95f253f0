# The demo account as a French user sees it: Qt's texts, the standard file
# dialog and the disabled captions; it leaves the panel, quit question and
# media file chooser grabs.
zo_add_test(console_frenchlook SOURCES tst_frenchlook.cpp ConsoleFixture.h LIBS console app testcommon
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_frenchlook paramtool)
