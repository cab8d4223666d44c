#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.paper": warnings by default; QT_LOGGING_RULES="tessel.paper.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcPaper)

} // namespace tessel
