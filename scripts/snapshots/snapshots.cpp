#include "WaitFor.h"
#include "art/ArtLibrary.h"
#include "art/Gallery.h"
#include "core/Store.h"
#include "doubles/FakePlatform.h"
#include "doubles/RecordingOverlay.h"
#include "moments/ArtView.h"
#include "moments/RestView.h"
#include "studio/Studio.h"
#include "studio/StudioPane.h"
#include "style/InterfacePalette.h"
#include "ui/popover/PopoverView.h"
#include "ui/settings/SettingsView.h"
#include "ui/welcome/WelcomeView.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>
#include <iostream>

// Renders the popover, every Welcome step, every Settings pane, the Studio and the moments in
// both appearances into a folder, for a person to look at: scripts/snapshots.sh builds and
// runs it. A tool beside the tests, not one of them: it checks nothing.

using namespace tessel;
using namespace Qt::StringLiterals;

namespace {

const QSize screenSize(1440, 900);
const QRect panelIcon(1380, 0, 24, 24);

QString folder;

void save(const QImage& image, const QString& name) {
    if (image.isNull() || !image.save(folder + u'/' + name + u".png"_s)) {
        std::cerr << "snapshots: could not write " << name.toStdString() << '\n';
        std::exit(EXIT_FAILURE);
    }
}

void save(QWidget& widget, const QString& name) {
    save(widget.grab().toImage(), name);
}

void save(MomentView& view, const QString& name) {
    QImage image(screenSize, QImage::Format_RGB32);
    QPainter painter(&image);
    view.appear();
    view.paint(painter, screenSize);
    painter.end();
    save(image, name);
}

QImage panelGlyph(qreal scale, const QColor& ink) {
    QImage icon(QSize(14, 16) * scale, QImage::Format_ARGB32_Premultiplied);
    icon.fill(ink);
    return icon;
}

void waitForStudio(QWidget* content) {
    if (const auto* studio = qobject_cast<StudioPane*>(content)) {
        waitFor([studio] { return studio->studio().preview().has_value(); });
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: snapshots FOLDER\n";
        return EXIT_FAILURE;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    FakePlatform platform(dir.path());
    platform.setReduceMotion(true);
    platform.setScreens({{u"A"_s, u"Built-in Display"_s, QRectF(QPointF(), screenSize), 2}});
    Store store(platform, std::make_unique<RecordingOverlay>());
    store.updateSettings([](Settings& s) { s.onboarded = true; });
    store.start();
    waitFor([&] { return store.previews().size() >= Paper::builtIn().size(); });
    const ArtLibrary library;

    for (const bool dark : {false, true}) {
        platform.setDark(dark);
        const QString appearance = dark ? u"dark"_s : u"light"_s;
        PopoverView popover(store, {[] {}, [] {}});
        for (const bool night : {false, true}) {
            store.setEditingNight(night);
            store.snooze(night ? std::optional(3600.0) : std::nullopt);
            popover.popUp(panelIcon);
            save(popover,
                 u"popover-%1-%2"_s.arg(appearance, night ? u"night-snoozed"_s : u"day"_s));
            popover.close();
        }
        WelcomeView welcome(store,
                            {[] {}, [] {}, [] {}, panelGlyph, [] { return IconPlace::top; }});
        for (int step = 0; step < WelcomeView::steps; ++step) {
            welcome.setStep(step);
            save(welcome, u"welcome-%1-step%2"_s.arg(appearance).arg(step));
        }
        SettingsView settings({store, [] {}, {}, nullptr});
        settings.resize(840, 600);
        settings.show();
        for (const PaneInfo& info : paneInfos()) {
            settings.setPane(info.pane);
            QCoreApplication::processEvents();
            waitForStudio(settings.content());
            save(settings, info.title.toLower().replace(u' ', u'-') + u'-' + appearance);
        }
        StudioPane studio(store);
        studio.setPalette(InterfacePalette::chrome(dark));
        studio.setAutoFillBackground(true);
        studio.studio().setNight(dark);
        studio.resize(studio.minimumSizeHint().width(), 900);
        studio.show();
        waitForStudio(&studio);
        save(studio, u"studio-"_s + appearance);

        RestView rest(platform, 20, dark, store.previews().value(u"kozo"_s));
        save(rest, u"rest-"_s + appearance);
    }
    for (const auto& collection : gallery::collections()) {
        for (const Painting& painting : library.paintings()) {
            if (painting.collection == collection.id) {
                ArtView art(platform, painting, library.image(painting));
                save(art, u"art-"_s + collection.id);
                break;
            }
        }
    }
    std::cout << "snapshots: pictures in " << folder.toStdString() << '\n';
    return EXIT_SUCCESS;
}
