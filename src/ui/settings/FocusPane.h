#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

class SettingsBinder;
struct SettingsContext;

class FocusPane final : public FormPage {
    Q_OBJECT

public:
    explicit FocusPane(SettingsContext& context, QWidget* parent = nullptr);

private:
    void addSheetSection();
    void addRulerSection();
    void addRestSection();

    SettingsBinder* m_binder;
};

} // namespace tessel
