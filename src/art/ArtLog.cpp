#include "art/ArtLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcArt, "tessel.art", QtWarningMsg)

} // namespace tessel
