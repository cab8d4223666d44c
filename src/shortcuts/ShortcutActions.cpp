#include "shortcuts/ShortcutActions.h"

#include "core/ShadedWeight.h"
#include "core/Store.h"
#include "paper/Paper.h"

#include <QHash>

#include <algorithm>

namespace tessel {

namespace {

constexpr double weightStep = 20;
constexpr double snoozeSeconds = 3600;

// The keyboard acts on the slot that is showing, not the one last edited in the popover.
void followAppearance(Store& store) {
    if (store.editingNight() != store.dark()) {
        store.setEditingNight(store.dark());
    }
}

void nextPaper(Store& store) {
    followAppearance(store);
    const QList<Paper> papers = Paper::all(store.settings().customPapers);
    Slot slot = store.editedSlot();
    const auto found = std::find_if(papers.cbegin(), papers.cend(),
                                    [&](const Paper& p) { return p.id == slot.paper; });
    const qsizetype index = found == papers.cend() ? 0 : found - papers.cbegin();
    slot.paper = papers[(index + 1) % papers.size()].id;
    store.setEditedSlot(slot);
}

void reweigh(Store& store, double change) {
    followAppearance(store);
    Slot slot = store.editedSlot();
    slot.gsm = shadedGsm(slot.gsm + change);
    store.setEditedSlot(slot);
}

} // namespace

const QStringList& ShortcutActions::names() {
    static const QStringList list{
        QStringLiteral("togglePaper"),  QStringLiteral("snoozeHour"), QStringLiteral("nextPaper"),
        QStringLiteral("heavier"),      QStringLiteral("lighter"),    QStringLiteral("focusSheet"),
        QStringLiteral("readingRuler"),
    };
    return list;
}

QString ShortcutActions::title(const QString& name) {
    static const QHash<QString, QString> titles{
        {QStringLiteral("togglePaper"), QStringLiteral("Paper on or off")},
        {QStringLiteral("snoozeHour"), QStringLiteral("Snooze for an hour")},
        {QStringLiteral("nextPaper"), QStringLiteral("Next paper")},
        {QStringLiteral("heavier"), QStringLiteral("Heavier paper")},
        {QStringLiteral("lighter"), QStringLiteral("Lighter paper")},
        {QStringLiteral("focusSheet"), QStringLiteral("Focus Sheet")},
        {QStringLiteral("readingRuler"), QStringLiteral("Reading Ruler")},
    };
    return titles.value(name, name);
}

bool ShortcutActions::run(Store& store, const QString& name) {
    if (name == u"togglePaper") {
        store.updateSettings([](Settings& s) { s.enabled = !s.enabled; });
    } else if (name == u"snoozeHour") {
        store.snooze(store.isSnoozed() ? std::nullopt : std::optional(snoozeSeconds));
    } else if (name == u"nextPaper") {
        nextPaper(store);
    } else if (name == u"heavier") {
        reweigh(store, weightStep);
    } else if (name == u"lighter") {
        reweigh(store, -weightStep);
    } else if (name == u"focusSheet") {
        store.updateSettings([](Settings& s) { s.focusSheet = !s.focusSheet; });
    } else if (name == u"readingRuler") {
        store.updateSettings([](Settings& s) { s.ruler = !s.ruler; });
    } else {
        return false;
    }
    return true;
}

} // namespace tessel
