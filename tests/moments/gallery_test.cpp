#include "art/ArtLibrary.h"
#include "art/Gallery.h"
#include "art/Painting.h"
#include "moments/ArtLayout.h"

#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

TEST(PaintingList, DecodesExactlyTheSixTextKeysAndAMissingListIsEmpty) {
    const auto list = paintingsFromJson(R"([{"id": "45650", "collection": "ink",
        "title": "Landscape", "artist": "Zhao Yuan", "date": "late 14th century",
        "file": "met-45650.jpg"}])");
    EXPECT_EQ(list, QList<Painting>({{"45650", "ink", "Landscape", "Zhao Yuan", "late 14th century",
                                      "met-45650.jpg"}}));

    for (const char* broken :
         {R"({"id": "1"})", R"([{"id": "1", "collection": "ink", "title": "", "artist": ""}])",
          R"([{"id": 1, "collection": "ink", "title": "", "artist": "", "date": "", "file": ""}])",
          R"([{"id": "1", "collection": "ink", "title": "", "artist": "", "date": "",
              "file": "", "year": ""}])",
          "[1]", "not json"}) {
        EXPECT_FALSE(paintingsFromJson(broken)) << broken;
    }
    EXPECT_TRUE(ArtLibrary(u"/nonexistent"_s).paintings().isEmpty()) << "a missing list";
}

TEST(PaintingList, EveryBuiltInPaintingHangsInOneOfTheFiveCollections) {
    const ArtLibrary library;
    QSet<QString> ids;
    QMap<QString, int> perCollection;
    for (const Painting& painting : library.paintings()) {
        EXPECT_FALSE(ids.contains(painting.id)) << painting.id.toStdString();
        ids.insert(painting.id);
        EXPECT_EQ(gallery::collection(painting.collection).id, painting.collection);
        ++perCollection[painting.collection];
        const QImage image = library.image(painting);
        ASSERT_FALSE(image.isNull()) << painting.file.toStdString();
        EXPECT_LE(std::max(image.width(), image.height()), 1600);
    }
    EXPECT_EQ(perCollection.size(), 5);
}

TEST(Gallery, LooksCollectionsUpWithTheFirstAsFallback) {
    QStringList ids;
    for (const auto& collection : gallery::collections()) {
        ids.append(collection.id);
        EXPECT_EQ(collection.hasDarkWall(), collection.id != u"botanical");
    }
    EXPECT_EQ(ids, QStringList({"ukiyoe", "impressionist", "dutch", "botanical", "ink", "mine"}));
    EXPECT_EQ(gallery::collection(u"dutch"_s).name, u"Dutch Masters"_s);
    EXPECT_EQ(gallery::collection(u"cubist"_s).id, u"ukiyoe"_s);
}

TEST(Caption, ShortensTitlesAndJoinsArtistAndDateLeavingOutEmptyOnes) {
    const std::pair<const char*, const char*> cases[] = {
        {"The Great Wave at Kan, from the series Thirty-six Views", "The Great Wave at Kan"},
        {"Sunset (1850)", "Sunset (1850)"},
        {"Summer Field (1870), from Views of the Sea", "Summer Field (1870)"},
        {"Evening Snow from the series Eight Views", "Evening Snow"},
        {"Bridge, Rain, Wind", "Bridge, Rain, Wind"},
        {"Wheat Fields, Evening, Light", "Wheat Fields"},
        {"Untitled", "Untitled"},
    };
    for (const auto& [title, shown] : cases) {
        EXPECT_EQ(shortTitle(QString::fromUtf8(title)), QString::fromUtf8(shown)) << title;
    }

    const QString zhao = u"Zhao Yuan"_s, year = u"1350"_s, none;
    for (const auto& [artist, date, shown] : {std::tuple{zhao, none, zhao},
                                              {zhao, year, zhao + u", 1350"_s},
                                              {none, year, year},
                                              {none, none, none}}) {
        EXPECT_EQ(artistAndDate({u"1"_s, u"ink"_s, u"T"_s, artist, date, u"f.jpg"_s}), shown);
    }
}

TEST(Layout, ScalesWithTheScreenWidthAndStandsInForMissingImages) {
    const ArtLayout retina = artLayout({2880, 1800}, 1, gallery::collection("ukiyoe"));
    EXPECT_DOUBLE_EQ(retina.scale, 2);
    EXPECT_EQ(retina.picture, QSizeF(1224, 1224));
    EXPECT_DOUBLE_EQ(retina.mat, 128);
    EXPECT_DOUBLE_EQ(retina.frame, 20);
    EXPECT_DOUBLE_EQ(retina.framed.width(), 1224 + 2 * 148);

    const ArtLayout wide = artLayout({1440, 900}, 3, gallery::collection("dutch"));
    EXPECT_NEAR(wide.picture.width(), 1440 * 0.62, 1e-9);
    EXPECT_DOUBLE_EQ(wide.mat, 0);
    EXPECT_DOUBLE_EQ(wide.frame, 26);

    // A missing image stands as a grey box of three to four.
    EXPECT_DOUBLE_EQ(aspectOf(QImage()), 0.75);
    EXPECT_DOUBLE_EQ(aspectOf(QImage(300, 200, QImage::Format_RGB32)), 1.5);
}

} // namespace
} // namespace tessel
