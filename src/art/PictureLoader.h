#pragma once

#include "art/Painting.h"

#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <functional>

namespace tessel {

// Reads folders of pictures, and images at the size they will hang, on a worker thread, and
// hands each result back on the loader's own thread. Results for a loader that is gone are
// dropped.
class PictureLoader final : public QObject {
    Q_OBJECT

public:
    explicit PictureLoader(QObject* parent = nullptr);
    ~PictureLoader() override;

    void scan(const QString& folder, std::function<void(QList<Painting>)> done);
    // The image no larger than box (pixels); a null image when the file does not read.
    void read(const QString& path, QSize box, std::function<void(QImage)> done);

private:
    template <typename T> void run(std::function<T()> work, std::function<void(T)> done);

    // One worker: pictures come one at a time and must not crowd out the paper's shading.
    QThreadPool m_pool;
};

} // namespace tessel
