#include "ui/settings/AppChooser.h"

#include "style/Metrics.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/settings/AppRow.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int chooserIconSize = 24;
constexpr QSize startSize(360, 440);

} // namespace

AppChooser::AppChooser(const QList<InstalledApp>& apps, QWidget* parent)
    : QDialog(parent)
    , m_search(new QLineEdit)
    , m_list(new QListWidget) {
    setWindowTitle(QStringLiteral("Choose App"));
    resize(startSize);
    m_search->setPlaceholderText(QStringLiteral("Search apps"));
    m_search->setAccessibleName(QStringLiteral("Search apps"));
    m_search->setClearButtonEnabled(true);
    m_list->setIconSize(QSize(chooserIconSize, chooserIconSize));
    m_list->setUniformItemSizes(true);
    for (const InstalledApp& app : apps) {
        auto* item = new QListWidgetItem(app.name, m_list);
        item->setData(Qt::UserRole, app.id);
        item->setToolTip(plainToolTip(app.id));
        item->setIcon(QIcon(appIcon(app.icon, chooserIconSize, devicePixelRatioF())));
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    m_add = buttons->addButton(QStringLiteral("Add"), QDialogButtonBox::AcceptRole);
    m_add->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &AppChooser::filter);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](const QListWidgetItem* item) { m_add->setEnabled(item && !item->isHidden()); });
    connect(m_list, &QListWidget::itemActivated, this, &AppChooser::choose);
    connect(buttons, &QDialogButtonBox::accepted, this, &AppChooser::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// Matches names and ids, so "gimp" finds "GNU Image Manipulation Program" too.
void AppChooser::filter(const QString& text) {
    const QString needle = text.trimmed();
    QListWidgetItem* firstShown = nullptr;
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        const bool match =
            item->text().contains(needle, Qt::CaseInsensitive) ||
            item->data(Qt::UserRole).toString().contains(needle, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !firstShown) {
            firstShown = item;
        }
    }
    m_list->setCurrentItem(firstShown);
}

void AppChooser::choose() {
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || item->isHidden()) {
        return;
    }
    Q_EMIT chosen(item->data(Qt::UserRole).toString());
    accept();
}

} // namespace tessel
