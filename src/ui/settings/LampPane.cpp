#include "ui/settings/LampPane.h"

#include "core/Store.h"
#include "ui/kit/FloatSlider.h"
#include "ui/kit/FlowGridLayout.h"
#include "ui/kit/FormSection.h"
#include "ui/settings/LampCard.h"
#include "ui/settings/SettingsBinder.h"
#include "ui/settings/SettingsContext.h"

namespace tessel {

namespace {

constexpr int cardGap = 12;
constexpr int lampSliderWidth = 260;

} // namespace

LampPane::LampPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_binder(new SettingsBinder(context.store, this))
    , m_strength(new FloatSlider(limits::lampStrength.lowest, limits::lampStrength.highest)) {
    addWidget(cardGrid());
    m_strength->setFixedWidth(lampSliderWidth);
    addSection()->addRow(QStringLiteral("Strength"), m_strength);
    m_binder->slider(
        m_strength, [](const Settings& s) { return s.lamp.strength; },
        [](Settings& s, double strength) { s.lamp.strength = strength; });
    m_binder->follow([this] { showSelection(); });
}

QWidget* LampPane::cardGrid() {
    auto* grid = new QWidget;
    auto* layout = new FlowGridLayout(LampCard::minimumWidth, cardGap, true, grid);
    QList<std::optional<Lamp>> lamps{std::nullopt};
    for (const Lamp& lamp : Lamp::presets()) {
        lamps.append(lamp);
    }
    for (const std::optional<Lamp>& lamp : lamps) {
        auto* card = new LampCard(lamp, grid);
        connect(card, &QAbstractButton::clicked, this, [this, id = card->lampId()] {
            m_binder->edit([&id](Settings& s) { s.lamp.id = id; });
        });
        layout->addWidget(card);
        m_cards.append(card);
    }
    return grid;
}

// An unknown stored lamp shows as no lamp, which is what the overlay makes of it.
void LampPane::showSelection() {
    const std::optional<Lamp> lamp = Lamp::find(m_binder->store().settings().lamp.id);
    const std::optional<QString> id = lamp ? std::optional(lamp->id) : std::nullopt;
    for (LampCard* card : m_cards) {
        card->setChecked(card->lampId() == id);
    }
}

} // namespace tessel
