#include "ui/settings/PapersPane.h"

#include "ui/kit/FormSection.h"
#include "ui/settings/SettingsContext.h"
#include "ui/settings/SlotEditor.h"

namespace tessel {

PapersPane::PapersPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_day(new SlotEditor(context.store, false))
    , m_night(new SlotEditor(context.store, true)) {
    addSection(QStringLiteral("Day paper"))->addWidget(m_day);
    addSection(QStringLiteral("Night paper"))->addWidget(m_night);
}

} // namespace tessel
