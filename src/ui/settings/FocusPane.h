#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class FocusPane final : public FormPage {
    Q_OBJECT

public:
    explicit FocusPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
