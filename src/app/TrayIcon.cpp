#include "app/TrayIcon.h"

#include "core/Store.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <iterator>

namespace tessel {

namespace {

// How far from its edge, in icon sizes, an icon still counts as in a panel along that edge.
constexpr int panelReach = 2;

} // namespace

TrayIcon::TrayIcon(Store& store, std::function<void()> openSettings)
    : m_store(store)
    , m_popover(store, {std::move(openSettings), [] { QCoreApplication::quit(); }}) {
    // settingsChanged also covers a snooze running out: refresh clears snoozedUntil then.
    connect(&m_store, &Store::settingsChanged, this, &TrayIcon::redraw);
    connect(&m_store, &Store::darkChanged, this, &TrayIcon::redraw);
    // What the status line depends on, as the popover follows it.
    for (const auto changed :
         {&Store::settingsChanged, &Store::frontAppChanged, &Store::persistenceChanged}) {
        connect(&m_store, changed, this, &TrayIcon::retell);
    }
    connect(&m_store, &Store::onBatteryChanged, this, &TrayIcon::retell);
    connect(&m_store, &Store::paperVisibleChanged, this, &TrayIcon::retell);
    connect(&m_store.platform(), &Platform::compositorChanged, this, &TrayIcon::retell);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](auto reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context) {
            openPopover();
        }
    });
    redraw();
    retell();
}

bool TrayIcon::hostAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::show() {
    m_icon.show();
}

IconPlace TrayIcon::place() const {
    if (!inPanel()) {
        return IconPlace::noPanel;
    }
    const QRect icon = m_icon.geometry();
    const QScreen* screen = icon.isEmpty() ? nullptr : QGuiApplication::screenAt(icon.center());
    if (!screen) {
        return IconPlace::panel;
    }
    const QPoint centre = icon.center();
    // A panel that keeps windows off its strip of the screen says where it is by that.
    const QRect free = screen->availableGeometry();
    // Otherwise the icon sits within a panel's thickness of its edge. Horizontal panels are
    // the usual kind, so an icon in a corner counts as at the top or the bottom.
    const QRect whole = screen->geometry();
    const int reach = panelReach * std::max(icon.width(), icon.height());
    const std::pair<bool, IconPlace> edges[] = {
        {centre.y() < free.top(), IconPlace::top},
        {centre.y() > free.bottom(), IconPlace::bottom},
        {centre.x() < free.left(), IconPlace::left},
        {centre.x() > free.right(), IconPlace::right},
        {centre.y() - whole.top() <= reach, IconPlace::top},
        {whole.bottom() - centre.y() <= reach, IconPlace::bottom},
        {centre.x() - whole.left() <= reach, IconPlace::left},
        {whole.right() - centre.x() <= reach, IconPlace::right},
    };
    const auto edge = std::find_if(std::begin(edges), std::end(edges),
                                   [](const auto& candidate) { return candidate.first; });
    return edge == std::end(edges) ? IconPlace::panel : edge->second;
}

void TrayIcon::openPopover() {
    if (!inPanel()) {
        m_popover.openAsWindow();
        return;
    }
    const QRect icon = m_icon.geometry();
    m_popover.popUp(icon.isValid() && !icon.isEmpty() ? icon : QRect(QCursor::pos(), QSize(1, 1)));
}

void TrayIcon::retell() {
    const auto status = m_store.status();
    m_icon.setToolTip(status ? QStringLiteral("Tessel \u2014 ") + *status
                             : QStringLiteral("Tessel"));
}

void TrayIcon::redraw() {
    const MenuBarIcon::State state = MenuBarIcon::state(m_store);
    const bool dark = m_store.dark();
    if (m_shown == state && m_shownDark == dark) {
        return;
    }
    m_shown = state;
    m_shownDark = dark;
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    m_icon.setIcon(MenuBarIcon::icon(state, dark, ratio));
}

} // namespace tessel
