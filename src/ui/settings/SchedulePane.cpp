#include "ui/settings/SchedulePane.h"

#include "core/StatusText.h"
#include "core/Store.h"
#include "core/SunTimes.h"
#include "style/Metrics.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/WarningLabel.h"
#include "ui/settings/RadioPicker.h"
#include "ui/settings/SettingsContext.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>

namespace tessel {

namespace {

constexpr int cityWidth = 180;
constexpr int timeWidth = 90;

QString shortTimeIn(const QDateTime& time, const QTimeZone& zone) {
    return shortTime(time.toTimeZone(zone).time());
}

} // namespace

SchedulePane::SchedulePane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_store(context.store)
    , m_mode(
          new RadioPicker({QStringLiteral("All the time"), QStringLiteral("From sunset to sunrise"),
                           QStringLiteral("Between set hours")}))
    , m_city(new QLineEdit)
    , m_set(new QPushButton(QStringLiteral("Set")))
    , m_problem(new WarningLabel)
    , m_today(new ElidedLabel)
    , m_sunTimes(new QLabel) {
    FormSection* section = addSection();
    section->addRow(QStringLiteral("Paper shows"), m_mode);
    m_cityRow = section->addRow(QStringLiteral("City"), placeControls());
    m_problemRow = section->addWidget(m_problem);
    m_sunRow = section->addWidget(sunTimesLine());
    m_from = timePicker(&Schedule::from);
    m_until = timePicker(&Schedule::to);
    m_fromRow = section->addRow(QStringLiteral("From"), m_from);
    m_untilRow = section->addRow(QStringLiteral("Until"), m_until);
    section->setFooter(QStringLiteral(
        "Sun times are worked out on your computer. Tessel never asks for your location."));
    connect(m_mode, &RadioPicker::chosen, this, [this](int index) {
        m_store.updateSettings(
            [index](Settings& s) { s.schedule.mode = static_cast<Schedule::Mode>(index); });
    });
    connect(&m_store, &Store::settingsChanged, this, &SchedulePane::sync);
    sync();
}

QWidget* SchedulePane::placeControls() {
    auto* controls = new QWidget;
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(metrics::gap);
    m_city->setPlaceholderText(QStringLiteral("e.g. Mumbai"));
    m_city->setAccessibleName(QStringLiteral("City"));
    m_city->setFixedWidth(cityWidth);
    m_city->setText(m_store.settings().schedule.place);
    row->addWidget(m_city);
    row->addWidget(m_set);
    connect(m_set, &QPushButton::clicked, this, &SchedulePane::findPlace);
    connect(m_city, &QLineEdit::returnPressed, this, &SchedulePane::findPlace);
    connect(m_city, &QLineEdit::textEdited, this, [this] {
        m_problem->say({});
        sync();
    });
    return controls;
}

QWidget* SchedulePane::sunTimesLine() {
    auto* line = new QWidget;
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    m_sunTimes->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(m_today, 1);
    row->addWidget(m_sunTimes);
    return line;
}

QTimeEdit* SchedulePane::timePicker(int Schedule::*minutes) {
    auto* picker = new QTimeEdit;
    picker->setDisplayFormat(QStringLiteral("HH:mm"));
    picker->setFixedWidth(timeWidth);
    picker->setWrapping(true);
    connect(picker, &QTimeEdit::timeChanged, this, [this, minutes](QTime time) {
        const int value = time.hour() * 60 + time.minute();
        m_store.updateSettings([&](Settings& s) { s.schedule.*minutes = value; });
    });
    return picker;
}

// The lookup is offline and quick, but a slow machine should still show that it is busy.
void SchedulePane::findPlace() {
    const QString text = m_city->text().trimmed();
    if (text.isEmpty()) {
        return;
    }
    m_set->setText(QStringLiteral("Finding..."));
    m_set->setEnabled(false);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const bool found = m_store.geocode(text);
    m_set->setText(QStringLiteral("Set"));
    m_set->setEnabled(true);
    m_problem->say(found ? QString()
                         : QStringLiteral("Couldn't find that place. Try a nearby city."));
    if (found) {
        m_city->setText(m_store.settings().schedule.place);
    }
    sync();
}

void SchedulePane::sync() {
    const Schedule& schedule = m_store.settings().schedule;
    m_mode->setCurrent(static_cast<int>(schedule.mode));
    const bool bySun = schedule.mode == Schedule::Mode::sunsetToSunrise;
    const bool byHours = schedule.mode == Schedule::Mode::custom;
    const bool placed = !schedule.place.isEmpty() && schedule.latitude && schedule.longitude;
    m_cityRow->setVisible(bySun);
    m_problemRow->setVisible(bySun && !m_problem->isHidden());
    m_sunRow->setVisible(bySun && placed);
    if (placed) {
        m_today->setFullText(QStringLiteral("Today in ") + schedule.place);
        m_sunTimes->setText(sunTimesText());
    }
    m_fromRow->setVisible(byHours);
    m_untilRow->setVisible(byHours);
    for (auto [picker, minutes] :
         {std::pair(m_from, schedule.from), std::pair(m_until, schedule.to)}) {
        const QSignalBlocker blocker(picker);
        picker->setTime(QTime(minutes / 60, minutes % 60));
    }
}

QString SchedulePane::sunTimesText() const {
    const Schedule& schedule = m_store.settings().schedule;
    const Platform& platform = m_store.platform();
    const QTimeZone zone = platform.timeZone();
    const auto times = sunTimes(platform.now(), zone, *schedule.latitude, *schedule.longitude);
    if (!times) {
        return QStringLiteral("The sun neither rises nor sets there today.");
    }
    return QStringLiteral("Sunrise %1   Sunset %2")
        .arg(shortTimeIn(times->sunrise, zone), shortTimeIn(times->sunset, zone));
}

} // namespace tessel
