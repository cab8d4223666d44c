#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

class SettingsBinder;
struct SettingsContext;

class ArtPane final : public FormPage {
    Q_OBJECT

public:
    explicit ArtPane(SettingsContext& context, QWidget* parent = nullptr);

    // "1 minute", "5 minutes".
    static QString minutesLabel(int minutes);

private:
    void addIdleSection();
    void addCollections();
    void addPreviewButton();

    SettingsBinder* m_binder;
};

} // namespace tessel
