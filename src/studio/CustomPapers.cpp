#include "studio/CustomPapers.h"

#include "core/SettingLimits.h"
#include "paper/PaperName.h"

#include <QUuid>

namespace tessel {

QString newCustomPaperId() {
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    return QStringLiteral("custom-") + uuid.left(8);
}

std::optional<PaperRefusal> refuseNewPaper(const Settings& settings) {
    if (settings.customPapers.size() < limits::customPapers) {
        return std::nullopt;
    }
    return PaperRefusal{QStringLiteral("Tessel keeps at most %1 papers of your own. Delete one "
                                       "to add another.")
                            .arg(limits::customPapers)};
}

std::optional<PaperRefusal> storeCustomPaper(Settings& settings, const CustomPaper& paper) {
    for (CustomPaper& stored : settings.customPapers) {
        if (stored.id == paper.id) {
            stored = paper;
            return std::nullopt;
        }
    }
    if (auto refusal = refuseNewPaper(settings)) {
        return refusal;
    }
    settings.customPapers.append(paper);
    return std::nullopt;
}

std::variant<QString, PaperRefusal> importPaper(Settings& settings, CustomPaper document) {
    document.id = newCustomPaperId();
    document.name = cleanPaperName(document.name);
    if (document.name.isEmpty()) {
        document.name = QStringLiteral("My Paper");
    }
    if (auto refusal = storeCustomPaper(settings, document)) {
        return *refusal;
    }
    return document.id;
}

void deleteCustomPaper(Settings& settings, const QString& id) {
    settings.customPapers.removeIf([&id](const CustomPaper& paper) { return paper.id == id; });
    for (Slot* slot : {&settings.day, &settings.night}) {
        if (slot->paper == id) {
            slot->paper = QStringLiteral("kozo");
        }
    }
}

} // namespace tessel
