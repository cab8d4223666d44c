#include "ui/settings/PaneFactory.h"

#include "studio/StudioPane.h"
#include "ui/settings/AppsPane.h"
#include "ui/settings/ArtPane.h"
#include "ui/settings/DisplaysPane.h"
#include "ui/settings/FocusPane.h"
#include "ui/settings/GeneralPane.h"
#include "ui/settings/LampPane.h"
#include "ui/settings/PapersPane.h"
#include "ui/settings/SchedulePane.h"
#include "ui/settings/SettingsContext.h"
#include "ui/settings/ShortcutsPane.h"

namespace tessel {

std::unique_ptr<QWidget> makePane(Pane pane, SettingsContext& context) {
    switch (pane) {
    case Pane::general:
        return std::make_unique<GeneralPane>(context);
    case Pane::papers:
        return std::make_unique<PapersPane>(context);
    case Pane::lamp:
        return std::make_unique<LampPane>(context);
    case Pane::art:
        return std::make_unique<ArtPane>(context);
    case Pane::apps:
        return std::make_unique<AppsPane>(context);
    case Pane::displays:
        return std::make_unique<DisplaysPane>(context);
    case Pane::schedule:
        return std::make_unique<SchedulePane>(context);
    case Pane::focus:
        return std::make_unique<FocusPane>(context);
    case Pane::shortcuts:
        return std::make_unique<ShortcutsPane>(context);
    case Pane::studio:
        return std::make_unique<StudioPane>(context.store);
    }
    return nullptr;
}

} // namespace tessel
