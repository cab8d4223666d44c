#pragma once

#include <QString>

#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace tessel {

// The user-defaults store: one JSON object in defaults.json whose keys are the defaults'
// names. Every write is atomic and checked: a failed write leaves the file as it was. A file
// that is not a readable JSON object is moved aside before the next save rather than
// overwritten; a file Tessel may not read is never replaced.
class UserDefaults {
public:
    using Json = nlohmann::ordered_json;

    // Larger files are not settings Tessel wrote; they are read as unreadable.
    static constexpr qint64 maxFileBytes = 4 * 1024 * 1024;

    // $TESSEL_CONFIG_DIR, else $XDG_CONFIG_HOME/tessel (~/.config/tessel).
    static QString defaultDirectory();

    explicit UserDefaults(QString directory);
    ~UserDefaults();
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    QString filePath() const;

    std::optional<Json> value(const std::string& key) const;

    // Both re-read the file first so keys written by another Tessel process survive.
    // False when the file could not be written; lastError() says why.
    [[nodiscard]] bool setValue(const std::string& key, Json value);
    [[nodiscard]] bool remove(const std::string& key);

    // Why the last read or write failed; none once one succeeds.
    const std::optional<QString>& lastError() const { return m_error; }
    // Whether the file, when last read, held something other than a readable JSON object.
    bool unreadable() const { return m_state == FileState::unreadable; }
    // Where an unreadable file was moved, once; taking it clears it.
    std::optional<QString> takeSetAsidePath() { return std::exchange(m_setAside, std::nullopt); }

    // Moves an unreadable file aside now rather than at the next save.
    void setAsideIfUnreadable();
    // Removes what writes killed midway left behind; call once at start-up.
    void removeAbandonedWrites();

private:
    enum class FileState { absent, readable, unreadable, inaccessible };

    FileState load();
    FileState readState();
    bool prepareToWrite();
    bool moveUnreadableAside();
    bool save();

    QString m_directory;
    FileState m_state = FileState::absent;
    std::unique_ptr<Json> m_values;
    std::optional<QString> m_error;
    std::optional<QString> m_setAside;
};

} // namespace tessel
