#include "art/PictureLoader.h"

#include "art/ImageFit.h"
#include "art/PictureFolder.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace tessel {

PictureLoader::PictureLoader(QObject* parent)
    : QObject(parent) {
    m_pool.setMaxThreadCount(1);
}

PictureLoader::~PictureLoader() {
    m_pool.clear();
    m_pool.waitForDone();
}

template <typename T>
void PictureLoader::run(std::function<T()> work, std::function<void(T)> done) {
    auto* watcher = new QFutureWatcher<T>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        done(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(&m_pool, std::move(work)));
}

void PictureLoader::scan(const QString& folder, std::function<void(QList<Painting>)> done) {
    run<QList<Painting>>([folder] { return picturesIn(folder); }, std::move(done));
}

void PictureLoader::read(const QString& path, QSize box, std::function<void(QImage)> done) {
    run<QImage>([path, box] { return readImageToFit(path, box); }, std::move(done));
}

} // namespace tessel
