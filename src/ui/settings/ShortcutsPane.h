#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class ShortcutsPane final : public FormPage {
    Q_OBJECT

public:
    explicit ShortcutsPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
