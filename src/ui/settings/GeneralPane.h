#pragma once

#include "ui/kit/FormPage.h"

namespace tessel {

class SettingsBinder;
class Store;
struct SettingsContext;

class GeneralPane final : public FormPage {
    Q_OBJECT

public:
    explicit GeneralPane(SettingsContext& context, QWidget* parent = nullptr);

private:
    void addPaperSection();
    void addAppearanceSection();
    void addBatteryAndCaptureSection();
    void addSoundSection();
    void addButtons(SettingsContext& context);
    QWidget* screenAccessNote();
    void showNote();

    Store& m_store;
    SettingsBinder* m_binder;
    QWidget* m_note = nullptr;
    // Whether Tessel starts at login, as last set or read: the desktop keeps it, not Settings.
    bool m_login = false;
};

} // namespace tessel
