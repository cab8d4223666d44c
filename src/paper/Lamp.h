#pragma once

#include "paper/LampLayer.h"

#include <QList>
#include <QSizeF>
#include <QString>

#include <cstddef>
#include <optional>

namespace tessel {

// A lamp tints the overlay as if the paper were lit: coloured radial glows, an optional even
// wash and an optional vignette. Six fixed presets; ids are persisted and never change.
struct Lamp {
    struct Glow {
        // Centre as fractions of the width from the left and of the height from the top;
        // either may lie outside 0…1.
        double x = 0;
        double y = 0;
        // Radius as a fraction of the longer side of the screen.
        double radius = 0;
        SrgbColor color;
        // Base opacity at the centre, drawn at alpha × 1.4 × strength (at most 1).
        double alpha = 0;

        friend bool operator==(const Glow&, const Glow&) = default;
    };

    QString id;
    QString name;
    QString note;
    QList<Glow> glows;
    std::optional<SrgbColor> wash;
    double washAlpha = 0;
    double vignette = 0;

    friend bool operator==(const Lamp&, const Lamp&) = default;

    // Reading, Window, Candle, Banker's, Dusk, Moonlight, in menu order.
    static const QList<Lamp>& presets();

    // The preset with this id; none for no id or an unknown one (no lamp is a valid choice).
    static std::optional<Lamp> find(const std::optional<QString>& id);

    // The layers for a screen of `size` points at `strength`, bottom to top: wash, glows,
    // vignette, each present when the preset has it. Opacities are the preset's times
    // 1.4 × strength, kept within [0, 1] (NaN gives 0). Every frame is (0, 0, width, height).
    QList<LampLayer> layers(double strength, QSizeF size) const;
};

std::size_t qHash(const Lamp& lamp, std::size_t seed = 0) noexcept;

// What an overlay keeps to skip rebuilding its lamp: id, strength and size, e.g.
// "reading-0.6-(1440.0, 900.0)"; each number in its shortest round-trip form with a fractional
// part. None when there is no lamp.
std::optional<QString> lampKey(const std::optional<Lamp>& lamp, double strength, QSizeF size);

} // namespace tessel
