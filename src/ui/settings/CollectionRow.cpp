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

CollectionRow::CollectionRow(const gallery::Collection& collection, QWidget* parent)
    : QWidget(parent)
    , m_row(new QHBoxLayout(this))
    , m_gallery(new QHBoxLayout)
    , m_toggle(new Toggle)
    , m_count(new QLabel) {
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(metrics::smallGap);
    // The thumbnails take the same room in every row, so the names line up.
    m_gallery->setSpacing(thumbnailGap);
    m_gallery->addStretch();
    auto* thumbs = new QWidget;
    thumbs->setLayout(m_gallery);
    m_gallery->setContentsMargins(0, 0, 0, 0);
    thumbs->setFixedWidth(thumbnails * ArtThumb::fixedSize.width() +
                          (thumbnails - 1) * thumbnailGap);
    m_row->addWidget(thumbs);
    m_row->addSpacing(metrics::gap);

    auto* text = new QVBoxLayout;
    text->setSpacing(1);
    text->addWidget(new QLabel(collection.name));
    // The palette's placeholder colour is the secondary tone, in either appearance.
    m_count->setForegroundRole(QPalette::PlaceholderText);
    m_count->setFont(interfaceFont(*m_count, metrics::smallText));
    text->addWidget(m_count);
    m_row->addLayout(text, 1);

    m_toggle->setAccessibleName(collection.name);
    m_row->addWidget(m_toggle, 0, Qt::AlignVCenter);
}

CollectionRow::CollectionRow(const gallery::Collection& collection, const ArtLibrary& library,
                             QWidget* parent)
    : CollectionRow(collection, parent) {
    const QList<Painting> works = paintingsOf(library, collection.id);
    QList<ArtThumb*> thumbs;
    for (const Painting& painting : works.first(std::min<qsizetype>(thumbnails, works.size()))) {
        thumbs.append(new ArtThumb(library, painting));
    }
    showWorks(thumbs, QStringLiteral("%1 works").arg(works.size()));
}

QString CollectionRow::countText() const {
    return m_count->text();
}

void CollectionRow::showWorks(const QList<ArtThumb*>& thumbs, const QString& count) {
    while (m_gallery->count() > 1) {
        delete m_gallery->takeAt(0)->widget();
    }
    for (ArtThumb* thumb : thumbs.first(std::min<qsizetype>(thumbnails, thumbs.size()))) {
        m_gallery->insertWidget(m_gallery->count() - 1, thumb);
    }
    m_count->setText(count);
}

void CollectionRow::addControl(QWidget* control) {
    m_row->insertWidget(m_row->indexOf(m_toggle), control, 0, Qt::AlignVCenter);
}

} // namespace tessel
