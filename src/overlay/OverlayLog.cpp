#include "overlay/OverlayLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcOverlay, "tessel.overlay", QtWarningMsg)

} // namespace tessel
