#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class DisplaysPane final : public FormPage {
    Q_OBJECT

public:
    explicit DisplaysPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
