#include "art/ImageFit.h"
#include "art/PictureDetails.h"
#include "art/PictureFolder.h"
#include "support/Files.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

// A JPEG with the artist and date taken in EXIF and the title in XMP; a PNG and a WebP of the
// same sit beside it.
const QString seeds = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../fuzz/corpus/picture_details/");

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

QByteArray jpeg(QColor colour) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    return encoded(image, "jpg");
}

void write(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(test::writeFile(path, bytes)) << path.toStdString();
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class Pictures : public ::testing::Test {
protected:
    QString at(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    QTemporaryDir folder;
};

TEST_F(Pictures, OnlyWholePicturesAreCandidatesWithTheirTitlesAndArtists) {
    const QByteArray good = test::readFile(seeds + u"exif-xmp.jpg"_s);
    write(at("harbour.jpg"), good);
    write(at("cut short.jpg"), good.left(good.size() / 2));
    write(at("notes.jpg"), "not a picture at all");
    write(at("trip/Beach at dawn.jpeg"), jpeg(Qt::blue));
    write(at("trip/too deep/hidden.png"), encoded(QImage(8, 8, QImage::Format_RGB32), "png"));
    write(at("readme.txt"), "words");
    QImage huge(12000, 8000, QImage::Format_Mono);
    huge.fill(1);
    write(at("trip/huge.png"), encoded(huge, "png"));

    // One line a picture, so that a failure shows the field that differs.
    QStringList found;
    for (const Painting& p : picturesIn(folder.path())) {
        found << QStringList({p.id, p.collection, p.title, p.artist, p.date, p.file}).join(u'|');
    }
    const QString harbour = at("harbour.jpg"), beach = at("trip/Beach at dawn.jpeg");
    const QString large = at("trip/huge.png");
    EXPECT_EQ(found, QStringList({harbour + u"|mine|Quay & Boats|Ada Lovelace|2019|"_s + harbour,
                                  beach + u"|mine|Beach at dawn|||"_s + beach,
                                  large + u"|mine|huge|||"_s + large}));

    const long before = peakKilobytes();
    const QImage shown = readImageToFit(large, {1785, 1224});
    EXPECT_EQ(shown.size(), QSize(1785, 1190)) << "read to fit, proportions kept";
    constexpr long fullImageKilobytes = 12000L * 8000 * 4 / 1024;
    EXPECT_LT(peakKilobytes() - before, fullImageKilobytes / 4) << "never the whole image";
}

TEST_F(Pictures, EachFormatGivesTitleArtistAndYear) {
    for (const char* seed : {"exif-xmp.jpg", "exif-xmp.png", "exif-xmp.webp"}) {
        QFile file(seeds + QLatin1String(seed));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << seed;
        EXPECT_EQ(readPictureDetails(file),
                  (PictureDetails{u"Quay & Boats"_s, u"Ada Lovelace"_s, u"2019"_s}))
            << seed;
    }
}

TEST_F(Pictures, DamagedOrCutMetadataReadsAsNoneOrAsWritten) {
    const QByteArray good = test::readFile(seeds + u"exif-xmp.jpg"_s);
    const auto year = [](QByteArray bytes) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return readPictureDetails(buffer).year;
    };
    for (qsizetype cut = 0; cut < 200; ++cut) {
        QByteArray broken = good;
        broken[cut] = char(broken[cut] ^ 0x5A);
        for (const QString& read : {year(broken), year(good.left(cut))}) {
            EXPECT_TRUE(read.isEmpty() || read == u"2019"_s) << cut;
        }
    }
}

} // namespace
} // namespace tessel
