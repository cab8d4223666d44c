#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class GeneralPane final : public FormPage {
    Q_OBJECT

public:
    explicit GeneralPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
