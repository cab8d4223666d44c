#pragma once

#include "moments/MomentView.h"
#include "platform/Platform.h"

#include <QFont>
#include <QImage>
#include <QVariantAnimation>

#include <memory>

namespace tessel {

// "Breathe in" for the first four seconds of every eight counted from the start of the rest,
// "Breathe out" for the next four.
QString restCue(int seconds, int left);

// The rest page: a lit sheet of Kozo, a breathing ring, the words, the cue and a countdown.
class RestView final : public MomentView {
    Q_OBJECT

public:
    // preview: the grey preview of "kozo", or a null image for the plain paper colour.
    RestView(Platform& platform, int seconds, bool night, QImage preview);
    ~RestView() override;

    // Starts the entrance, the breathing (unless motion is reduced) and the countdown, which
    // ticks on the platform's clock.
    void appear() override;
    void paint(QPainter& painter, QSizeF size) override;

    int left() const { return m_left; }
    QString cue() const { return restCue(m_seconds, m_left); }
    // 0.62 breathed out, 1 breathed in.
    double ringScale() const { return 0.62 + 0.38 * m_breath; }
    double ringOpacity() const { return 0.4 + 0.5 * m_breath; }
    bool isBreathing() const;

private:
    struct Fonts {
        int dpi = 0;
        QFont title;
        QFont cue;
        QFont count;
        QFont hint;
    };

    void countDown();
    const Fonts& fontsFor(const QPaintDevice& device);
    const QImage& sheetFor(QSizeF size, qreal ratio);
    void paintRing(QPainter& painter, QPointF centre) const;
    void paintCountdown(QPainter& painter, const QRectF& line) const;

    Platform& m_platform;
    int m_seconds;
    bool m_night;
    QImage m_preview;
    int m_left;
    std::unique_ptr<Timer> m_tick;
    Fonts m_fonts;
    QImage m_sheet;
    double m_appeared = 0;
    double m_breath = 0;
    double m_cueFade = 1;
    QString m_previousCue;
    double m_roll = 1;
    int m_previousLeft;
    QVariantAnimation m_entrance;
    QVariantAnimation m_breathing;
    QVariantAnimation m_cueChange;
    QVariantAnimation m_rollChange;
};

} // namespace tessel
