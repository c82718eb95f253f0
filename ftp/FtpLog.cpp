#include "FtpLog.h"

Q_LOGGING_CATEGORY(lcFtp, "zo.ftp", QtWarningMsg)
