#pragma once

#include <QAbstractButton>

namespace tessel {

// A quiet row that folds the rows under it away or out: a chevron and a line of secondary
// text that turn primary under the pointer. Checked means unfolded.
class FoldButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit FoldButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessel
