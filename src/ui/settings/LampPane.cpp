#include "ui/settings/LampPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

LampPane::LampPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
