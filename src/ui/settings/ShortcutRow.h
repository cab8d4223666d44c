#pragma once

#include <QKeyCombination>
#include <QWidget>

#include <optional>

class QKeySequenceEdit;
class QToolButton;

namespace tessel {

class ShortcutRegistry;
class WarningLabel;

// Records the key combination of one global shortcut action. A combination is bound as
// soon as it is typed; one that cannot be bound is named in a warning and the previous
// one stays.
class ShortcutRow final : public QWidget {
    Q_OBJECT

public:
    // Without a registry the row only shows; it records nothing.
    ShortcutRow(const QString& name, const QString& label, ShortcutRegistry* registry,
                std::optional<QKeyCombination> stored, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void record();
    void clear();
    void showKeys(std::optional<QKeyCombination> keys);
    void paintClearSymbol();

    QString m_name;
    ShortcutRegistry* m_registry;
    std::optional<QKeyCombination> m_keys;
    QKeySequenceEdit* m_edit;
    QToolButton* m_clear;
    WarningLabel* m_problem;
};

} // namespace tessel
