#pragma once

#include <QWidget>

namespace tessel {

class SegmentButton;
class SpringAnimation;

// "Day" and "Night" side by side, with a selection mark that slides to the chosen one.
class SlotSwitch final : public QWidget {
    Q_OBJECT

public:
    explicit SlotSwitch(QWidget* parent = nullptr);

    bool night() const { return m_night; }
    // Shows a side without announcing it as a choice.
    void setNight(bool night);

    SegmentButton* day() const { return m_day; }
    SegmentButton* nightButton() const { return m_nightButton; }

Q_SIGNALS:
    void chosen(bool night);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF markFor(bool night) const;

    SegmentButton* m_day;
    SegmentButton* m_nightButton;
    SpringAnimation* m_slide;
    QRectF m_mark;
    bool m_night = false;
};

} // namespace tessel
