#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

struct SettingsContext;

// A recorder for each global shortcut action, and a word on scripting Tessel.
class ShortcutsPane final : public FormPage {
    Q_OBJECT

public:
    explicit ShortcutsPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
