#include "ui/settings/GeneralPane.h"

#include "core/Store.h"
#include "style/Metrics.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/ActionButtons.h"
#include "ui/settings/SettingsBinder.h"
#include "ui/settings/SettingsContext.h"

#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tessel {

namespace {

constexpr int generalPickerWidth = 200;
constexpr qreal unavailableOpacity = 0.45;

QString dayNightLabel(int mode) {
    return static_cast<Settings::DayNight>(mode) == Settings::DayNight::screen
               ? QStringLiteral("What each screen shows")
               : QStringLiteral("System appearance");
}

} // namespace

GeneralPane::GeneralPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_store(context.store)
    , m_binder(new SettingsBinder(context.store, this)) {
    addPaperSection();
    addAppearanceSection();
    addBatteryAndCaptureSection();
    addSoundSection();
    addButtons(context);
}

void GeneralPane::addPaperSection() {
    FormSection* section = addSection();
    m_binder->toggle(
        section->addToggle(QStringLiteral("Paper on")), [](const Settings& s) { return s.enabled; },
        [](Settings& s, bool on) { s.enabled = on; });

    Toggle* login = section->addToggle(QStringLiteral("Open at login"));
    m_login = m_store.platform().isLoginItem();
    login->setChecked(m_login);
    connect(login, &QAbstractButton::clicked, this, [this](bool on) {
        m_login = on;
        m_store.platform().setLoginItem(on);
    });
}

void GeneralPane::addAppearanceSection() {
    FormSection* section = addSection();
    auto* follow = new QComboBox;
    follow->setMinimumWidth(generalPickerWidth);
    m_binder->choice(
        follow,
        {static_cast<int>(Settings::DayNight::system),
         static_cast<int>(Settings::DayNight::screen)},
        dayNightLabel, [](const Settings& s) { return static_cast<int>(s.dayNight); },
        [](Settings& s, int mode) { s.dayNight = static_cast<Settings::DayNight>(mode); });
    section->addRow(QStringLiteral("Day and Night follow"), follow);
    m_note = section->addWidget(screenAccessNote());
    section->setFooter(
        QStringLiteral("Day paper shows on light screens, Night paper on dark ones."));
    m_binder->follow([this] { showNote(); });
    connect(&m_store, &Store::screenAccessChanged, this, &GeneralPane::showNote);
}

QWidget* GeneralPane::screenAccessNote() {
    auto* note = new QWidget;
    auto* text = new QLabel(
        QStringLiteral("Tessel needs Screen Recording access to see whether a screen is light or "
                       "dark. It reads a tiny 32 x 20 sample and never saves it."));
    text->setWordWrap(true);
    auto* allow = new QPushButton(QStringLiteral("Allow"));
    // Sampling asks the desktop for capture again, and the note goes once it is granted.
    connect(allow, &QPushButton::clicked, &m_store, &Store::restartSampling);
    auto* layout = new QHBoxLayout(note);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(metrics::wideGap);
    layout->addWidget(text, 1);
    layout->addWidget(allow, 0, Qt::AlignVCenter);
    return note;
}

void GeneralPane::showNote() {
    const bool bySample = m_store.settings().dayNight == Settings::DayNight::screen;
    m_note->setVisible(bySample && !m_store.screenAccess());
}

void GeneralPane::addBatteryAndCaptureSection() {
    FormSection* section = addSection();
    m_binder->toggle(
        section->addToggle(QStringLiteral("Pause on battery")),
        [](const Settings& s) { return s.pauseOnBattery; },
        [](Settings& s, bool on) { s.pauseOnBattery = on; });

    Toggle* hide = section->addToggle(QStringLiteral("Hide paper from screenshots and recordings"));
    m_binder->toggle(
        hide, [](const Settings& s) { return s.hideFromScreenshots; },
        [](Settings& s, bool on) { s.hideFromScreenshots = on; });
    // Where the desktop cannot hide the paper the choice is kept for one that can. The switch
    // draws alike either way, so the whole row fades to read as unavailable.
    const auto cannotHide = m_store.platform().unavailable(DesktopAbility::hideFromCapture);
    if (!cannotHide) {
        return;
    }
    QWidget* hideRow = hide->parentWidget();
    hideRow->setEnabled(false);
    auto* faded = new QGraphicsOpacityEffect(hideRow);
    faded->setOpacity(unavailableOpacity);
    hideRow->setGraphicsEffect(faded);
    section->setFooter(*cannotHide);
}

void GeneralPane::addSoundSection() {
    FormSection* section = addSection();
    m_binder->toggle(
        section->addToggle(QStringLiteral("Sounds")), [](const Settings& s) { return s.sounds; },
        [](Settings& s, bool on) { s.sounds = on; });
    // There is no trackpad feedback to give on Linux; its stored choice is left as it is.
}

void GeneralPane::addButtons(SettingsContext& context) {
    QPushButton* welcome = actionButton(QStringLiteral("Show Welcome Again"));
    connect(welcome, &QPushButton::clicked, this, [show = context.showWelcome] {
        if (show) {
            show();
        }
    });
    QList<QPushButton*> buttons{welcome};
    if (context.checkForUpdates) {
        QPushButton* updates = actionButton(QStringLiteral("Check for Updates"));
        connect(updates, &QPushButton::clicked, this, context.checkForUpdates);
        buttons.append(updates);
    }
    addWidget(buttonRow(buttons));
}

} // namespace tessel
