#pragma once

#include "paper/Paper.h"
#include "ui/kit/LitPaper.h"

#include <optional>

class QVariantAnimation;

namespace tessel {

// The lit sheet at the top of the popover: which slot it is, the paper's name and note, its
// weight, and a capsule saying why paper is not showing, when it is not.
class PaperSheet final : public LitPaper {
    Q_OBJECT

public:
    explicit PaperSheet(QWidget* parent = nullptr);

    void setPaper(const Paper& paper, double gsm, bool night);
    // None hides the capsule; it fades and grows in, and fades and shrinks out.
    void setStatus(const std::optional<QString>& status);

    QString label() const;
    const Paper& paper() const { return m_paper; }
    // The weight as shown: whole grams, truncated.
    int shownGsm() const { return m_gsm; }
    std::optional<QString> status() const { return m_status; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintTop(QPainter& painter, const QColor& ink);
    void paintStatus(QPainter& painter, const QColor& ink, qreal right, qreal room);
    void paintName(QPainter& painter, const QColor& ink);
    void paintWeight(QPainter& painter, const QColor& ink);
    void updateAccessibleName();

    Paper m_paper;
    int m_gsm = 0;
    std::optional<QString> m_status;
    // The text the capsule shows while it fades out.
    QString m_shownStatus;
    qreal m_statusPresence = 0;
    QVariantAnimation* m_statusAnimation;
};

} // namespace tessel
