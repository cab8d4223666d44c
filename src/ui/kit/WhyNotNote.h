#pragma once

#include <QLabel>

#include <optional>

namespace tessel {

// One line in secondary text saying why something cannot work on this desktop; hidden when
// the desktop keeps nothing from Tessel.
class WhyNotNote final : public QLabel {
    Q_OBJECT

public:
    explicit WhyNotNote(QWidget* parent = nullptr);

    void explain(const std::optional<QString>& reason);

    // Disables and fades the control where there is a reason, which it then carries as its
    // tooltip and accessible description; restores it where there is none.
    static void disable(QWidget& control, const std::optional<QString>& reason);
};

} // namespace tessel
