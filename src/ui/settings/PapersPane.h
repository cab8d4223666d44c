#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class PapersPane final : public FormPage {
    Q_OBJECT

public:
    explicit PapersPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
