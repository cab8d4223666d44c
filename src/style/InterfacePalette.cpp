#include "style/InterfacePalette.h"

#include "style/Metrics.h"

namespace tessel {

QColor InterfacePalette::accent() {
    return QColor::fromRgbF(0.898f, 0.251f, 0.165f);
}

QColor InterfacePalette::paperWhite() {
    return QColor::fromRgbF(0.965f, 0.965f, 0.957f);
}

QColor InterfacePalette::ink() {
    return QColor::fromRgbF(0.118f, 0.118f, 0.125f);
}

QColor InterfacePalette::lightGrey() {
    return QColor::fromRgbF(0.94f, 0.94f, 0.93f);
}

QColor InterfacePalette::nearBlack() {
    return QColor::fromRgbF(0.086f, 0.086f, 0.086f);
}

QPalette InterfacePalette::chrome(bool dark) {
    const QColor background = dark ? nearBlack() : lightGrey();
    const QColor text = dark ? paperWhite() : ink();
    QPalette palette(text, background);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, background);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, text);
    }
    palette.setColor(QPalette::AlternateBase, dark ? background.lighter(130) : paperWhite());
    palette.setColor(QPalette::PlaceholderText, withAlpha(text, metrics::secondaryText));
    palette.setColor(QPalette::Highlight, accent());
    palette.setColor(QPalette::HighlightedText, paperWhite());
    palette.setColor(QPalette::ToolTipBase, dark ? paperWhite() : ink());
    palette.setColor(QPalette::ToolTipText, dark ? ink() : paperWhite());
    return palette;
}

Tones Tones::of(const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    return {text, withAlpha(text, metrics::secondaryText), withAlpha(text, metrics::tertiaryText)};
}

QColor withAlpha(QColor colour, qreal alpha) {
    colour.setAlphaF(static_cast<float>(colour.alphaF() * alpha));
    return colour;
}

} // namespace tessel
