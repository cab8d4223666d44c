#include "platform/PlatformLog.h"

Q_LOGGING_CATEGORY(lcPlatform, "tessel.platform", QtWarningMsg)
