#pragma once

#include <QString>
#include <QWidget>

class QVariantAnimation;

namespace tessel {

// One line of text that cross-fades to each new text (ease-out, 0.15 s), in the secondary
// colour of its palette.
class CrossFadeLabel final : public QWidget {
    Q_OBJECT

public:
    explicit CrossFadeLabel(Qt::Alignment alignment, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Alignment m_alignment;
    QString m_text;
    QString m_previous;
    qreal m_progress = 1;
    QVariantAnimation* m_fade;
};

} // namespace tessel
