#pragma once

#include "ui/kit/FormPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace tessel {

class ElidedLabel;
class RadioPicker;
class Store;
class WarningLabel;
struct Schedule;
struct SettingsContext;

// When paper shows: always, from sunset to sunrise at a place, or between set hours.
class SchedulePane final : public FormPage {
    Q_OBJECT

public:
    explicit SchedulePane(SettingsContext& context, QWidget* parent = nullptr);

private:
    QWidget* placeControls();
    QWidget* sunTimesLine();
    QTimeEdit* timePicker(int Schedule::*minutes);
    void findPlace();
    void sync();
    QString sunTimesText() const;

    Store& m_store;
    RadioPicker* m_mode;
    QLineEdit* m_city;
    QPushButton* m_set;
    WarningLabel* m_problem;
    ElidedLabel* m_today;
    QLabel* m_sunTimes;
    QTimeEdit* m_from;
    QTimeEdit* m_until;
    QWidget* m_cityRow;
    QWidget* m_problemRow;
    QWidget* m_sunRow;
    QWidget* m_fromRow;
    QWidget* m_untilRow;
};

} // namespace tessel
