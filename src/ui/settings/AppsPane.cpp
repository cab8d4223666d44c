#include "ui/settings/AppsPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

AppsPane::AppsPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
