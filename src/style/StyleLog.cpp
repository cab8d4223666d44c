#include "style/StyleLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcStyle, "tessel.style", QtWarningMsg)

} // namespace tessel
