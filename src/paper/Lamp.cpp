#include "paper/Lamp.h"

#include <QHashFunctions>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tessel {

namespace {

Lamp make(const char* id, const char* name, const char* note, Lamp::Glow glow,
          std::optional<SrgbColor> wash, double washAlpha, double vignette) {
    return {QString::fromLatin1(id),
            QString::fromLatin1(name),
            QString::fromLatin1(note),
            {glow},
            wash,
            washAlpha,
            vignette};
}

// clang-format off
QList<Lamp> makePresets() {
    return {
        make("reading", "Reading Lamp", "Warm light from the top left",
             {0.12, -0.02, 0.85, {1.0, 0.74, 0.42}, 0.2}, SrgbColor{1.0, 0.85, 0.65}, 0.035, 0.06),
        make("window", "Window Light", "Cool daylight from the side",
             {-0.06, 0.4, 1.0, {0.92, 0.96, 1.0}, 0.12}, std::nullopt, 0, 0.07),
        make("candle", "Candle", "A low amber flame",
             {0.5, 1.08, 0.9, {1.0, 0.55, 0.25}, 0.22}, SrgbColor{1.0, 0.7, 0.4}, 0.05, 0.16),
        make("bankers", "Banker's Lamp", "A focused pool over the desk",
             {0.5, -0.06, 0.7, {1.0, 0.8, 0.52}, 0.18}, std::nullopt, 0, 0.13),
        make("dusk", "Dusk", "Rose light at the end of the day",
             {0.5, -0.25, 1.2, {1.0, 0.62, 0.55}, 0.14}, SrgbColor{1.0, 0.8, 0.75}, 0.03, 0.08),
        make("moonlight", "Moonlight", "Silver light for late nights",
             {0.9, -0.05, 0.9, {0.7, 0.8, 1.0}, 0.12}, SrgbColor{0.8, 0.85, 1.0}, 0.02, 0.15),
    };
}
// clang-format on

double opacity(double value) {
    return value > 0 ? std::min(value, 1.0) : 0.0;
}

// A zero-sized screen has no unit space; its gradients collapse onto their centres.
double perUnit(double points, double side) {
    return side > 0 ? points / side : 0.0;
}

// centre: fractions of the width and height from the top-left; reach: from the centre to the
// end point in the unit space, whose y points up.
LampLayer gradient(QSizeF size, QPointF centre, QPointF reach, QList<GradientStop> stops) {
    LampLayer layer;
    layer.kind = LampLayer::Kind::radialGradient;
    layer.frame = QRectF(QPointF(0, 0), size);
    layer.stops = std::move(stops);
    layer.startPoint = QPointF(centre.x(), 1 - centre.y());
    layer.endPoint = layer.startPoint + reach;
    layer.center = QPointF(centre.x() * size.width(), centre.y() * size.height());
    layer.radiusX = std::abs(reach.x()) * size.width();
    layer.radiusY = std::abs(reach.y()) * size.height();
    return layer;
}

// Shortest text that reads back to the same double, always with a fractional part.
QString decimal(double value) {
    const double magnitude = std::abs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e16);
    char buffer[64];
    const auto format = plain ? std::chars_format::fixed : std::chars_format::scientific;
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value, format);
    std::string text(std::begin(buffer), result.ptr);
    if (plain && std::isfinite(value) && text.find('.') == std::string::npos) {
        text += ".0";
    }
    return QString::fromStdString(text);
}

} // namespace

const QList<Lamp>& Lamp::presets() {
    static const QList<Lamp> lamps = makePresets();
    return lamps;
}

std::optional<Lamp> Lamp::find(const std::optional<QString>& id) {
    if (!id) {
        return std::nullopt;
    }
    for (const Lamp& lamp : presets()) {
        if (lamp.id == *id) {
            return lamp;
        }
    }
    return std::nullopt;
}

QList<LampLayer> Lamp::layers(double strength, QSizeF size) const {
    const double s = strength * 1.4;
    const double w = size.width();
    const double h = size.height();
    const double longer = w <= h ? h : w;
    QList<LampLayer> result;
    if (wash && washAlpha > 0) {
        LampLayer fill;
        fill.frame = QRectF(QPointF(0, 0), size);
        fill.color = *wash;
        fill.opacity = opacity(washAlpha * s);
        result.append(fill);
    }
    for (const Glow& glow : glows) {
        const QPointF reach(perUnit(glow.radius * longer, w), perUnit(glow.radius * longer, h));
        result.append(gradient(size, {glow.x, glow.y}, reach,
                               {{0, glow.color, opacity(glow.alpha * s)}, {1, glow.color, 0}}));
    }
    if (vignette > 0) {
        const SrgbColor black;
        result.append(
            gradient(size, {0.5, 0.5}, {0.7, 0.7},
                     {{0, black, 0}, {0.45, black, 0}, {1, black, opacity(s * vignette)}}));
    }
    return result;
}

std::size_t qHash(const Lamp& lamp, std::size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    const auto colour = [&](const SrgbColor& c) {
        for (double v : {c.r, c.g, c.b}) {
            seed = combine(seed, ::qHash(v));
        }
    };
    seed = combine(seed, ::qHash(lamp.id));
    seed = combine(seed, ::qHash(lamp.name));
    seed = combine(seed, ::qHash(lamp.note));
    for (const Lamp::Glow& glow : lamp.glows) {
        for (double v : {glow.x, glow.y, glow.radius, glow.alpha}) {
            seed = combine(seed, ::qHash(v));
        }
        colour(glow.color);
    }
    seed = combine(seed, ::qHash(lamp.wash.has_value()));
    if (lamp.wash) {
        colour(*lamp.wash);
    }
    seed = combine(seed, ::qHash(lamp.washAlpha));
    return combine(seed, ::qHash(lamp.vignette));
}

std::optional<QString> lampKey(const std::optional<Lamp>& lamp, double strength, QSizeF size) {
    if (!lamp) {
        return std::nullopt;
    }
    return lamp->id + u'-' + decimal(strength) + QStringLiteral("-(") + decimal(size.width()) +
           QStringLiteral(", ") + decimal(size.height()) + u')';
}

} // namespace tessel
