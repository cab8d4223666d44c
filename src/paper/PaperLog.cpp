#include "paper/PaperLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcPaper, "tessel.paper", QtWarningMsg)

} // namespace tessel
