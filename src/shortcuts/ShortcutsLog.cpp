#include "shortcuts/ShortcutsLog.h"

namespace tessel {

Q_LOGGING_CATEGORY(lcShortcuts, "tessel.shortcuts", QtWarningMsg)

} // namespace tessel
