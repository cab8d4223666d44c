#include "ui/settings/Pane.h"

#include <array>

namespace tessel {

namespace {

const std::array<PaneInfo, 10>& table() {
    static const std::array<PaneInfo, 10> panes{{
        {Pane::general, QStringLiteral("General"), QStringLiteral("preferences-system-symbolic"),
         QStringLiteral("How Tessel behaves day to day.")},
        {Pane::papers, QStringLiteral("Papers"), QStringLiteral("edit-copy-symbolic"),
         QStringLiteral("The paper for light screens and for dark ones.")},
        {Pane::studio, QStringLiteral("Paper Studio"),
         QStringLiteral("applications-graphics-symbolic"),
         QStringLiteral("Make a paper of your own.")},
        {Pane::lamp, QStringLiteral("Desk Lamp"), QStringLiteral("display-brightness-symbolic"),
         QStringLiteral("Warm light that blends with your paper.")},
        {Pane::art, QStringLiteral("Art Mode"), QStringLiteral("image-x-generic-symbolic"),
         QStringLiteral("When you step away, a painting instead of a dark screen.")},
        {Pane::apps, QStringLiteral("Apps"), QStringLiteral("view-app-grid-symbolic"),
         QStringLiteral("Where paper shows, and which paper each app gets.")},
        {Pane::displays, QStringLiteral("Displays"), QStringLiteral("video-display-symbolic"),
         QStringLiteral("Paper for each screen you connect.")},
        {Pane::schedule, QStringLiteral("Schedule"), QStringLiteral("daytime-sunset-symbolic"),
         QStringLiteral("When paper turns itself on.")},
        {Pane::focus, QStringLiteral("Focus"), QStringLiteral("find-location-symbolic"),
         QStringLiteral("Tools for long stretches of reading and work.")},
        {Pane::shortcuts, QStringLiteral("Shortcuts"), QStringLiteral("input-keyboard-symbolic"),
         QStringLiteral("Control Tessel from anywhere.")},
    }};
    return panes;
}

} // namespace

std::span<const PaneInfo> paneInfos() {
    return table();
}

const PaneInfo& paneInfo(Pane pane) {
    return table()[static_cast<std::size_t>(pane)];
}

} // namespace tessel
