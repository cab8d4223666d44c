#include "ui/popover/PopoverMenu.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"

namespace tessel {

namespace {

constexpr int framePadding = 4;
constexpr int itemVertical = 5;
constexpr int itemHorizontal = 12;
constexpr int itemRadius = 5;

QString css(const QColor& colour) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(colour.alphaF(), 0, 'f', 3);
}

} // namespace

PopoverMenu::PopoverMenu(QWidget* parent)
    : QMenu(parent) {}

void PopoverMenu::follow(const QWidget& source) {
    const QPalette palette = source.palette();
    const Tones tones = Tones::of(palette);
    setPalette(palette);
    setFont(source.font());
    setStyleSheet(
        QStringLiteral("QMenu { background: %1; border: 1px solid %2; padding: %3px; }"
                       "QMenu::item { color: %4; padding: %5px %6px;"
                       " border-radius: %7px; background: transparent; }"
                       "QMenu::item:selected { background: %8; }"
                       "QMenu::item:disabled { color: %9; }")
            .arg(css(palette.color(QPalette::Window)), css(withAlpha(tones.primary, metrics::rule)))
            .arg(framePadding)
            .arg(css(tones.primary))
            .arg(itemVertical)
            .arg(itemHorizontal)
            .arg(itemRadius)
            .arg(css(withAlpha(tones.primary, metrics::hairline)), css(tones.tertiary)));
}

} // namespace tessel
