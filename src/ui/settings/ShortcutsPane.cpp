#include "ui/settings/ShortcutsPane.h"

#include "ui/settings/SettingsContext.h"

namespace tessel {

ShortcutsPane::ShortcutsPane(SettingsContext&, QWidget* parent)
    : FormPage(parent) {}

} // namespace tessel
