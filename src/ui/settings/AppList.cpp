#include "ui/settings/AppList.h"

#include "ui/settings/AppRow.h"
#include "ui/settings/FoldButton.h"
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
    , m_installed(new RowList)
    , m_fold(new FoldButton)
    , m_missing(new RowList)
    , m_empty(new QLabel(QStringLiteral("No apps yet."))) {
    m_empty->setForegroundRole(QPalette::PlaceholderText);
    m_empty->setMinimumHeight(emptyHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_installed);
    layout->addWidget(m_fold);
    layout->addWidget(m_missing);
    layout->addWidget(m_empty);
    connect(m_fold, &FoldButton::toggled, this, &AppList::showFolded);
}

bool AppList::setApps(const QStringList& appIds, const Decorate& decorate) {
    if (m_shown == appIds) {
        return false;
    }
    m_shown = appIds;
    m_installed->clear();
    m_missing->clear();
    int missing = 0;
    for (const QString& id : appIds) {
        auto* row = new AppRow(m_platform, id);
        if (decorate) {
            decorate(*row);
        }
        connect(row, &AppRow::removeRequested, this, &AppList::removeRequested);
        (row->installed() ? m_installed : m_missing)->addRow(row);
        missing += row->installed() ? 0 : 1;
    }
    const int installed = static_cast<int>(appIds.size()) - missing;
    m_fold->setText(installed > 0 ? QStringLiteral("%1 more not installed").arg(missing)
                                  : QStringLiteral("%1 not installed").arg(missing));
    m_installed->setVisible(installed > 0);
    m_fold->setVisible(missing > 0);
    m_empty->setVisible(appIds.isEmpty());
    showFolded();
    return true;
}

void AppList::showFolded() {
    m_missing->setVisible(m_fold->isVisibleTo(this) && m_fold->isChecked());
}

} // namespace tessel
