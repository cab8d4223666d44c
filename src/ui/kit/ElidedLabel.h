#pragma once

#include <QLabel>

namespace tessel {

// One line of text from outside Tessel, such as a paper, place, app or screen name. It is
// always plain text, since Qt would guess that "<img src=...>" is markup, and it is cut with
// an ellipsis where it does not fit; the tooltip then holds the whole text.
class ElidedLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, Qt::TextElideMode mode = Qt::ElideRight,
                         QWidget* parent = nullptr);

    // QLabel::text() is the text as shown, perhaps cut.
    void setFullText(const QString& text);
    const QString& fullText() const { return m_fullText; }

    // Asks for the whole text, and settles for an ellipsis.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();
    int textWidth(const QString& text) const;

    QString m_fullText;
    Qt::TextElideMode m_mode;
};

// A tooltip that shows the text as typed: tooltips, too, guess at markup.
QString plainToolTip(const QString& text);

} // namespace tessel
