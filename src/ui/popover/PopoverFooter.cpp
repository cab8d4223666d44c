#include "ui/popover/PopoverFooter.h"

#include "core/Store.h"
#include "style/Metrics.h"
#include "ui/popover/QuietButton.h"

#include <QHBoxLayout>

namespace tessel {

namespace {

constexpr int rowPadding = 10;
constexpr int buttonGap = 14;

} // namespace

PopoverFooter::PopoverFooter(Store& store, QWidget* parent)
    : QWidget(parent)
    , m_snooze(new QuietButton(QStringLiteral("Snooze"), Glyph::snooze, this))
    , m_resume(new QuietButton(QStringLiteral("Resume"), Glyph::play, this))
    , m_settings(new QuietButton(QStringLiteral("Settings"), Glyph::gear, this))
    , m_quit(new QuietButton(QStringLiteral("Quit"), std::nullopt, this)) {
    m_menu.addAction(QStringLiteral("For 15 Minutes"), this, [&store] { store.snooze(900); });
    m_menu.addAction(QStringLiteral("For 1 Hour"), this, [&store] { store.snooze(3600); });
    m_menu.addAction(QStringLiteral("Until Tomorrow"), this,
                     [&store] { store.snoozeUntilTomorrow(); });
    m_snooze->setMenu(&m_menu);
    connect(m_resume, &QAbstractButton::clicked, this, [&store] { store.snooze(std::nullopt); });
    m_settings->setToolTip(QStringLiteral("Settings (Ctrl+,)"));
    m_quit->setToolTip(QStringLiteral("Quit Tessel (Ctrl+Q)"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(metrics::edge, rowPadding, metrics::edge, rowPadding);
    row->setSpacing(buttonGap);
    row->addWidget(m_snooze);
    row->addWidget(m_resume);
    row->addStretch();
    row->addWidget(m_settings);
    row->addWidget(m_quit);
    showSnoozed(store.isSnoozed());
}

void PopoverFooter::showSnoozed(bool snoozed) {
    m_snooze->setVisible(!snoozed);
    m_resume->setVisible(snoozed);
}

} // namespace tessel
