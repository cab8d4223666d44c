#include "ui/settings/GeneralPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

GeneralPane::GeneralPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
