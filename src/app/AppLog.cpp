#include "app/AppLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcApp, "tessel.app", QtWarningMsg)

} // namespace tessel
