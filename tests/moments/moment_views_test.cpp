#include "MachineTest.h"
#include "art/ArtLibrary.h"
#include "art/Gallery.h"
#include "moments/ArtView.h"
#include "moments/RestView.h"
#include "paper/HeightField.h"
#include "paper/LitPreview.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"

namespace tessel {
namespace {

// Renders a view as a screen of that size would show it.
QImage render(MomentView& view, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    view.paint(painter, size);
    painter.end();
    return image;
}

// Pixels in the rectangle that differ clearly from the colour: text, lines, pictures.
int marks(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) > 60;
        }
    }
    return count;
}

using Views = MachineTest;

TEST(RestCue, AlternatesEveryFourSecondsFromTheStart) {
    QStringList cues;
    for (int left = 20; left >= 0; --left) {
        cues.append(restCue(20, left) == u"Breathe in" ? u"in"_s : u"out"_s);
    }
    EXPECT_EQ(cues.join(u' '), QStringLiteral("in in in in out out out out in in in in "
                                              "out out out out in in in in out"));
}

TEST_F(Views, TheRingBreathesUnlessMotionIsReduced) {
    RestView moving(platform, 20, false, QImage());
    moving.appear();
    EXPECT_TRUE(moving.isBreathing());

    platform.setReduceMotion(true);
    RestView still(platform, 20, false, QImage());
    still.appear();
    EXPECT_FALSE(still.isBreathing());
    platform.advance(4s);
    EXPECT_EQ(still.cue(), u"Breathe out"_s);
}

// Lit Kozo, or the plain sheet while the preview is still being made; in the paper's own colour.
TEST_F(Views, TheRestPageIsASheetWithTheWordsInTheMiddle) {
    platform.setReduceMotion(true);
    const std::vector<float> field =
        heightField(Paper::find(u"kozo"_s, {}).recipe, PaperCache::previewSize);
    const QImage kozo = previewImage(field, PaperCache::previewSize);
    for (const bool night : {false, true}) {
        for (const QImage& preview : {QImage(), kozo}) {
            RestView view(platform, 20, night, preview);
            view.appear();
            const QImage page = render(view, {1440, 900});
            const QColor paper = litPaperColour(night);
            EXPECT_GT(marks(page, {470, 470, 500, 50}, paper), 300) << "the words in the middle";
            EXPECT_GT(marks(page, {570, 850, 300, 30}, paper), 20) << "the hint at the bottom";
            int textured = 0;
            double sum = 0;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 300; ++x) {
                    textured += std::abs(qGray(page.pixel(x, y)) - qGray(paper.rgb())) > 4;
                    sum += qGray(page.pixel(x, y));
                }
            }
            EXPECT_TRUE(preview.isNull() ? textured == 0 : textured > 1000) << textured;
            EXPECT_NEAR(sum / (300 * 200), qGray(paper.rgb()), 12);
        }
    }
}

// Your Pictures ships none: there a picture that does not read hangs as a grey box.
TEST_F(Views, EveryCollectionHangsItsPaintingOnItsWall) {
    platform.setReduceMotion(true);
    const ArtLibrary library;
    for (const auto& collection : gallery::collections()) {
        const auto painting =
            std::find_if(library.paintings().begin(), library.paintings().end(),
                         [&](const Painting& p) { return p.collection == collection.id; });
        const bool shipped = painting != library.paintings().end();
        ArtView view(platform, shipped ? *painting : Painting{"x", "mine", "Lost", "", "", "x.jpg"},
                     shipped ? library.image(*painting) : QImage());
        view.appear();
        const QImage screen = render(view, {1440, 900});
        EXPECT_EQ(screen.pixelColor(2, 897).rgb(), collection.wall.rgb()) << "the bare wall";
        EXPECT_NE(screen.pixelColor(720, 60).rgb(), collection.wall.rgb()) << "the light on it";
        EXPECT_GT(marks(screen, {620, 350, 200, 200}, collection.wall), 20000) << "a picture";
        EXPECT_TRUE(shipped || screen.pixelColor(720, 400).rgb() == qRgb(128, 128, 128));
    }
}

} // namespace
} // namespace tessel
