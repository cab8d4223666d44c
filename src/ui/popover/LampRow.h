#pragma once

#include <QWidget>

#include <optional>

namespace tessel {

class LampButton;

// "No lamp" and one round button per lamp preset, spread across the row.
class LampRow final : public QWidget {
    Q_OBJECT

public:
    explicit LampRow(QWidget* parent = nullptr);

    void setSelected(const std::optional<QString>& lampId);
    std::optional<QString> selected() const { return m_selected; }
    QList<LampButton*> buttons() const { return m_buttons; }

Q_SIGNALS:
    void chosen(const std::optional<QString>& lampId);

private:
    QList<LampButton*> m_buttons;
    std::optional<QString> m_selected;
};

} // namespace tessel
