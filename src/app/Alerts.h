#pragma once

#include <QString>

namespace tessel {

// The modal alerts of the update check. The desktop shows them as message boxes brought to
// the front; tests record them.
class Alerts {
public:
    virtual ~Alerts() = default;

    // A message with one button.
    virtual void inform(const QString& message, const QString& text) = 0;
    // A message with "Download" (the default) and "Later"; true when Download was pressed.
    virtual bool offerDownload(const QString& message, const QString& text) = 0;
};

} // namespace tessel
