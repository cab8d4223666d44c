#pragma once

#include <QLoggingCategory>

// Warnings by default; QT_LOGGING_RULES="tessel.platform.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
