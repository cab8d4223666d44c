#pragma once

#include <QImage>
#include <QWidget>

namespace tessel {

class ArtLibrary;
struct Painting;

// A painting in miniature, cropped to fill a small rounded frame.
class ArtThumb final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize fixedSize{44, 34};

    ArtThumb(const ArtLibrary& library, const Painting& painting, QWidget* parent = nullptr);
    // A picture whose miniature comes later, by setImage.
    explicit ArtThumb(const QString& title, QWidget* parent = nullptr);

    bool hasImage() const { return !m_image.isNull(); }
    void setImage(const QImage& image);
    // Pixels enough for a sharp miniature on a screen at twice the scale, cropped to fill.
    static QImage miniature(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace tessel
