# The login file: row grammar, derivations, loading and saving.
zo_add_test(admin_loginfile SOURCES tst_loginfile.cpp LIBS admin)
# The administration page offscreen: loading, validate and back, the lock.
zo_add_test(admin_page SOURCES tst_adminpage.cpp LIBS admin testcommon)
# The page on the demo account on a real X server; it leaves admin-*.png.
zo_add_test(admin_page_xvfb SOURCES tst_admin_xvfb.cpp LIBS console admin testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(admin_page_xvfb paramtool)
# Row items, typed names, passwords.
zo_add_test(admin_rowitems SOURCES tst_rowitems.cpp LIBS admin)
# Editing users and lists on the page offscreen.
zo_add_test(admin_edit SOURCES tst_adminedit.cpp LIBS admin testcommon)
