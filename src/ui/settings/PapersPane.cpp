#include "ui/settings/PapersPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

PapersPane::PapersPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
