# Media library: index and journal rules, the page, its screenshot.
zo_add_test(media_library SOURCES tst_medialibrary.cpp MediaFixture.h LIBS media)
zo_add_test(media_page SOURCES tst_mediapage.cpp MediaFixture.h LIBS media testcommon)
zo_add_test(media_page_xvfb SOURCES tst_mediapage_xvfb.cpp MediaFixture.h LIBS media testcommon XVFB)
zo_add_test(media_demo SOURCES tst_mediademo.cpp MediaFixture.h LIBS console testcommon)
add_dependencies(media_demo paramtool)
