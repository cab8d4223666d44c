#pragma once

#include "ui/UiFixture.h"
#include "ui/kit/FormSection.h"
#include "ui/settings/SettingsContext.h"

#include <QLabel>

namespace tessel {

// A started Store and the context a pane is built with.
class PaneTest : public UiTest {
protected:
    void SetUp() override { startStore(); }

    SettingsContext context(ShortcutRegistry* shortcuts = nullptr) {
        return {*store, {}, {}, shortcuts};
    }

    template <typename Widget = QWidget>
    static Widget* named(const QWidget& parent, const QString& name) {
        for (Widget* widget : parent.findChildren<Widget*>()) {
            if (widget->accessibleName() == name) {
                return widget;
            }
        }
        return nullptr;
    }

    // Shows the pane at a window's size, so that its controls can be clicked.
    static void present(QWidget& pane) {
        pane.resize(640, 900);
        pane.show();
        QCoreApplication::processEvents();
    }

    // The texts of the labels a person could see, leaving hidden rows out.
    static QStringList visibleTexts(const QWidget& widget) {
        QStringList texts;
        for (const QLabel* label : widget.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&widget) && !label->text().isEmpty()) {
                texts << label->text();
            }
        }
        return texts;
    }

    static FormSection* section(const QWidget& pane, const QString& title) {
        for (FormSection* candidate : pane.findChildren<FormSection*>()) {
            for (const QLabel* heading :
                 candidate->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (heading->text() == title) {
                    return candidate;
                }
            }
        }
        return nullptr;
    }
};

} // namespace tessel
