# The login file: row grammar, derivations, loading and saving.
zo_add_test(admin_loginfile SOURCES tst_loginfile.cpp LIBS admin)
# The administration page offscreen: loading, validate and back, the lock.
zo_add_test(admin_page SOURCES tst_adminpage.cpp LIBS admin testcommon)
