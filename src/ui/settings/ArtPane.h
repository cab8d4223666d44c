#pragma once

#include "ui/FormPage.h"

namespace tessel {

struct SettingsContext;

class ArtPane final : public FormPage {
    Q_OBJECT

public:
    explicit ArtPane(SettingsContext& context, QWidget* parent = nullptr);
};

} // namespace tessel
