#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.shortcuts": warnings by default; QT_LOGGING_RULES="tessel.shortcuts.debug=true" adds
// debug.
Q_DECLARE_LOGGING_CATEGORY(lcShortcuts)

} // namespace tessel
