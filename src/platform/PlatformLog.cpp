#include "platform/PlatformLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcPlatform, "tessel.platform", QtWarningMsg)

} // namespace tessel
