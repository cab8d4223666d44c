#pragma once

#include <QString>

namespace tessel {

// $TESSEL_CACHE_DIR, else $XDG_CACHE_HOME/tessel (~/.cache/tessel).
QString userCacheFolder();

} // namespace tessel
