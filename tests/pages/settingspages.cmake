# Widget poster, publication and touch pages.
zo_add_test(pages_values SOURCES tst_pagevalues.cpp LIBS pages)
zo_add_test(pages_widget SOURCES tst_classwidget.cpp PagesFixture.h LIBS pages testcommon)
zo_add_test(pages_reseaux SOURCES tst_classreseaux.cpp PagesFixture.h LIBS pages testcommon)
zo_add_test(pages_tactile SOURCES tst_classtactile.cpp PagesFixture.h LIBS pages testcommon)
zo_add_test(pages_screens_xvfb SOURCES tst_pages_xvfb.cpp PagesFixture.h LIBS pages testcommon XVFB)
zo_add_test(pages_console_xvfb SOURCES tst_pages_console_xvfb.cpp LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(pages_console_xvfb paramtool) # make-demo.sh writes the account with it
# The scheduling, power and screen pages on a work folder of their own.
zo_add_test(pages_settingspages SOURCES tst_settingspages.cpp PageFixture.h LIBS pages testcommon)
# The same pages in the console on a real X server; they leave settings-*.png.
zo_add_test(pages_settingspages_xvfb SOURCES tst_settingspages_xvfb.cpp LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(pages_settingspages_xvfb paramtool)
