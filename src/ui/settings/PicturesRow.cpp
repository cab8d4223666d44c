#include "ui/settings/PicturesRow.h"

#include "art/Gallery.h"
#include "art/PictureFolder.h"
#include "core/Store.h"
#include "ui/settings/ActionButtons.h"
#include "ui/settings/ArtThumb.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>

namespace tessel {

namespace {

QString countOf(qsizetype pictures, const QString& folder) {
    const QString name = QDir(folder).dirName();
    return pictures == 1 ? QStringLiteral("1 picture in %1").arg(name)
                         : QStringLiteral("%1 pictures in %2").arg(pictures).arg(name);
}

} // namespace

PicturesRow::PicturesRow(Store& store, QWidget* parent)
    : CollectionRow(gallery::collection(ownPicturesId()), parent)
    , m_store(store) {
    QPushButton* choose = actionButton(QStringLiteral("Choose Folder…"));
    connect(choose, &QPushButton::clicked, this, &PicturesRow::chooseFolder);
    addControl(choose);
    connect(&store, &Store::settingsChanged, this, &PicturesRow::showFolder);
    showWorks({}, QStringLiteral("No folder chosen"));
    showFolder();
}

void PicturesRow::showFolder() {
    const std::optional<QString>& folder = m_store.settings().art.folder;
    if (folder == m_shown) {
        return;
    }
    m_shown = folder;
    if (!folder) {
        showWorks({}, QStringLiteral("No folder chosen"));
        return;
    }
    m_loader.scan(*folder, [this, folder = *folder](const QList<Painting>& pictures) {
        if (m_shown != folder) {
            return; // another folder was chosen meanwhile
        }
        QList<ArtThumb*> thumbs;
        for (const Painting& picture :
             pictures.first(std::min<qsizetype>(thumbnails, pictures.size()))) {
            auto* thumb = new ArtThumb(picture.title);
            thumbs.append(thumb);
            m_loader.read(picture.file, ArtThumb::fixedSize * 4,
                          [thumb = QPointer(thumb)](const QImage& image) {
                              if (thumb) {
                                  thumb->setImage(ArtThumb::miniature(image));
                              }
                          });
        }
        showWorks(thumbs, countOf(pictures.size(), folder));
    });
}

void PicturesRow::chooseFolder() {
    const QString start = m_store.settings().art.folder.value_or(
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    const QString chosen =
        QFileDialog::getExistingDirectory(window(), QStringLiteral("Choose Folder"), start);
    if (chosen.isEmpty()) {
        return;
    }
    m_store.updateSettings([&chosen](Settings& s) {
        s.art.folder = QDir(chosen).absolutePath();
        // Choosing a folder is choosing to see it.
        if (!s.art.collections.contains(ownPicturesId())) {
            s.art.collections.append(ownPicturesId());
        }
    });
}

} // namespace tessel
