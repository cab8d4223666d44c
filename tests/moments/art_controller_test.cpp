#include "moments/ArtView.h"
#include "moments/MomentsTest.h"

#include <QTest>

#include <climits>
#include <random>

namespace tessel {
namespace {

using Paintings = QList<std::pair<const char*, const char*>>; // id, collection

// A painting list without images: every painting hangs as a grey stand-in.
ArtLibrary libraryOf(const QTemporaryDir& folder, const Paintings& paintings) {
    QStringList list;
    for (const auto& [id, collection] : paintings) {
        list << uR"({"id": "%1", "collection": "%2", "title": "T", "artist": "", "date": "",
                    "file": "%1.jpg"})"_s.arg(QLatin1String(id), QLatin1String(collection));
    }
    const QByteArray json = (u'[' + list.join(u',') + u']').toUtf8();
    EXPECT_TRUE(test::writeFile(folder.filePath(u"art.json"_s), json));
    return ArtLibrary(folder.path());
}

const Paintings threeCollections{{"u1", "ukiyoe"}, {"d1", "dutch"}, {"i1", "ink"}};

class Art : public MomentsTest {
protected:
    void startWith(const Paintings& paintings, ArtController::Random random = nullptr) {
        platform.setScreens({screen(u"A"_s), screen(u"B"_s, {1440, 0, 1440, 900})});
        startWithMoments(libraryOf(folder, paintings), std::move(random));
        platform.setIdleSeconds(0);
        edit([](Settings& s) {
            s.art.enabled = true;
            s.art.idleMinutes = 5;
        });
    }

    bool showing() const { return art->presenter().isShowing(); }
    // Paintings are read on a worker thread: one shown now may come up a moment later.
    bool comesUp() const {
        return waitFor([this] { return showing(); });
    }
    bool showNow() {
        art->show();
        return comesUp();
    }

    QString shownId() const {
        const auto& windows = art->presenter().windows();
        return windows.empty() ? QString()
                               : static_cast<const ArtView&>(windows.front()->view()).painting().id;
    }

    QStringList showAndDismiss(int times) {
        QStringList ids;
        for (int i = 0; i < times; ++i) {
            EXPECT_TRUE(showNow());
            ids.append(shownId());
            art->dismiss();
        }
        return ids;
    }

    QTemporaryDir folder;
};

// Idle minutes beyond the choices act as the nearest choice.
TEST_F(Art, ComesUpAtTheFirstPollAfterTheIdleThreshold) {
    startWith(threeCollections);
    for (const auto& [minutes, threshold] :
         {std::pair{5, 300s}, {0, 60s}, {31, 1800s}, {35791395, 1800s}, {INT_MAX, 1800s}}) {
        edit([minutes](Settings& s) { s.art.idleMinutes = minutes; });
        platform.setIdleSeconds(0);
        platform.advance(threshold - 5s);
        EXPECT_FALSE(showing()) << minutes;
        platform.advance(5s);
        ASSERT_TRUE(comesUp()) << minutes;
        EXPECT_EQ(art->presenter().windows().size(), 2U);
        art->dismiss();
    }
}

TEST_F(Art, ThePaintingIsReadShortlyBeforeItsMomentAndLetGoWhileTheUserWorks) {
    startWith(threeCollections);
    platform.advance(280s);
    EXPECT_FALSE(art->nextIsRead());
    platform.advance(10s);
    ASSERT_TRUE(waitFor([this] { return art->nextIsRead(); }));
    platform.advance(10s);
    EXPECT_TRUE(showing()) << "up at the threshold's poll, with nothing to wait for";
    art->dismiss();
    platform.setIdleSeconds(0);
    platform.advance(5s);
    EXPECT_FALSE(art->nextIsRead());
}

TEST_F(Art, NeverComesWhileTheDisplayIsHeldAwakeOrWhenOffOrWithoutPaintings) {
    startWith(threeCollections);
    platform.setDisplayKeptAwake(true);
    platform.advance(1h);
    EXPECT_FALSE(showing());
    platform.setDisplayKeptAwake(false);
    edit([](Settings& s) { s.art.enabled = false; });
    platform.advance(1h);
    EXPECT_FALSE(showing());
    startWith({});
    art->show();
    platform.advance(1h);
    EXPECT_FALSE(showing());
}

// Input in the first second is not counted until that second is over; later input takes it
// down within a quarter second; without input it stays.
TEST_F(Art, InputTakesItDownOnlyAfterItsFirstSecondAndAKeyAtOnce) {
    const struct {
        std::chrono::milliseconds inputAt;
        std::chrono::milliseconds stillUpUntil;
    } rows[] = {{500ms, 1000ms}, {3s, 3s}, {10min, 10min}};
    startWith(threeCollections);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.inputAt.count());
        platform.setIdleSeconds(600);
        ASSERT_TRUE(showNow());
        platform.advance(row.inputAt);
        platform.setIdleSeconds(0);
        platform.advance(row.stillUpUntil - row.inputAt);
        EXPECT_TRUE(showing());
        platform.advance(250ms);
        EXPECT_FALSE(showing());
    }

    // A key takes it down at once.
    ASSERT_TRUE(showNow());
    QTest::keyClick(art->presenter().windows().front().get(), Qt::Key_A);
    EXPECT_FALSE(showing());
    EXPECT_TRUE(art->current().has_value()) << "the last painting is remembered";
}

TEST_F(Art, NeverShowsTheSamePaintingTwiceInARowUnlessThereIsNoChoice) {
    startWith(threeCollections, [](qsizetype) { return 0; });
    EXPECT_EQ(showAndDismiss(4), QStringList({"u1", "d1", "u1", "d1"}));
    edit([](Settings& s) { s.art.collections = {u"dutch"_s}; });
    EXPECT_EQ(showAndDismiss(3), QStringList({"d1", "d1", "d1"}));
}

TEST_F(Art, NoChosenCollectionWithPaintingsDrawsFromAll) {
    std::mt19937 generator(7);
    startWith(threeCollections, [&generator](qsizetype count) {
        return std::uniform_int_distribution<qsizetype>(0, count - 1)(generator);
    });
    for (const QStringList& chosen : {QStringList(), QStringList({u"botanical"_s})}) {
        edit([&](Settings& s) { s.art.collections = chosen; });
        const QStringList shown = showAndDismiss(30);
        for (const char* id : {"u1", "d1", "i1"}) {
            EXPECT_TRUE(shown.contains(QString::fromLatin1(id))) << id;
        }
    }
}

// A picture whole to look at but broken inside is chosen first and passed over as it fails to
// read; a folder that is gone leaves the paintings.
TEST_F(Art, OnlyMineChosenHangsTheFolderSkippingWhatDoesNotReadOrElseThePaintings) {
    QTemporaryDir pictures;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString green = pictures.filePath(u"green.jpg"_s);
    const QString broken = pictures.filePath(u"broken.png"_s);
    ASSERT_TRUE(picture.save(green) && picture.save(broken));
    QByteArray bytes = test::readFile(broken);
    bytes[bytes.indexOf("IDAT") + 10] = char(bytes[bytes.indexOf("IDAT") + 10] ^ 0x55);
    ASSERT_TRUE(test::writeFile(broken, bytes));
    startWith(threeCollections, [](qsizetype) { return 0; });
    edit([&](Settings& s) {
        s.art.collections = {u"mine"_s};
        s.art.folder = pictures.path();
    });
    EXPECT_EQ(showAndDismiss(2), QStringList({green, green}));
    edit([](Settings& s) { s.art.folder = u"/nonexistent"_s; });
    EXPECT_EQ(showAndDismiss(1), QStringList{u"u1"_s});
}

} // namespace
} // namespace tessel
