#include "paper/Lamp.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;

const QSizeF screen(1440, 900);

Lamp preset(const char* id) {
    return *Lamp::find(QString::fromLatin1(id));
}

TEST(Lamp, PresetsAreFoundByTheirIdsOnly) {
    QStringList ids;
    for (const Lamp& lamp : Lamp::presets()) {
        ids << lamp.id;
    }
    EXPECT_EQ(ids.join(u','), u"reading,window,candle,bankers,dusk,moonlight"_s);
    EXPECT_FALSE(Lamp::find(std::nullopt));
    EXPECT_FALSE(Lamp::find(u"lantern"_s));
    EXPECT_FALSE(Lamp::find(u"Reading"_s));
    EXPECT_FALSE(lampKey(std::nullopt, 0.6, screen));
}

// A wash when there are three layers, then the glow or the vignette.
TEST(LampLayers, CoverTheScreenAndScaleWithTheStrengthUpToOne) {
    for (const Lamp& lamp : Lamp::presets()) {
        const QList<LampLayer> layers = lamp.layers(1, screen);
        ASSERT_GE(layers.size(), 2) << lamp.id.toStdString();
        EXPECT_EQ(layers.front().kind == LampLayer::Kind::fill, layers.size() == 3);
        EXPECT_EQ(layers.back().kind, LampLayer::Kind::radialGradient) << lamp.id.toStdString();
        for (const LampLayer& layer : layers) {
            EXPECT_EQ(layer.frame, QRectF(QPointF(), screen)) << lamp.id.toStdString();
        }
    }

    const auto opacities = [](const Lamp& lamp, double strength) {
        QList<double> all;
        for (const LampLayer& layer : lamp.layers(strength, screen)) {
            all << layer.opacity;
            for (const GradientStop& stop : layer.stops) {
                all << stop.opacity;
            }
        }
        return all;
    };
    for (const Lamp& lamp : Lamp::presets()) {
        const QList<double> full = opacities(lamp, 1);
        const QList<double> half = opacities(lamp, 0.5);
        for (qsizetype i = 0; i < full.size(); ++i) {
            EXPECT_DOUBLE_EQ(half[i], full[i] / 2) << lamp.id.toStdString();
            EXPECT_EQ(opacities(lamp, 0)[i], 0);
            EXPECT_EQ(opacities(lamp, 100)[i], full[i] > 0 ? 1 : 0);
        }
    }
}

TEST(LampLayers, TheGlowIsACircleAndTheVignetteClearInItsMiddle) {
    for (const auto& [id, glow] : {std::pair{"reading", 1}, {"bankers", 0}}) {
        const LampLayer wide = preset(id).layers(1, QSizeF(1000, 500))[glow];
        const LampLayer tall = preset(id).layers(1, QSizeF(500, 1000))[glow];
        EXPECT_EQ(wide.radiusX, wide.radiusY) << id;
        EXPECT_EQ(wide.radiusX, tall.radiusY) << id << ": the longer side sets the size";
    }
    const LampLayer vignette = preset("window").layers(0.5, QSizeF(1000, 500))[1];
    EXPECT_EQ(vignette.center, QPointF(500, 250));
    EXPECT_EQ(vignette.radiusX / vignette.radiusY, 2);
    ASSERT_EQ(vignette.stops.size(), 3);
    EXPECT_EQ(vignette.stops[0].opacity, 0);
    EXPECT_EQ(vignette.stops[1].opacity, 0);
    EXPECT_GT(vignette.stops[2].opacity, 0);
}

} // namespace
} // namespace tessel
