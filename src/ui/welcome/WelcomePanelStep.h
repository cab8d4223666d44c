#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace tessel {

class PressButton;

// The last step: where Tessel lives from now on, and the way out.
class WelcomePanelStep final : public QWidget {
    Q_OBJECT

public:
    explicit WelcomePanelStep(QWidget* parent = nullptr);

    // The panel icon in its On form, shown 28 × 32 points: twice its size in the panel.
    void setIcon(const QImage& icon);

    PressButton* openSettings() const { return m_openSettings; }
    PressButton* start() const { return m_start; }

private:
    QLabel* m_picture;
    PressButton* m_openSettings;
    PressButton* m_start;
};

} // namespace tessel
