#pragma once

#include <QString>

#include <span>

namespace tessel {

// The panes of the Settings window, in the sidebar's order.
enum class Pane { general, papers, studio, lamp, art, apps, displays, schedule, focus, shortcuts };

struct PaneInfo {
    Pane pane;
    QString title;
    // A freedesktop icon name.
    QString icon;
    QString subtitle;
};

std::span<const PaneInfo> paneInfos();
const PaneInfo& paneInfo(Pane pane);

} // namespace tessel
