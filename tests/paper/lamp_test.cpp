#include "paper/Lamp.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

Lamp preset(const char* id) {
    return *Lamp::find(QString::fromLatin1(id));
}

TEST(Lamp, PresetsKeepTheirIdsAndOrder) {
    QStringList ids;
    for (const Lamp& lamp : Lamp::presets()) {
        ids << lamp.id;
        EXPECT_EQ(lamp.glows.size(), 1);
    }
    EXPECT_EQ(ids.join(u','), QStringLiteral("reading,window,candle,bankers,dusk,moonlight"));
    EXPECT_EQ(preset("candle").name, QStringLiteral("Candle"));
    EXPECT_EQ(preset("moonlight").note, QStringLiteral("Silver light for late nights"));
}

TEST(Lamp, FindsNoLampForNoOrAnUnknownId) {
    EXPECT_FALSE(Lamp::find(std::nullopt));
    EXPECT_FALSE(Lamp::find(QStringLiteral("lantern")));
    EXPECT_FALSE(Lamp::find(QStringLiteral("Reading")));
    EXPECT_FALSE(lampKey(std::nullopt, 0.6, QSizeF(1440, 900)));
}

TEST(LampLayers, WashGlowAndVignetteAppearWhenThePresetHasThem) {
    const QSizeF screen(1440, 900);
    for (const auto& [id, count] : {std::pair{"reading", 3},
                                    {"window", 2},
                                    {"candle", 3},
                                    {"bankers", 2},
                                    {"dusk", 3},
                                    {"moonlight", 3}}) {
        const QList<LampLayer> layers = preset(id).layers(1, screen);
        ASSERT_EQ(layers.size(), count) << id;
        if (count == 3) {
            EXPECT_EQ(layers[0].kind, LampLayer::Kind::fill) << id;
        }
        for (const LampLayer& layer : layers) {
            EXPECT_EQ(layer.frame, QRectF(0, 0, 1440, 900));
        }
        EXPECT_EQ(layers.back().kind, LampLayer::Kind::radialGradient);
    }
}

TEST(LampLayers, OpacitiesScaleWithStrength) {
    const QList<LampLayer> reading = preset("reading").layers(1, QSizeF(1440, 900));
    EXPECT_DOUBLE_EQ(reading[0].opacity, 0.049);
    EXPECT_DOUBLE_EQ(reading[1].stops[0].opacity, 0.28);
    EXPECT_EQ(reading[1].stops[1].opacity, 0);
    EXPECT_EQ(reading[1].stops[0].color, (SrgbColor{1.0, 0.74, 0.42}));
    EXPECT_DOUBLE_EQ(reading[2].stops[2].opacity, 0.084);

    const QList<LampLayer> candle = preset("candle").layers(1, QSizeF(1440, 900));
    EXPECT_DOUBLE_EQ(candle[1].stops[0].opacity, 0.308);
    EXPECT_DOUBLE_EQ(candle[2].stops[2].opacity, 0.224);

    for (const LampLayer& layer : preset("dusk").layers(0, QSizeF(800, 600))) {
        EXPECT_EQ(layer.opacity, 0);
        for (const GradientStop& stop : layer.stops) {
            EXPECT_EQ(stop.opacity, 0);
        }
    }
    // Far beyond any slider, opacities stop at 1.
    EXPECT_EQ(preset("candle").layers(100, QSizeF(800, 600))[2].stops[2].opacity, 1);
}

TEST(LampLayers, GlowIsACircleOfTheLongerSideWhateverTheAspect) {
    const LampLayer glow = preset("reading").layers(1, QSizeF(1000, 500))[1];
    EXPECT_DOUBLE_EQ(glow.radiusX, 850);
    EXPECT_DOUBLE_EQ(glow.radiusY, 850);
    EXPECT_DOUBLE_EQ(glow.center.x(), 120);
    EXPECT_DOUBLE_EQ(glow.center.y(), -10);
    EXPECT_DOUBLE_EQ(glow.startPoint.x(), 0.12);
    EXPECT_DOUBLE_EQ(glow.startPoint.y(), 1.02);
    EXPECT_DOUBLE_EQ(glow.endPoint.x(), 0.12 + 0.85);
    EXPECT_DOUBLE_EQ(glow.endPoint.y(), 1.02 + 1.7);

    const LampLayer tall = preset("bankers").layers(1, QSizeF(500, 1000))[0];
    EXPECT_DOUBLE_EQ(tall.radiusX, 700);
    EXPECT_DOUBLE_EQ(tall.radiusY, 700);
}

TEST(LampLayers, VignetteIsAnEllipseClearInItsInnerPart) {
    const LampLayer vignette = preset("window").layers(0.5, QSizeF(1000, 500))[1];
    EXPECT_EQ(vignette.center, QPointF(500, 250));
    EXPECT_DOUBLE_EQ(vignette.radiusX, 700);
    EXPECT_DOUBLE_EQ(vignette.radiusY, 350);
    ASSERT_EQ(vignette.stops.size(), 3);
    EXPECT_EQ(vignette.stops[1].location, 0.45);
    EXPECT_EQ(vignette.stops[1].opacity, 0);
    EXPECT_EQ(vignette.stops[2].color, SrgbColor{});
    EXPECT_DOUBLE_EQ(vignette.stops[2].opacity, 0.7 * 0.07);
}

TEST(LampKey, WritesIdStrengthAndSizeInShortestForm) {
    const auto reading = Lamp::find(QStringLiteral("reading"));
    EXPECT_EQ(lampKey(reading, 0.6, QSizeF(1440, 900)),
              QStringLiteral("reading-0.6-(1440.0, 900.0)"));
    EXPECT_EQ(lampKey(reading, 1, QSizeF(1512, 982.5)),
              QStringLiteral("reading-1.0-(1512.0, 982.5)"));
    EXPECT_EQ(lampKey(Lamp::find(QStringLiteral("moonlight")), 0.1 + 0.2, QSizeF(800, 600)),
              QStringLiteral("moonlight-0.30000000000000004-(800.0, 600.0)"));
}

} // namespace
} // namespace tessel
