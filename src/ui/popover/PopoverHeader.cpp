#include "ui/popover/PopoverHeader.h"

#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Toggle.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tessel {

namespace {

constexpr qreal titleText = 25;
constexpr qreal titleKerning = -0.2;
constexpr int topPadding = 14;

} // namespace

PopoverHeader::PopoverHeader(QWidget* parent)
    : QWidget(parent)
    , m_switch(new Toggle(this)) {
    auto* title = new QLabel(QStringLiteral("Tessel"), this);
    title->setFont(serifFont(*this, titleText, titleKerning));
    m_switch->setText(QStringLiteral("Paper"));
    m_switch->setAccessibleName(QStringLiteral("Paper on"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(metrics::edge, topPadding, metrics::edge, metrics::wideGap);
    row->addWidget(title);
    row->addStretch();
    row->addWidget(m_switch);
}

} // namespace tessel
