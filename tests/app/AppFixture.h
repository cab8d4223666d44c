#pragma once

#include "FakeMachineTest.h"

#include <nlohmann/json.hpp>

namespace tessel {

// The fake machine as the app tests see it, its one screen the built-in display.
class AppFixture : public FakeMachineTest {
protected:
    AppFixture()
        : FakeMachineTest(QStringLiteral("SCREEN-A"), QStringLiteral("Built-in Display")) {}
};

} // namespace tessel
