# Categories and screens, box status, operation journals.
zo_add_test(console_categories SOURCES tst_categories.cpp LIBS console)
zo_add_test(console_boxstatus SOURCES tst_boxstatus.cpp LIBS console)
zo_add_test(console_journalmerge SOURCES tst_journalmerge.cpp LIBS console)
zo_add_test(console_boxitemwidget SOURCES tst_boxitemwidget.cpp LIBS console testcommon)
zo_add_test(console_screenchooser SOURCES tst_screenchooser.cpp LIBS console testcommon)
zo_add_test(console_categorypanel SOURCES tst_categorypanel.cpp ConsoleFixture.h LIBS console testcommon
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_categorypanel paramtool)
zo_add_test(console_boxstatuspoller SOURCES tst_boxstatuspoller.cpp LIBS console)
# The same run on a real X server; it leaves console-categories.png.
zo_add_test(console_categorypanel_xvfb SOURCES tst_categorypanel.cpp ConsoleFixture.h LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_categorypanel_xvfb paramtool)
