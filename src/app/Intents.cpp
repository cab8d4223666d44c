#include "app/Intents.h"

#include "core/SettingLimits.h"
#include "core/Store.h"
#include "paper/Paper.h"

namespace tessel {

namespace {

QString unknownPaper(const QString& id) {
    QStringList ids;
    for (const Paper& paper : Paper::builtIn()) {
        ids << paper.id;
    }
    return QStringLiteral("There is no paper \"%1\". Choose one of: %2.").arg(id, ids.join(u", "));
}

} // namespace

bool Intents::isPaperChoice(const QString& id) {
    const QList<Paper>& papers = Paper::builtIn();
    return std::any_of(papers.cbegin(), papers.cend(), [&](const Paper& p) { return p.id == id; });
}

void Intents::setPaperOn(Store& store, bool on) {
    store.updateSettings([&](Settings& s) { s.enabled = on; });
}

std::optional<QString> Intents::setPaper(Store& store, const QString& paper,
                                         std::optional<int> gsm) {
    if (!isPaperChoice(paper)) {
        return unknownPaper(paper);
    }
    if (gsm && !limits::gsm.contains(*gsm)) {
        return QStringLiteral("Weight must be from %1 to %2 gsm, not %3.")
            .arg(limits::gsm.lowest)
            .arg(limits::gsm.highest)
            .arg(*gsm);
    }
    // One change, so Day and Night can never be stored apart.
    store.updateSettings([&](Settings& s) {
        s.day.paper = paper;
        s.night.paper = paper;
        if (gsm) {
            s.day.gsm = *gsm;
            s.night.gsm = *gsm;
        }
        s.enabled = true;
    });
    return std::nullopt;
}

std::optional<QString> Intents::snooze(Store& store, int minutes) {
    if (!limits::snoozeMinutes.contains(minutes)) {
        return QStringLiteral("Minutes must be from %1 to %2, not %3.")
            .arg(limits::snoozeMinutes.lowest)
            .arg(limits::snoozeMinutes.highest)
            .arg(minutes);
    }
    store.snooze(minutes * 60.0);
    return std::nullopt;
}

std::optional<QString> Intents::setFocusFilter(Store& store, bool on,
                                               const std::optional<QString>& paper) {
    if (paper && !isPaperChoice(*paper)) {
        return unknownPaper(*paper);
    }
    store.setFocusFilter(FocusFilter{on, paper});
    return std::nullopt;
}

} // namespace tessel
