#include "ui/settings/SettingsBinder.h"

#include "core/Store.h"
#include "ui/kit/FloatSlider.h"
#include "ui/kit/Toggle.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace tessel {

namespace {

constexpr int frameMilliseconds = 16;

void showChoice(QComboBox& box, QList<int> values, const SettingsBinder::Label& label, int value) {
    if (!values.contains(value)) {
        values.insert(std::ranges::upper_bound(values, value) - values.begin(), value);
    }
    const QSignalBlocker quiet(box);
    QList<int> shown;
    for (int i = 0; i < box.count(); ++i) {
        shown.append(box.itemData(i).toInt());
    }
    if (shown != values) {
        box.clear();
        for (const int v : values) {
            box.addItem(label(v), v);
        }
    }
    box.setCurrentIndex(box.findData(value));
}

} // namespace

SettingsBinder::SettingsBinder(Store& store, QObject* parent)
    : QObject(parent)
    , m_store(store) {
    connect(&store, &Store::settingsChanged, this, &SettingsBinder::showAll);
}

void SettingsBinder::edit(const std::function<void(Settings&)>& change) {
    m_store.updateSettings(change);
}

void SettingsBinder::toggle(Toggle* toggle, Read<bool> read, Write<bool> write) {
    connect(toggle, &QAbstractButton::clicked, this,
            [this, write](bool on) { edit([&](Settings& s) { write(s, on); }); });
    follow([this, toggle, read] { toggle->setChecked(read(m_store.settings())); });
}

void SettingsBinder::slider(FloatSlider* slider, Read<double> read, Write<double> write) {
    auto* pace = new QTimer(slider);
    pace->setSingleShot(true);
    pace->setInterval(frameMilliseconds);
    auto pending = std::make_shared<std::optional<double>>();
    const auto commit = [this, write](double value) {
        edit([&](Settings& s) { write(s, value); });
    };
    connect(slider, &FloatSlider::moved, pace, [=](double value) {
        if (pace->isActive()) {
            *pending = value;
            return;
        }
        commit(value);
        pace->start();
    });
    connect(pace, &QTimer::timeout, slider, [=] {
        if (pending->has_value()) {
            commit(**pending);
            pending->reset();
            pace->start();
        }
    });
    // Under the pointer the slider is ahead of the Store; it catches up when let go.
    follow([this, slider, read] {
        if (!slider->isSliderDown()) {
            slider->setValue(read(m_store.settings()));
        }
    });
    connect(slider, &QSlider::sliderReleased, pace, [=, this] {
        pace->stop();
        if (pending->has_value()) {
            commit(**pending);
            pending->reset();
        }
        slider->setValue(read(m_store.settings()));
    });
}

void SettingsBinder::choice(QComboBox* box, QList<int> values, Label label, Read<int> read,
                            Write<int> write) {
    connect(box, &QComboBox::activated, this, [this, box, write](int index) {
        const int value = box->itemData(index).toInt();
        edit([&](Settings& s) { write(s, value); });
    });
    follow([this, box, values = std::move(values), label = std::move(label), read] {
        showChoice(*box, values, label, read(m_store.settings()));
    });
}

void SettingsBinder::follow(std::function<void()> show) {
    show();
    m_shows.append(std::move(show));
}

void SettingsBinder::showAll() {
    for (const auto& show : m_shows) {
        show();
    }
}

} // namespace tessel
