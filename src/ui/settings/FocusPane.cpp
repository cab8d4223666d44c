#include "ui/settings/FocusPane.h"

#include "core/Store.h"
#include "style/Metrics.h"
#include "ui/kit/FloatSlider.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/Toggle.h"
#include "ui/kit/WhyNotNote.h"
#include "ui/settings/ActionButtons.h"
#include "ui/settings/SettingsBinder.h"
#include "ui/settings/SettingsContext.h"

#include <QComboBox>
#include <QPushButton>

namespace tessel {

namespace {

constexpr int focusSliderWidth = 240;
constexpr int focusPickerWidth = 190;

FloatSlider* slider(SettingRange<double> range) {
    auto* slider = new FloatSlider(range.lowest, range.highest);
    slider->setFixedWidth(focusSliderWidth);
    return slider;
}

QComboBox* picker() {
    auto* box = new QComboBox;
    box->setMinimumWidth(focusPickerWidth);
    return box;
}

} // namespace

FocusPane::FocusPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_binder(new SettingsBinder(context.store, this)) {
    addSheetSection();
    addRulerSection();
    addRestSection();
}

void FocusPane::addSheetSection() {
    FormSection* section = addSection();
    m_binder->toggle(
        section->addToggle(QStringLiteral("Focus Sheet")),
        [](const Settings& s) { return s.focusSheet; },
        [](Settings& s, bool on) { s.focusSheet = on; });
    FloatSlider* depth = slider(limits::focusStrength);
    section->addRow(QStringLiteral("Depth"), depth);
    m_binder->slider(
        depth, [](const Settings& s) { return s.focusStrength; },
        [](Settings& s, double strength) { s.focusStrength = strength; });
    // Without the front window's frame the sheet still veils, as when no window is in front.
    explain(section, m_binder->store().platform().unavailable(DesktopAbility::frontWindow));
    section->setFooter(QStringLiteral(
        "Everything except the window you are working in sinks back under heavier paper."));
}

void FocusPane::addRulerSection() {
    FormSection* section = addSection();
    const auto noPointer = m_binder->store().platform().unavailable(DesktopAbility::pointer);
    Toggle* ruler = section->addToggle(QStringLiteral("Reading Ruler"));
    WhyNotNote::disable(*ruler, noPointer);
    m_binder->toggle(
        ruler, [](const Settings& s) { return s.ruler; },
        [](Settings& s, bool on) { s.ruler = on; });
    FloatSlider* band = slider(limits::rulerHeight);
    section->addRow(QStringLiteral("Band height"), band);
    m_binder->slider(
        band, [](const Settings& s) { return s.rulerHeight; },
        [](Settings& s, double height) { s.rulerHeight = height; });
    explain(section, noPointer);
    section->setFooter(QStringLiteral(
        "A clear band follows the line under your cursor, so your eyes keep their place."));
}

void FocusPane::explain(FormSection* section, const std::optional<QString>& reason) {
    auto* note = new WhyNotNote;
    note->explain(reason);
    section->addWidget(note)->setVisible(reason.has_value());
}

void FocusPane::addRestSection() {
    FormSection* section = addSection();
    m_binder->toggle(
        section->addToggle(QStringLiteral("Rest Page")), [](const Settings& s) { return s.rest; },
        [](Settings& s, bool on) { s.rest = on; });
    QComboBox* every = picker();
    m_binder->choice(
        every, limits::restEveryMinutes,
        [](int minutes) { return QStringLiteral("%1 minutes of use").arg(minutes); },
        [](const Settings& s) { return s.restEvery; },
        [](Settings& s, int minutes) { s.restEvery = minutes; });
    section->addRow(QStringLiteral("Every"), every);
    QComboBox* length = picker();
    m_binder->choice(
        length, limits::restLengthSeconds,
        [](int seconds) { return QStringLiteral("%1 seconds").arg(seconds); },
        [](const Settings& s) { return s.restLength; },
        [](Settings& s, int seconds) { s.restLength = seconds; });
    section->addRow(QStringLiteral("For"), length);
    QPushButton* tryIt = actionButton(QStringLiteral("Try It Now"));
    connect(tryIt, &QPushButton::clicked, &m_binder->store(), &Store::showRestNow);
    section->addRow(QString(), tryIt);
    section->setFooter(QStringLiteral(
        "A blank page and a slow breath, so your eyes can refocus on something far away.\n"
        "Rests wait while you're in a call or sharing your screen."));
}

} // namespace tessel
