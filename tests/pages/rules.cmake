# Value rules of the scheduling, power and screen pages.
zo_add_test(pages_schedulerules SOURCES tst_schedulerules.cpp LIBS pages)
zo_add_test(pages_screenlayouts SOURCES tst_screenlayouts.cpp LIBS pages)
