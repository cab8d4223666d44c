#pragma once

#include "ui/kit/Glyphs.h"

#include <QAbstractButton>

#include <optional>

class QMenu;

namespace tessel {

// A borderless footer button, symbol and label in the secondary colour that turn primary
// under the pointer. With a menu, a click opens it below the button.
class QuietButton final : public QAbstractButton {
    Q_OBJECT

public:
    QuietButton(const QString& text, std::optional<Glyph> glyph, QWidget* parent = nullptr);

    void setMenu(QMenu* menu);
    QMenu* menu() const { return m_menu; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal contentWidth() const;

    std::optional<Glyph> m_glyph;
    QMenu* m_menu = nullptr;
};

} // namespace tessel
