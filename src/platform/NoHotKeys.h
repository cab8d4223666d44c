#pragma once

#include "platform/HotKeys.h"

namespace tessel {

// Where nothing grabs keys for Tessel: every combination stays with the desktop.
class NoHotKeys final : public HotKeys {
public:
    Grab bind(const QString&, QKeyCombination) override { return Grab::unsupported; }
    void unbind(const QString&) override {}
};

} // namespace tessel
