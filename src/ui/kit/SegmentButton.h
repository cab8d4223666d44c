#pragma once

#include "ui/kit/Glyphs.h"

#include <QAbstractButton>

namespace tessel {

// One half of a two-way switch: symbol and label, primary when chosen, secondary otherwise.
// Draws no background; the switch draws the selection mark beneath it.
class SegmentButton final : public QAbstractButton {
    Q_OBJECT

public:
    SegmentButton(const QString& text, Glyph glyph, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    Glyph m_glyph;
};

} // namespace tessel
