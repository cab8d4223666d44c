#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace tessel {

class PressButton;

// Where Tessel's icon sits: at an edge of the screen, somewhere in a panel that does not say
// where, or nowhere, when the desktop has no panel to hold it.
enum class IconPlace { panel, top, bottom, left, right, noPanel };

// The last step: where Tessel lives from now on, and the way out.
class WelcomePanelStep final : public QWidget {
    Q_OBJECT

public:
    explicit WelcomePanelStep(QWidget* parent = nullptr);

    // Says where to find Tessel from now on.
    void setPlace(IconPlace place);

    // The panel icon in its On form, shown 28 × 32 points: twice its size in the panel.
    void setIcon(const QImage& icon);

    PressButton* openSettings() const { return m_openSettings; }
    PressButton* start() const { return m_start; }

private:
    QLabel* m_picture;
    QLabel* m_title;
    QLabel* m_text;
    PressButton* m_openSettings;
    PressButton* m_start;
};

} // namespace tessel
