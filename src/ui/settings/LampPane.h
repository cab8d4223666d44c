#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class LampPane final : public FormPage {
    Q_OBJECT

public:
    explicit LampPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
