#pragma once

#include "ui/kit/FormPage.h"

#include <QList>

namespace tessel {

class FloatSlider;
class LampCard;
class SettingsBinder;
struct SettingsContext;

class LampPane final : public FormPage {
    Q_OBJECT

public:
    explicit LampPane(SettingsContext& context, QWidget* parent = nullptr);

    QList<LampCard*> cards() const { return m_cards; }
    FloatSlider* strength() const { return m_strength; }

private:
    QWidget* cardGrid();
    void showSelection();

    SettingsBinder* m_binder;
    QList<LampCard*> m_cards;
    FloatSlider* m_strength;
};

} // namespace tessel
