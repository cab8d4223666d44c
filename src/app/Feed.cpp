#include "app/Feed.h"

#include "paper/JsonText.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

std::optional<QString> text(const Json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string()) {
        return std::nullopt;
    }
    return QString::fromStdString(found->get<std::string>());
}

qsizetype digitRunEnd(const QString& s, qsizetype from) {
    while (from < s.size() && s[from].isDigit()) {
        ++from;
    }
    return from;
}

// Compares two runs of digits by value, however long they are.
int compareNumbers(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == u'0') {
        a = a.mid(1);
    }
    while (b.size() > 1 && b.front() == u'0') {
        b = b.mid(1);
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

} // namespace

std::optional<Feed> Feed::decode(const QByteArray& body) {
    if (body.size() > maxBodyBytes) {
        return std::nullopt;
    }
    const auto document = parseJsonText(std::string_view(body.constData(), body.size()));
    if (!document || !document->is_object()) {
        return std::nullopt;
    }
    const Json& json = *document;
    const auto version = text(json, "version");
    const auto url = text(json, "url");
    if (!version || !url) {
        return std::nullopt;
    }
    const QUrl parsed(*url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.isRelative()) {
        return std::nullopt;
    }
    std::optional<QString> notes;
    if (json.contains("notes")) {
        notes = text(json, "notes");
        if (!notes) {
            return std::nullopt;
        }
    }
    return Feed{*version, parsed, notes};
}

int compareVersions(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype endA = digitRunEnd(a, i);
            const qsizetype endB = digitRunEnd(b, j);
            if (const int order = compareNumbers(QStringView(a).sliced(i, endA - i),
                                                 QStringView(b).sliced(j, endB - j))) {
                return order;
            }
            i = endA;
            j = endB;
            continue;
        }
        if (a[i] != b[j]) {
            return a[i] < b[j] ? -1 : 1;
        }
        ++i;
        ++j;
    }
    const qsizetype restA = a.size() - i;
    const qsizetype restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

} // namespace tessel
