#pragma once

#include "core/SettingLimits.h"
#include "core/Settings.h"

#include <QList>
#include <QObject>

#include <functional>

class QComboBox;

namespace tessel {

class FloatSlider;
class Store;
class Toggle;

// Keeps a pane's controls showing the Store's settings, also when they change elsewhere, and
// writes what the user does with them straight back. Controls are refreshed silently, so a
// refresh never writes.
class SettingsBinder final : public QObject {
    Q_OBJECT

public:
    template <typename T> using Read = std::function<T(const Settings&)>;
    template <typename T> using Write = std::function<void(Settings&, T)>;
    using Label = std::function<QString(int)>;

    SettingsBinder(Store& store, QObject* parent);

    void toggle(Toggle* toggle, Read<bool> read, Write<bool> write);
    // A drag writes at most once a frame, and always its last value.
    void slider(FloatSlider* slider, Read<double> read, Write<double> write);
    // Fills the box with the values, each labelled. A stored value that is none of them is
    // shown as one more item in its place in order, so it is neither lost nor misread.
    void choice(QComboBox* box, QList<int> values, Label label, Read<int> read, Write<int> write);
    template <std::size_t N>
    void choice(QComboBox* box, const SettingChoices<N>& choices, Label label, Read<int> read,
                Write<int> write) {
        choice(box, QList<int>(choices.values.cbegin(), choices.values.cend()), std::move(label),
               std::move(read), std::move(write));
    }
    // Anything else that shows settings: run now and after every change.
    void follow(std::function<void()> show);

    Store& store() { return m_store; }
    void edit(const std::function<void(Settings&)>& change);

private:
    void showAll();

    Store& m_store;
    QList<std::function<void()>> m_shows;
};

} // namespace tessel
