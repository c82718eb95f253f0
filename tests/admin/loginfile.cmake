# The login file: row grammar, derivations, loading and saving.
zo_add_test(admin_loginfile SOURCES tst_loginfile.cpp LIBS admin)
