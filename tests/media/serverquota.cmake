# The quota counted on the server's index with this console's journal replayed.
zo_add_test(media_serverquota SOURCES tst_serverquota.cpp MediaFixture.h LIBS console testcommon)
