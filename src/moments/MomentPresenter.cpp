#include "moments/MomentPresenter.h"

namespace tessel {

MomentPresenter::MomentPresenter(Platform& platform)
    : m_platform(platform) {}

MomentPresenter::~MomentPresenter() {
    for (const QPointer<MomentWindow>& window : m_leaving) {
        delete window.data();
    }
}

std::chrono::milliseconds MomentPresenter::motion(std::chrono::milliseconds duration) const {
    return m_platform.reduceMotion() ? std::chrono::milliseconds(0) : duration;
}

void MomentPresenter::show(const Content& content, std::function<void()> onDismiss,
                           std::chrono::milliseconds fadeIn) {
    if (isShowing()) {
        return;
    }
    m_previousApp = m_platform.frontmostApp();
    for (const ScreenInfo& screen : m_platform.screens()) {
        auto window = std::make_unique<MomentWindow>(screen, content(screen));
        window->onDismiss = onDismiss;
        window->show();
        m_windows.push_back(std::move(window));
    }
    if (!m_windows.empty()) {
        m_windows.front()->requestActivate();
    }
    for (const auto& window : m_windows) {
        window->fade(1, motion(fadeIn), nullptr);
    }
}

void MomentPresenter::hide() {
    if (!isShowing()) {
        return;
    }
    std::erase_if(m_leaving, [](const QPointer<MomentWindow>& window) { return !window; });
    for (auto& owned : std::exchange(m_windows, {})) {
        MomentWindow* window = owned.release();
        window->onDismiss = nullptr;
        m_leaving.emplace_back(window);
        window->fade(0, motion(fadeOut), [window] {
            window->hide();
            window->deleteLater();
        });
    }
    returnFocus();
}

void MomentPresenter::returnFocus() {
    const std::optional<AppInfo> previous = std::exchange(m_previousApp, std::nullopt);
    if (previous && previous->appId != Platform::ownAppId()) {
        m_platform.bringToFront(*previous);
    }
}

} // namespace tessel
