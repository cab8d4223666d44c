#include "moments/MomentWindow.h"

#include "platform/GlobalFrames.h"
#include "style/Easing.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tessel {

MomentWindow::MomentWindow(const ScreenInfo& screen, std::unique_ptr<MomentView> view)
    : m_view(std::move(view)) {
    // Bypassing the window manager keeps the moment above the paper, which bypasses it too;
    // such a window still takes the focus when asked to.
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
             Qt::X11BypassWindowManagerHint);
    setTitle(QStringLiteral("Tessel moment"));
    setGeometry(toQtRect(screen.frame, primaryBottomEdge()).toAlignedRect());
    setOpacity(0);
    connect(m_view.get(), &MomentView::changed, this, [this] { update(); });

    m_fade.setEasingCurve(easeOut());
    connect(&m_fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setOpacity(value.toDouble()); });
    connect(&m_fade, &QVariantAnimation::finished, this, [this] {
        if (m_fadeCompletion) {
            std::exchange(m_fadeCompletion, nullptr)();
        }
    });
}

MomentWindow::~MomentWindow() = default;

void MomentWindow::fade(double opacity, std::chrono::milliseconds duration,
                        std::function<void()> completion) {
    m_fade.stop();
    m_fadeCompletion = std::move(completion);
    if (duration.count() <= 0) {
        setOpacity(opacity);
        if (m_fadeCompletion) {
            std::exchange(m_fadeCompletion, nullptr)();
        }
        return;
    }
    m_fade.setDuration(static_cast<int>(duration.count()));
    m_fade.setStartValue(this->opacity());
    m_fade.setEndValue(opacity);
    m_fade.start();
}

void MomentWindow::showEvent(QShowEvent* event) {
    QRasterWindow::showEvent(event);
    if (!m_appeared) {
        m_appeared = true;
        m_view->appear();
    }
}

void MomentWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_view->paint(painter, size());
}

void MomentWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (onDismiss) {
        onDismiss();
    }
}

void MomentWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (onDismiss) {
        onDismiss();
    }
}

} // namespace tessel
