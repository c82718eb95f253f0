# Media library: index and journal rules, the page, its screenshot.
zo_add_test(media_library SOURCES tst_medialibrary.cpp MediaFixture.h LIBS media)
zo_add_test(media_thumbnails SOURCES tst_thumbnailloader.cpp LIBS media)
zo_add_test(media_page SOURCES tst_mediapage.cpp MediaFixture.h LIBS media testcommon)
zo_add_test(media_page_xvfb SOURCES tst_mediapage_xvfb.cpp MediaFixture.h LIBS media testcommon XVFB)
zo_add_test(media_demo SOURCES tst_mediademo.cpp MediaFixture.h LIBS console testcommon
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(media_demo paramtool)
# End to end against the stand-in: the page's changes reach the server.
zo_add_test(media_server_standin SOURCES tst_mediaserver_standin.cpp MediaFixture.h ../console/ServerDemo.h
            ../transfer/StandIn.h LIBS console testcommon ENV ZOMANAGER_TIME_SCALE=50 LABELS standin DEMO)
add_dependencies(media_server_standin paramtool)
# The longest test starts first, also in a fresh build without timing history.
set_tests_properties(media_server_standin PROPERTIES COST 100)
