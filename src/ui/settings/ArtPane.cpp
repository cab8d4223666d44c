#include "ui/settings/ArtPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

ArtPane::ArtPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
