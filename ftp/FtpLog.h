#pragma once

#include <QLoggingCategory>

// Category of the FTP client's traces; debug lines are off unless enabled
// with QT_LOGGING_RULES="zo.ftp.debug=true". Passwords never reach it.
Q_DECLARE_LOGGING_CATEGORY(lcFtp)
