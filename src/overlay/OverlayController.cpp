#include "overlay/OverlayController.h"

#include "platform/UserDefaults.h"

#include <nlohmann/json.hpp>

namespace tessel {

OverlayController::OverlayController(Platform& platform, OverlaySurfaceFactory makeSurface)
    : m_platform(platform)
    , m_makeSurface(std::move(makeSurface)) {}

OverlayController::~OverlayController() = default;

QStringList OverlayController::windowIds() const {
    QStringList ids;
    for (const auto& [id, window] : m_windows) {
        ids << id;
    }
    return ids;
}

OverlayWindow* OverlayController::window(const QString& screenId) const {
    const auto it = m_windows.find(screenId);
    return it == m_windows.end() ? nullptr : it->second.get();
}

// The user-defaults Boolean "showInScreenshots", which no control writes, lets the paper into
// captures whatever the settings say.
void OverlayController::sync(const ScreenMap& screens, const LayerMap& layers, const TileMap& tiles,
                             const QSet<QString>& pending, bool hideFromScreenshots) {
    const auto forcedIn = m_platform.defaults().value("showInScreenshots");
    m_platform.hidePaperFromCapture(hideFromScreenshots &&
                                    !(forcedIn && forcedIn->is_boolean() && forcedIn->get<bool>()));
    m_screens = screens;
    std::erase_if(m_windows, [&](const auto& entry) { return !screens.contains(entry.first); });

    bool shown = false;
    for (auto it = screens.cbegin(); it != screens.cend(); ++it) {
        auto& window = m_windows[it.key()];
        if (!window) {
            window = std::make_unique<OverlayWindow>(
                it.value(), [this] { return m_platform.reduceMotion(); }, m_makeSurface);
        }
        window->setHost(it.value());
        if (tiles.contains(it.key()) && layers.contains(it.key())) {
            const Layer& layer = layers[it.key()];
            window->drop = dropNext;
            window->apply(tiles[it.key()], Lamp::find(layer.lamp), layer.lampStrength);
            window->drop = false;
            shown = true;
        } else if (!pending.contains(it.key()) && window->isVisible()) {
            window->hideSheet();
        }
    }
    if (shown) {
        dropNext = false;
    }
}

void OverlayController::setFocus(std::optional<QRectF> rect, double strength) {
    for (const auto& [id, window] : m_windows) {
        if (!m_screens.contains(id)) {
            continue;
        }
        const QPointF origin = m_screens[id].frame.topLeft();
        window->setFocus(rect ? std::optional(rect->translated(-origin)) : std::nullopt, strength);
    }
}

void OverlayController::setRuler(QPointF point, bool hidden, double height) {
    for (const auto& [id, window] : m_windows) {
        if (!m_screens.contains(id)) {
            continue;
        }
        const QRectF frame = m_screens[id].frame;
        const bool here = !hidden && frame.contains(point);
        window->setRuler(here ? std::optional(point.y() - frame.y()) : std::nullopt, height);
    }
}

} // namespace tessel
