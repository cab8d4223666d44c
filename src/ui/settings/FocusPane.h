#pragma once

#include "ui/kit/FormPage.h"

#include <optional>

namespace tessel {

class FormSection;
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
    // A row saying why the section's tool cannot do all it says on this desktop.
    void explain(FormSection* section, const std::optional<QString>& reason);

    SettingsBinder* m_binder;
};

} // namespace tessel
