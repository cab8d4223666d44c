#pragma once

#include <QString>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tessel {

// The user-defaults store: one JSON object in defaults.json whose keys are the defaults'
// names. Every write is atomic, and a file that cannot be parsed is moved aside before the
// next save rather than overwritten.
class UserDefaults {
public:
    using Json = nlohmann::ordered_json;

    // $TESSEL_CONFIG_DIR, else $XDG_CONFIG_HOME/tessel (~/.config/tessel).
    static QString defaultDirectory();

    explicit UserDefaults(QString directory);

    QString filePath() const;

    std::optional<Json> value(const std::string& key) const;

    // Both re-read the file first so keys written by another Tessel process survive.
    bool setValue(const std::string& key, Json value);
    bool remove(const std::string& key);

private:
    enum class FileState { absent, readable, unreadable };

    FileState load();
    bool moveUnreadableAside();
    bool save();

    QString m_directory;
    Json m_values = Json::object();
};

} // namespace tessel
