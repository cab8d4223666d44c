#include "MachineTest.h"
#include "app/MenuBarIcon.h"

namespace tessel {
namespace {

using State = MenuBarIcon::State;

constexpr qreal scale = 4;

// The alpha at a point of the 14 × 16 point glyph.
int alphaAt(const QImage& image, qreal x, qreal y) {
    return qAlpha(image.pixel(static_cast<int>(x * scale), static_cast<int>(y * scale)));
}

TEST(MenuBarIcon, DrawsTheThreeStatesFromTheSheetGeometry) {
    const QImage off = MenuBarIcon::draw(State::off, scale, Qt::black);
    const QImage snoozed = MenuBarIcon::draw(State::snoozed, scale, Qt::black);
    const QImage on = MenuBarIcon::draw(State::on, scale, Qt::black);
    for (const QImage& image : {off, snoozed, on}) {
        ASSERT_EQ(image.size(), QSize(56, 64));
        EXPECT_GT(alphaAt(image, 1.5, 10), 0); // left edge of the sheet
        EXPECT_EQ(alphaAt(image, 12, 2), 0);   // the corner folded away
        EXPECT_EQ(alphaAt(image, 0.2, 0.2), 0);
    }
    // Off is faded, the others at full strength, so the three read apart at panel size.
    EXPECT_LT(alphaAt(off, 1.5, 10), 160);
    EXPECT_EQ(alphaAt(snoozed, 1.5, 10), 255);
    // Inside the upper part, the middle and the bottom of the sheet.
    EXPECT_EQ(alphaAt(off, 5, 4), 0);
    EXPECT_EQ(alphaAt(off, 5, 12), 0);
    EXPECT_EQ(alphaAt(snoozed, 5, 4), 0);
    EXPECT_EQ(alphaAt(snoozed, 5, 8), 0);
    EXPECT_EQ(alphaAt(snoozed, 5, 12), 255);
    EXPECT_EQ(alphaAt(on, 5, 4), 255);
    EXPECT_EQ(alphaAt(on, 5, 8), 255);
    EXPECT_EQ(alphaAt(on, 5, 12), 255);
    // The fold is drawn on the outline forms and cut out of the filled one.
    EXPECT_GT(alphaAt(off, 8, 4), 0);
    EXPECT_EQ(alphaAt(snoozed, 10.5, 6), 255);
    EXPECT_EQ(alphaAt(on, 8, 4), 0);
    EXPECT_EQ(alphaAt(on, 10.5, 6), 0);
    EXPECT_EQ(alphaAt(on, 10, 9), 255);
}

TEST(MenuBarIcon, AHaloKeepsTheGlyphReadableAndIconsComeInPanelSizes) {
    const QImage plain = MenuBarIcon::draw(State::snoozed, scale, Qt::black);
    const QImage haloed = MenuBarIcon::draw(State::snoozed, scale, Qt::black, Qt::white);
    // Just inside the outline: bare on the plain icon, the halo colour on the other.
    EXPECT_EQ(alphaAt(plain, 2.9, 6), 0);
    const QRgb halo = haloed.pixel(static_cast<int>(2.9 * scale), 6 * static_cast<int>(scale));
    EXPECT_GT(qAlpha(halo), 0);
    EXPECT_EQ(qRed(halo), qAlpha(halo)); // premultiplied white
    EXPECT_EQ(haloed.pixel(6, 40), plain.pixel(6, 40));

    const QIcon icon = MenuBarIcon::icon(State::on, true, 2);
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(44, 44)));
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
    const QImage image = icon.pixmap(QSize(22, 22), 2).toImage();
    ASSERT_EQ(image.size(), QSize(44, 44));
    // The glyph is light on a dark panel.
    const QRgb centre = image.pixel(20, 26);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_GT(qRed(centre), 200);
}

} // namespace
} // namespace tessel
