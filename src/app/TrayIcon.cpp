#include "app/TrayIcon.h"

#include "core/Store.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace tessel {

TrayIcon::TrayIcon(Store& store, std::function<void()> openSettings)
    : m_store(store)
    , m_popover(store, {std::move(openSettings), [] { QCoreApplication::quit(); }}) {
    m_icon.setToolTip(QStringLiteral("Tessel"));
    // settingsChanged also covers a snooze running out: refresh clears snoozedUntil then.
    connect(&m_store, &Store::settingsChanged, this, &TrayIcon::redraw);
    connect(&m_store, &Store::darkChanged, this, &TrayIcon::redraw);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](auto reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context) {
            openPopover();
        }
    });
    redraw();
}

bool TrayIcon::hostAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::show() {
    m_icon.show();
}

void TrayIcon::openPopover() {
    const QRect icon = m_icon.geometry();
    m_popover.popUp(icon.isValid() && !icon.isEmpty() ? icon : QRect(QCursor::pos(), QSize(1, 1)));
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
