#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;

namespace tessel {

// A column of radio buttons for one choice among a few, by index.
class RadioPicker final : public QWidget {
    Q_OBJECT

public:
    explicit RadioPicker(const QStringList& choices, QWidget* parent = nullptr);

    // Shows a choice without announcing it.
    void setCurrent(int index);
    int current() const;

Q_SIGNALS:
    // The user picked a choice.
    void chosen(int index);

private:
    QButtonGroup* m_group;
};

} // namespace tessel
