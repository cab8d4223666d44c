#pragma once

#include "ui/settings/Pane.h"

#include <memory>

class QWidget;

namespace tessel {

struct SettingsContext;

// A fresh view of the pane, reading the Store as it is now.
std::unique_ptr<QWidget> makePane(Pane pane, SettingsContext& context);

} // namespace tessel
