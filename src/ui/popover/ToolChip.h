#pragma once

#include "ui/kit/Glyphs.h"

#include <QAbstractButton>

namespace tessel {

class PressScale;

// A capsule-like switch for one reading tool: symbol and title, tinted when on.
class ToolChip final : public QAbstractButton {
    Q_OBJECT

public:
    ToolChip(const QString& title, Glyph glyph, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Glyph m_glyph;
    PressScale* m_press;
};

} // namespace tessel
