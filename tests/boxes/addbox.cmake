# Adding a box and the support report.
zo_add_test(tst_addboxrules SOURCES tst_addboxrules.cpp LIBS boxes)
zo_add_test(tst_alertpage SOURCES tst_alertpage.cpp LIBS boxes testcommon)
zo_add_test(tst_addbox_standin SOURCES tst_addbox_standin.cpp ../transfer/StandIn.h ../transfer/SequenceFixture.h
            LIBS boxes transfer testcommon ${CMAKE_DL_LIBS} ENV ZOMANAGER_TIME_SCALE=50 LABELS standin)
# A rename refused where the local login file is put in place (RenameFault.h):
# exported, the stand-in rename takes the calls of Qt too.
set_target_properties(tst_addbox_standin PROPERTIES ENABLE_EXPORTS ON)
zo_add_test(boxes_xvfb SOURCES tst_boxes_xvfb.cpp LIBS boxes testcommon XVFB)
# The demo account in local mode, from the panel's button to the restart.
zo_add_test(tst_addbox_demo SOURCES tst_addbox_demo.cpp LIBS console testcommon ENV ZOMANAGER_TIME_SCALE=50 DEMO)
add_dependencies(tst_addbox_demo paramtool)
