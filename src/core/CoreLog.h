#pragma once

#include <QLoggingCategory>

// Warnings by default; QT_LOGGING_RULES="tessel.core.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcCore)
