#include "ui/settings/SchedulePane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

SchedulePane::SchedulePane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
