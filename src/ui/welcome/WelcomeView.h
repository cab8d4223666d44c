#pragma once

#include "platform/Platform.h"
#include "ui/welcome/WelcomePanelStep.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace tessel {

class PressButton;
class StepTransition;
class Store;
class WelcomeIntro;
class WelcomePaperStep;

// The first-run flow in four steps: lay the paper down, choose a Day paper, choose a Night
// paper, and find Tessel in the panel. Return presses each step's default button.
class WelcomeView final : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        // Asks the overlay to drop the next paper in from above; optional.
        std::function<void()> dropIn;
        std::function<void()> openSettings;
        // Closes the window the view is in.
        std::function<void()> close;
        // The panel icon in its On form, at `scale` pixels per point, in `ink`.
        std::function<QImage(qreal scale, const QColor& ink)> panelIcon;
        // Where the icon is, asked as the last step comes in; optional.
        std::function<IconPlace()> iconPlace;
    };

    static constexpr QSize fixedSize{560, 640};
    static constexpr int steps = 4;

    WelcomeView(Store& store, Actions actions, QWidget* parent = nullptr);
    ~WelcomeView() override;

    int step() const { return m_step; }
    void setStep(int step);
    QWidget* page(int step) const { return m_pages.at(static_cast<std::size_t>(step)); }

    WelcomeIntro& intro() const { return *m_intro; }
    WelcomePaperStep& dayStep() const { return *m_day; }
    WelcomePaperStep& nightStep() const { return *m_night; }
    WelcomePanelStep& panelStep() const { return *m_panel; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layItDown();
    PressButton* defaultButton() const;
    void showAppearance();
    void showCompositor();
    QImage panelIcon() const;
    void connectSteps();

    Store& m_store;
    Actions m_actions;
    WelcomeIntro* m_intro;
    WelcomePaperStep* m_day;
    WelcomePaperStep* m_night;
    WelcomePanelStep* m_panel;
    std::array<QWidget*, steps> m_pages;
    StepTransition* m_transition;
    std::unique_ptr<Timer> m_afterLaying;
    int m_step = 0;
};

} // namespace tessel
