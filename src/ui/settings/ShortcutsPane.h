#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

struct SettingsContext;

// A recorder for each global shortcut action, or where the desktop lets no app set
// system-wide shortcuts, why not and the command each action runs from the desktop's own key
// bindings; then a word on scripting Tessel.
class ShortcutsPane final : public FormPage {
    Q_OBJECT

public:
    explicit ShortcutsPane(SettingsContext& context, QWidget* parent = nullptr);

private:
    void addRecorders(SettingsContext& context);
    void addCommands(const QString& reason);
};

} // namespace tessel
