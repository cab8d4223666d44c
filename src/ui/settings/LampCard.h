#pragma once

#include "paper/Lamp.h"

#include <QAbstractButton>

#include <optional>

namespace tessel {

// One lamp to choose, or no lamp: a small sheet of paper lit by the lamp's glows above its
// name and note. The chosen card is outlined in the accent and reads as checked.
class LampCard final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int minimumWidth = 150;
    static constexpr int previewHeight = 74;

    explicit LampCard(std::optional<Lamp> lamp, QWidget* parent = nullptr);

    std::optional<QString> lampId() const;
    QString note() const { return m_note; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    QRectF previewRect() const;
    void paintPreview(QPainter& painter, const QRectF& sheet) const;
    void paintText(QPainter& painter, const QRectF& below) const;
    void paintOutline(QPainter& painter) const;

    std::optional<Lamp> m_lamp;
    QString m_name;
    QString m_note;
};

} // namespace tessel
