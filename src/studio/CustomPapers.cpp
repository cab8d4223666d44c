#include "studio/CustomPapers.h"

#include <QUuid>

namespace tessel {

QString newCustomPaperId() {
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    return QStringLiteral("custom-") + uuid.left(8);
}

void storeCustomPaper(Settings& settings, const CustomPaper& paper) {
    for (CustomPaper& stored : settings.customPapers) {
        if (stored.id == paper.id) {
            stored = paper;
            return;
        }
    }
    settings.customPapers.append(paper);
}

QString importPaper(Settings& settings, CustomPaper document) {
    document.id = newCustomPaperId();
    if (document.name.isEmpty()) {
        document.name = QStringLiteral("My Paper");
    }
    storeCustomPaper(settings, document);
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
