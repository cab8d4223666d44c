#include "paper/PaperName.h"

namespace tessel {

bool reordersText(QChar c) {
    const char16_t unit = c.unicode();
    return (unit >= u'\u202A' && unit <= u'\u202E') || (unit >= u'\u2066' && unit <= u'\u2069');
}

QString cleanPaperName(const QString& name) {
    QString plain;
    plain.reserve(name.size());
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control) {
            plain.append(u' ');
        } else if (!reordersText(c)) {
            plain.append(c);
        }
    }
    plain = plain.simplified();
    if (plain.size() > maxPaperNameLength) {
        const bool splitsPair = plain.at(maxPaperNameLength - 1).isHighSurrogate();
        plain.truncate(maxPaperNameLength - (splitsPair ? 1 : 0));
        plain = plain.trimmed();
    }
    return plain;
}

} // namespace tessel
