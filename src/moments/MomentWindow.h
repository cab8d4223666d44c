#pragma once

#include "moments/MomentView.h"
#include "platform/Platform.h"

#include <QRasterWindow>
#include <QVariantAnimation>

#include <chrono>
#include <functional>
#include <memory>

namespace tessel {

// A borderless window over one whole screen, above the paper, that takes the keyboard.
// Any click or key press in it runs onDismiss and goes no further.
class MomentWindow final : public QRasterWindow {
    Q_OBJECT

public:
    MomentWindow(const ScreenInfo& screen, std::unique_ptr<MomentView> view);
    ~MomentWindow() override;

    std::function<void()> onDismiss;

    MomentView& view() const { return *m_view; }

    // Eases the window's opacity to the target, then runs completion. A zero duration is
    // instant; a new fade replaces one under way, whose completion then never runs.
    void fade(double opacity, std::chrono::milliseconds duration, std::function<void()> completion);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<MomentView> m_view;
    QVariantAnimation m_fade;
    std::function<void()> m_fadeCompletion;
    bool m_appeared = false;
};

} // namespace tessel
