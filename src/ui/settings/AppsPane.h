#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class AppsPane final : public FormPage {
    Q_OBJECT

public:
    explicit AppsPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
