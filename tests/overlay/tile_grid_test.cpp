#include "overlay/SheetPainter.h"
#include "overlay/TileGrid.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(TileGrid, CountsWholeCellsOfTilePixelsOverTheRatio) {
    const TileGrid retina = layoutTiles({1440, 900}, 1024, 2);
    EXPECT_EQ(retina.side, 512);
    EXPECT_EQ(retina.columns, 3);
    EXPECT_EQ(retina.rows, 2);
    const TileGrid plain = layoutTiles({1440, 900}, 1024, 1);
    EXPECT_EQ(plain.columns, 2);
    EXPECT_EQ(plain.rows, 1);
    EXPECT_EQ(layoutTiles({1024, 1024}, 1024, 1).count(), 1);
    EXPECT_EQ(layoutTiles({1440, 900}, 0, 1).count(), 0);
    EXPECT_EQ(layoutTiles({1440, 900}, 1024, 0).count(), 0);
}

TEST(TileGrid, CellZeroSitsAtTheLowerLeftCorner) {
    const TileGrid grid = layoutTiles({1440, 900}, 1024, 2);
    EXPECT_EQ(grid.cell(0, 900), QRectF(0, 388, 512, 512));
    EXPECT_EQ(grid.cell(4, 900), QRectF(512, -124, 512, 512));
}

TEST(SheetPainter, RepeatsTheTileFromTheBottomLeftEdgeToEdge) {
    QImage tile(8, 8, QImage::Format_RGBA8888_Premultiplied);
    tile.fill(Qt::transparent);
    tile.setPixelColor(0, 7, QColor(255, 0, 0)); // the tile's bottom-left pixel
    const QImage sheet = renderSheet({20, 12}, 1, tile, {});
    ASSERT_EQ(sheet.size(), QSize(20, 12));
    EXPECT_EQ(sheet.pixelColor(0, 11), QColor(255, 0, 0));
    EXPECT_EQ(sheet.pixelColor(8, 11), QColor(255, 0, 0));
    EXPECT_EQ(sheet.pixelColor(16, 3), QColor(255, 0, 0));
    EXPECT_EQ(sheet.pixelColor(1, 11).alpha(), 0);
}

TEST(SheetPainter, LampLayersLightTheSheet) {
    QImage tile(8, 8, QImage::Format_RGBA8888_Premultiplied);
    tile.fill(Qt::transparent);
    LampLayer wash;
    wash.frame = QRectF(0, 0, 20, 12);
    wash.color = {1, 0.5, 0};
    wash.opacity = 0.5;
    const QImage sheet = renderSheet({20, 12}, 1, tile, {wash});
    EXPECT_NEAR(sheet.pixelColor(10, 6).alphaF(), 0.5, 0.01);
}

// Painting straight from the tile must not change a pixel of what the kept picture showed.
TEST(SheetPainter, PaintsWhatTheRenderedPictureShows) {
    QImage tile(8, 8, QImage::Format_RGBA8888_Premultiplied);
    for (int i = 0; i < 64; ++i) {
        tile.setPixelColor(i % 8, i / 8, QColor::fromHsv(i * 5, 120, 200, 40 + i * 3));
    }
    LampLayer wash;
    wash.frame = QRectF(0, 0, 20, 12);
    wash.color = {1, 0.5, 0};
    wash.opacity = 0.3;
    for (const QList<LampLayer>& lamp : {QList<LampLayer>{}, QList<LampLayer>{wash}}) {
        for (const double ratio : {1.0, 1.5, 2.0}) {
            SCOPED_TRACE(ratio);
            const QImage picture = renderSheet({20, 12}, ratio, tile, lamp);
            QImage painted(picture.size(), picture.format());
            painted.setDevicePixelRatio(ratio);
            painted.fill(Qt::transparent);
            QPainter painter(&painted);
            Sheet({20, 12}, ratio, tile, lamp).paint(painter);
            painter.end();
            EXPECT_EQ(painted, picture);
        }
    }
}

} // namespace
} // namespace tessel
