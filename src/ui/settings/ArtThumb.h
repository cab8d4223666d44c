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

    bool hasImage() const { return !m_image.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace tessel
