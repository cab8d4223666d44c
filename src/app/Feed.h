#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace tessel {

// The update feed, "version.json": {"version", "url", "notes"}, notes optional.
struct Feed {
    QString version;
    QUrl url;
    std::optional<QString> notes;

    friend bool operator==(const Feed&, const Feed&) = default;

    // A feed is a few lines; a longer body is not read on, and does not decode.
    static constexpr qint64 maxBodyBytes = 1024 * 1024;

    // None unless the body is at most maxBodyBytes of JSON, no deeper than maxJsonDepth: an
    // object with string "version" and "url", the url absolute and valid, and "notes", when
    // present, a string. Other keys are ignored.
    static std::optional<Feed> decode(const QByteArray& body);
};

// Negative, zero or positive as a is earlier than, the same as or later than b. Runs of
// digits compare by value, so 1.10 is later than 1.9; everything else character by character.
int compareVersions(const QString& a, const QString& b);

} // namespace tessel
