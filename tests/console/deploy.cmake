# "Déployer" on the demo account in local mode, with the overlay screenshot.
zo_add_test(console_deploy_xvfb SOURCES tst_deploy_xvfb.cpp ConsoleFixture.h LIBS console testcommon XVFB
            ENV ZOMANAGER_TIME_SCALE=10 DEMO)
add_dependencies(console_deploy_xvfb paramtool zoboxsim)
