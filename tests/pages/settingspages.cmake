# Widget poster, publication and touch pages.
zo_add_test(pages_values SOURCES tst_pagevalues.cpp LIBS pages)
