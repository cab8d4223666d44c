#pragma once

#include "TestSession.h"

#include <QStringList>

#include <string>
#include <vector>

namespace tessel::test {

// A private headless sway: one 1280×720 output drawn by the pixman renderer, no input devices,
// no X at all. sway refuses to run as root, so under root it runs as "nobody" in a runtime
// folder of its own; clients keep their own user and reach it by the socket's full path. This
// process and its children are its clients from construction on. Construction throws
// std::runtime_error when a program is missing or sway does not come up.
class TestSway : public TestSession {
public:
    TestSway();

    QImage screenshot(QRect area = {}) const override;
    // Runs swaymsg with these arguments; whether sway answered with success.
    bool command(const QString& command) const;

private:
    std::unique_ptr<ChildProcess> m_sway;
};

} // namespace tessel::test
