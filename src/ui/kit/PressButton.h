#pragma once

#include <QPushButton>

namespace tessel {

class PressScale;

// A push button drawn in Tessel's own manner that shrinks a little while pressed. The
// prominent kind is filled with the primary colour, the plain kind only outlined.
class PressButton final : public QPushButton {
    Q_OBJECT

public:
    enum class Kind { prominent, plain };

    PressButton(const QString& text, Kind kind, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    PressScale* m_press;
};

} // namespace tessel
