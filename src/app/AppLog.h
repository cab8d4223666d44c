#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.app": warnings by default; QT_LOGGING_RULES="tessel.app.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcApp)

} // namespace tessel
