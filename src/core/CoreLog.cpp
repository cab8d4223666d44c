#include "core/CoreLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcCore, "tessel.core", QtWarningMsg)

} // namespace tessel
