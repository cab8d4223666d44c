#pragma once

#include "platform/HotKeys.h"

#include <QHash>
#include <QObject>

#include <optional>

namespace tessel {

class ShellExtension;

// Hot keys that Tessel's GNOME Shell extension grabs for it. What is bound while the extension
// is not enabled is grabbed as soon as it is.
class ShellHotKeys final : public QObject, public HotKeys {
    Q_OBJECT

public:
    explicit ShellHotKeys(ShellExtension& shell);

    Grab bind(const QString& name, QKeyCombination keys) override;
    void unbind(const QString& name) override;

    // GTK's form of the combination ("<Super><Shift>p"), none for a key it has no name for.
    static std::optional<QString> accelerator(QKeyCombination keys);

private:
    void grabAll();

    ShellExtension& m_shell;
    QHash<QString, QString> m_wanted;
};

} // namespace tessel
