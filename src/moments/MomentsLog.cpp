#include "moments/MomentsLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcMoments, "tessel.moments", QtWarningMsg)

} // namespace tessel
