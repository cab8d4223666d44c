#pragma once

#include <QObject>

class QWidget;
class QParallelAnimationGroup;

namespace tessel {

// Moves between two pages laid over each other: the outgoing one fades out while the
// incoming one fades in, rising 16 points into place.
class StepTransition final : public QObject {
    Q_OBJECT

public:
    explicit StepTransition(QObject* parent);

    // Finishes any transition under way first. Without animation the pages simply swap.
    void run(QWidget* outgoing, QWidget* incoming, bool animated);

private:
    void finish();

    QParallelAnimationGroup* m_group = nullptr;
    QWidget* m_outgoing = nullptr;
    QWidget* m_incoming = nullptr;
};

} // namespace tessel
