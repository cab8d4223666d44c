#include "ui/popover/PopoverHeader.h"

#include "ui/kit/SectionHeading.h"
#include "ui/kit/Toggle.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tessel {

PopoverHeader::PopoverHeader(QWidget* parent)
    : QWidget(parent)
    , m_switch(new Toggle(this)) {
    auto* title = new QLabel(QStringLiteral("Tessel"), this);
    title->setFont(serifFont(*this, 25, -0.2));
    m_switch->setText(QStringLiteral("Paper"));
    m_switch->setAccessibleName(QStringLiteral("Paper on"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(18, 14, 18, 12);
    row->addWidget(title);
    row->addStretch();
    row->addWidget(m_switch);
}

} // namespace tessel
