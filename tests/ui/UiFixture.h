#pragma once

#include "FakeMachineTest.h"
#include "WaitFor.h"
#include "paper/Paper.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tessel {

// A fake machine for widget tests, onboarded unless a test stores other settings before
// calling startStore.
class UiTest : public FakeMachineTest {
protected:
    UiTest()
        : FakeMachineTest(QStringLiteral("A"), QStringLiteral("A")) {}

    bool previewsReady() const {
        return waitFor([this] { return store->previews().size() >= Paper::builtIn().size(); });
    }

    // The child button with this accessible name or text.
    template <typename Button = QAbstractButton>
    static Button* button(const QWidget& parent, const QString& name) {
        for (Button* b : parent.findChildren<Button*>()) {
            if (b->accessibleName() == name || b->text() == name) {
                return b;
            }
        }
        return nullptr;
    }
};

} // namespace tessel
