#include "ui/settings/DisplaysPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

DisplaysPane::DisplaysPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
