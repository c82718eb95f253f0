# The HTTP file API against a misbehaving loopback server written in the test.
find_package(ZLIB REQUIRED)
zo_add_test(tst_hostilehttp SOURCES tst_hostilehttp.cpp LIBS transfer sync ZLIB::ZLIB)
