# The scheduling, power and screen pages on a work folder of their own.
zo_add_test(pages_settingspages SOURCES tst_settingspages.cpp PageFixture.h LIBS pages testcommon)
# The same pages in the console on a real X server; they leave settings-*.png.
zo_add_test(pages_settingspages_xvfb SOURCES tst_settingspages_xvfb.cpp LIBS console testcommon XVFB)
add_dependencies(pages_settingspages_xvfb paramtool)
