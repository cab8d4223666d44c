#include "ui/settings/AppAdders.h"

#include "platform/Platform.h"
#include "style/Metrics.h"
#include "ui/settings/AppChooser.h"
#include "ui/settings/AppRow.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

namespace tessel {

namespace {

struct RunningApp {
    QString id;
    QString name;
};

// Running apps with an app id, one per id, by name; Tessel's own windows are not an app
// the user would want to list.
QList<RunningApp> runningAppsToOffer(const Platform& platform) {
    QList<RunningApp> apps;
    QStringList seen{Platform::ownAppId()};
    for (const AppInfo& app : platform.runningApps()) {
        const QString id = app.appId.value_or(QString());
        if (!id.isEmpty() && !seen.contains(id)) {
            seen << id;
            apps.append({id, app.name.isEmpty() ? id : app.name});
        }
    }
    std::sort(apps.begin(), apps.end(), [](const RunningApp& a, const RunningApp& b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return apps;
}

} // namespace

AppAdders::AppAdders(Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_menu(new QMenu(this)) {
    auto* running = new QPushButton(QStringLiteral("Add Running App"));
    running->setMenu(m_menu);
    auto* choose = new QPushButton(QStringLiteral("Choose App..."));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(metrics::gap);
    row->addWidget(running);
    row->addWidget(choose);
    row->addStretch();
    connect(m_menu, &QMenu::aboutToShow, this, &AppAdders::fillMenu);
    connect(choose, &QPushButton::clicked, this, &AppAdders::openChooser);
}

void AppAdders::addButton(QPushButton* button) {
    layout()->addWidget(button);
}

void AppAdders::fillMenu() {
    m_menu->clear();
    const QList<RunningApp> apps = runningAppsToOffer(m_platform);
    for (const auto& [id, name] : apps) {
        const auto installed = m_platform.installedApp(id);
        const QString icon = installed ? installed->icon : QString();
        QAction* action = m_menu->addAction(name);
        action->setIcon(QIcon(appIcon(icon, metrics::symbolSize, devicePixelRatioF())));
        action->setEnabled(!m_listed.contains(id));
        connect(action, &QAction::triggered, this, [this, id] { Q_EMIT chosen(id); });
    }
    if (apps.isEmpty()) {
        m_menu->addAction(QStringLiteral("No other apps are running"))->setEnabled(false);
    }
}

void AppAdders::openChooser() {
    auto* chooser = new AppChooser(m_platform.installedApps(), this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &AppChooser::chosen, this, &AppAdders::chosen);
    chooser->open();
}

} // namespace tessel
