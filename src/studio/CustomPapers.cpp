#include "studio/CustomPapers.h"

#include "core/SettingLimits.h"
#include "paper/PaperName.h"

#include <QRegularExpression>
#include <QUuid>

#include <algorithm>

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

QString unusedPaperName(const Settings& settings, const QString& name) {
    const QList<Paper> papers = Paper::all(settings.customPapers);
    const auto taken = [&papers](const QString& candidate) {
        return std::any_of(papers.cbegin(), papers.cend(), [&candidate](const Paper& paper) {
            return paper.name.compare(candidate, Qt::CaseInsensitive) == 0;
        });
    };
    if (!taken(name)) {
        return name;
    }
    static const QRegularExpression numbered(QStringLiteral("^(.*\\S) ([1-9][0-9]{0,5})$"));
    QString base = name;
    int number = 2;
    if (const auto match = numbered.match(name); match.hasMatch()) {
        base = match.captured(1);
        number = match.captured(2).toInt() + 1;
    }
    for (;; ++number) {
        const QString suffix = u' ' + QString::number(number);
        QString stem = base.left(maxPaperNameLength - suffix.size());
        if (!stem.isEmpty() && stem.back().isHighSurrogate()) {
            stem.chop(1);
        }
        if (!taken(stem + suffix)) {
            return stem + suffix;
        }
    }
}

std::variant<QString, PaperRefusal> importPaper(Settings& settings, CustomPaper document) {
    document.id = newCustomPaperId();
    document.name = cleanPaperName(document.name);
    if (document.name.isEmpty()) {
        document.name = QStringLiteral("My Paper");
    }
    document.name = unusedPaperName(settings, document.name);
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
