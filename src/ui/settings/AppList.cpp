#include "ui/settings/AppList.h"

#include "style/Metrics.h"
#include "ui/settings/AppRow.h"
#include "ui/settings/RowList.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int emptyHeight = 24;

} // namespace

AppList::AppList(const Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_rows(new RowList)
    , m_empty(new QLabel(QStringLiteral("No apps yet."))) {
    m_empty->setForegroundRole(QPalette::PlaceholderText);
    m_empty->setMinimumHeight(emptyHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_rows);
    layout->addWidget(m_empty);
}

bool AppList::setApps(const QStringList& appIds, const Decorate& decorate) {
    if (m_shown == appIds) {
        return false;
    }
    m_shown = appIds;
    m_rows->clear();
    for (const QString& id : appIds) {
        auto* row = new AppRow(m_platform, id);
        if (decorate) {
            decorate(*row);
        }
        connect(row, &AppRow::removeRequested, this, &AppList::removeRequested);
        m_rows->addRow(row);
    }
    m_rows->setVisible(!appIds.isEmpty());
    m_empty->setVisible(appIds.isEmpty());
    return true;
}

} // namespace tessel
