#pragma once

#include "moments/MomentsTest.h"
#include "paper/Paper.h"
#include "ui/Named.h"
#include "ui/kit/FloatSlider.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/WeightRuler.h"
#include "ui/settings/SettingsContext.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

namespace tessel {

// Widgets over the fake machine, with what a pane is built with and ways to read what it shows.
class UiTest : public MomentsTest {
protected:
    const Settings& settings() const { return store->settings(); }

    SettingsContext context(ShortcutRegistry* shortcuts = nullptr, bool updates = false) {
        SettingsContext made{*store, [] {}, {}, shortcuts};
        if (updates) {
            made.checkForUpdates = [this] { ++updateChecks; };
        }
        return made;
    }

    // A pane of the Settings window over the Store, shown at a window's size so that its
    // controls can be clicked; it lives as long as the test.
    template <typename Pane>
    Pane& show(ShortcutRegistry* shortcuts = nullptr, bool updates = false) {
        contexts.push_back(std::make_unique<SettingsContext>(context(shortcuts, updates)));
        auto pane = std::make_unique<Pane>(*contexts.back());
        Pane& shown = *pane;
        present(shown);
        panes.push_back(std::move(pane));
        return shown;
    }

    // Shows the widget at a window's size, so that its controls can be clicked.
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

    static void choose(QComboBox& box, const QString& text) {
        const int index = box.findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box.setCurrentIndex(index);
        Q_EMIT box.activated(index);
    }

    // The point at that fraction of the ruler's scale.
    static QPoint onRuler(const WeightRuler& ruler, double fraction) {
        const QRectF scale = ruler.scale();
        return QPointF(scale.left() + fraction * scale.width(), scale.center().y()).toPoint();
    }

    static void clickRuler(WeightRuler& ruler, double fraction) {
        QTest::mouseClick(&ruler, Qt::LeftButton, {}, onRuler(ruler, fraction));
    }

    int updateChecks = 0;
    std::vector<std::unique_ptr<SettingsContext>> contexts;
    std::vector<std::unique_ptr<QWidget>> panes;
};

// Lets failed expectations show settings as their JSON.
inline void PrintTo(const Settings& settings, std::ostream* out) {
    *out << toJson(settings).dump();
}

// A pane's test: the Store and its moments started.
class PaneTest : public UiTest {
protected:
    void SetUp() override { startWithMoments(); }
};

} // namespace tessel
