# RSS feed cache and conversion.
zo_add_test(player_rssconverter SOURCES tst_rssconverter.cpp LIBS player)
zo_add_test(player_rsscache SOURCES tst_rsscache.cpp RssFixture.h LIBS player Qt5::Network
            LABELS standin)
set_tests_properties(player_rsscache PROPERTIES COST 24) # long: start it early
zo_add_test(player_rss_xvfb SOURCES tst_rss_xvfb.cpp PlayerFixture.h RssFixture.h LIBS player qml widgets testcommon
            XVFB LABELS standin)
zo_add_test(player_rssfeedfaults SOURCES tst_rssfeedfaults.cpp LoopbackHttp.h LIBS player Qt5::Network)
