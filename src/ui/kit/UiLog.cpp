#include "ui/kit/UiLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcUi, "tessel.ui", QtWarningMsg)

} // namespace tessel
