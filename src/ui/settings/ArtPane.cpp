#include "ui/settings/ArtPane.h"

#include "art/ArtLibrary.h"
#include "art/Gallery.h"
#include "art/PictureFolder.h"
#include "core/Store.h"
#include "style/Metrics.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/ActionButtons.h"
#include "ui/settings/CollectionRow.h"
#include "ui/settings/PicturesRow.h"
#include "ui/settings/SettingsBinder.h"
#include "ui/settings/SettingsContext.h"

#include <QComboBox>
#include <QPushButton>

namespace tessel {

namespace {

constexpr int artPickerWidth = 140;

} // namespace

ArtPane::ArtPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_binder(new SettingsBinder(context.store, this)) {
    addIdleSection();
    addCollections();
    addPreviewButton();
}

QString ArtPane::minutesLabel(int minutes) {
    return minutes == 1 ? QStringLiteral("1 minute") : QStringLiteral("%1 minutes").arg(minutes);
}

void ArtPane::addIdleSection() {
    FormSection* section = addSection();
    m_binder->toggle(
        section->addToggle(QStringLiteral("Show art when idle")),
        [](const Settings& s) { return s.art.enabled; },
        [](Settings& s, bool on) { s.art.enabled = on; });
    auto* after = new QComboBox;
    after->setMinimumWidth(artPickerWidth);
    // An idle time set outside Settings joins the list where it falls, rather than being
    // rounded to a neighbour the user never chose.
    m_binder->choice(
        after, limits::artIdleMinutes, &ArtPane::minutesLabel,
        [](const Settings& s) { return s.art.idleMinutes; },
        [](Settings& s, int minutes) { s.art.idleMinutes = minutes; });
    section->addRow(QStringLiteral("After"), after);
    section->setFooter(QStringLiteral("Art stays away while a video, call or presentation keeps "
                                      "your screen awake. Any touch brings your work back."));
}

void ArtPane::addCollections() {
    FormSection* section = addSection(QStringLiteral("Collections"));
    const ArtLibrary library;
    for (const gallery::Collection& collection : gallery::collections()) {
        CollectionRow* row = collection.id == ownPicturesId()
                                 ? new PicturesRow(m_binder->store())
                                 : new CollectionRow(collection, library);
        section->addWidget(row);
        m_binder->toggle(
            row->toggle(),
            [id = collection.id](const Settings& s) { return s.art.collections.contains(id); },
            [id = collection.id](Settings& s, bool on) {
                s.art.collections.removeAll(id);
                if (on) {
                    s.art.collections.append(id);
                }
            });
    }
    section->setFooter(QStringLiteral("Paintings are public domain, from The Metropolitan Museum "
                                      "of Art Open Access collection."));
}

void ArtPane::addPreviewButton() {
    QPushButton* preview = actionButton(QStringLiteral("Preview Now"));
    connect(preview, &QPushButton::clicked, &m_binder->store(), &Store::showArtNow);
    addWidget(buttonRow({preview}));
}

} // namespace tessel
