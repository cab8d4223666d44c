#include "ui/settings/CollectionRow.h"

#include "art/ArtLibrary.h"
#include "art/Gallery.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/ArtThumb.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int thumbnailGap = 6;

QList<Painting> paintingsOf(const ArtLibrary& library, const QString& collection) {
    QList<Painting> found;
    for (const Painting& painting : library.paintings()) {
        if (painting.collection == collection) {
            found.append(painting);
        }
    }
    return found;
}

} // namespace

CollectionRow::CollectionRow(const gallery::Collection& collection, const ArtLibrary& library,
                             QWidget* parent)
    : QWidget(parent)
    , m_toggle(new Toggle)
    , m_count(new QLabel) {
    const QList<Painting> works = paintingsOf(library, collection.id);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(metrics::smallGap);
    // The thumbnails take the same room in every row, so the names line up.
    auto* gallery = new QHBoxLayout;
    gallery->setSpacing(thumbnailGap);
    for (const Painting& painting : works.first(std::min<qsizetype>(thumbnails, works.size()))) {
        gallery->addWidget(new ArtThumb(library, painting));
    }
    gallery->addStretch();
    auto* thumbs = new QWidget;
    thumbs->setLayout(gallery);
    gallery->setContentsMargins(0, 0, 0, 0);
    thumbs->setFixedWidth(thumbnails * ArtThumb::fixedSize.width() +
                          (thumbnails - 1) * thumbnailGap);
    row->addWidget(thumbs);
    row->addSpacing(metrics::gap);

    auto* text = new QVBoxLayout;
    text->setSpacing(1);
    text->addWidget(new QLabel(collection.name));
    m_count->setText(QStringLiteral("%1 works").arg(works.size()));
    // The palette's placeholder colour is the secondary tone, in either appearance.
    m_count->setForegroundRole(QPalette::PlaceholderText);
    m_count->setFont(interfaceFont(*m_count, metrics::smallText));
    text->addWidget(m_count);
    row->addLayout(text, 1);

    m_toggle->setAccessibleName(collection.name);
    row->addWidget(m_toggle, 0, Qt::AlignVCenter);
}

} // namespace tessel
