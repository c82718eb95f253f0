# The scheduling, power and screen pages on a work folder of their own.
zo_add_test(pages_settingspages SOURCES tst_settingspages.cpp PageFixture.h LIBS pages testcommon)
