#include "art/Painting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace tessel {

namespace {

std::optional<Painting> paintingFrom(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const QStringList keys{QStringLiteral("id"),    QStringLiteral("collection"),
                           QStringLiteral("title"), QStringLiteral("artist"),
                           QStringLiteral("date"),  QStringLiteral("file")};
    if (!value.isObject() || object.size() != keys.size()) {
        return std::nullopt;
    }
    QStringList fields;
    for (const QString& key : keys) {
        if (!object.value(key).isString()) {
            return std::nullopt;
        }
        fields.append(object.value(key).toString());
    }
    return Painting{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

} // namespace

std::optional<QList<Painting>> paintingsFromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        return std::nullopt;
    }
    QList<Painting> paintings;
    for (const QJsonValue& value : document.array()) {
        auto painting = paintingFrom(value);
        if (!painting) {
            return std::nullopt;
        }
        paintings.append(std::move(*painting));
    }
    return paintings;
}

QString shortTitle(const QString& title) {
    for (const char* separator : {", from ", " from the series", " (", ", "}) {
        const qsizetype at = title.indexOf(QLatin1String(separator));
        if (at > 8) {
            return title.left(at);
        }
    }
    return title;
}

QString artistAndDate(const Painting& painting) {
    QStringList parts;
    for (const QString& part : {painting.artist, painting.date}) {
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace tessel
