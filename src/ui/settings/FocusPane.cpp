#include "ui/settings/FocusPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

FocusPane::FocusPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
