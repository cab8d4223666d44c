#pragma once

#include <QWidget>

namespace tessel {

class PressButton;

// The first step: what Tessel is, and "Lay it down".
class WelcomeIntro final : public QWidget {
    Q_OBJECT

public:
    explicit WelcomeIntro(QWidget* parent = nullptr);

    PressButton* layItDown() const { return m_layItDown; }

private:
    PressButton* m_layItDown;
};

} // namespace tessel
