#include "app/TrayIcon.h"

#include "core/Store.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace tessel {

TrayIcon::TrayIcon(Store& store, std::function<void()> openSettings)
    : m_store(store)
    , m_openSettings(std::move(openSettings)) {
    m_icon.setToolTip(QStringLiteral("Tessel"));
    m_icon.setContextMenu(&m_menu);
    // settingsChanged also covers a snooze running out: refresh clears snoozedUntil then.
    connect(&m_store, &Store::settingsChanged, this, &TrayIcon::redraw);
    connect(&m_store, &Store::darkChanged, this, &TrayIcon::redraw);
    connect(&m_menu, &QMenu::aboutToShow, this, &TrayIcon::updateMenu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](auto reason) {
        if (reason == QSystemTrayIcon::Trigger) {
            m_menu.popup(QCursor::pos());
        }
    });
    buildMenu();
    redraw();
}

bool TrayIcon::hostAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::show() {
    m_icon.show();
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

void TrayIcon::buildMenu() {
    m_paper = m_menu.addAction(QStringLiteral("Paper"));
    m_paper->setCheckable(true);
    connect(m_paper, &QAction::triggered, this,
            [this](bool on) { m_store.updateSettings([on](Settings& s) { s.enabled = on; }); });

    m_resume =
        m_menu.addAction(QStringLiteral("Resume"), this, [this] { m_store.snooze(std::nullopt); });
    m_snoozeMenu.addAction(QStringLiteral("For 15 Minutes"), this, [this] { m_store.snooze(900); });
    m_snoozeMenu.addAction(QStringLiteral("For 1 Hour"), this, [this] { m_store.snooze(3600); });
    m_snoozeMenu.addAction(QStringLiteral("Until Tomorrow"), this,
                           [this] { m_store.snoozeUntilTomorrow(); });
    m_menu.addMenu(&m_snoozeMenu);

    m_menu.addSeparator();
    m_menu.addAction(QStringLiteral("Settings"), this, [this] { m_openSettings(); });
    m_menu.addAction(QStringLiteral("Quit"), qApp, &QCoreApplication::quit);
    updateMenu();
}

// Read afresh each time the menu opens, like the popover it stands in for.
void TrayIcon::updateMenu() {
    m_paper->setChecked(m_store.settings().enabled);
    const bool snoozed = m_store.isSnoozed();
    m_resume->setVisible(snoozed);
    m_snoozeMenu.menuAction()->setVisible(!snoozed);
}

} // namespace tessel
