#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class SchedulePane final : public FormPage {
    Q_OBJECT

public:
    explicit SchedulePane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
