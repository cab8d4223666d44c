#pragma once

#include <QWidget>

#include <functional>

namespace tessel {

class Store;
class Studio;

// The Studio in the Settings window: the form on the left, the lit preview on the right.
// Each pane starts afresh from Kozo.
class StudioPane final : public QWidget {
    Q_OBJECT

public:
    // How the pane asks for files; tests answer without a dialog. An empty path is a cancel.
    struct FileDialogs {
        std::function<QString(QWidget* parent, const QString& suggestedName)> exportPath;
        std::function<QString(QWidget* parent)> importPath;
    };

    explicit StudioPane(Store& store, QWidget* parent = nullptr);

    Studio& studio() const { return *m_studio; }
    void setFileDialogs(FileDialogs dialogs) { m_dialogs = std::move(dialogs); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void exportPaper();
    void importPaper();

    Studio* m_studio;
    FileDialogs m_dialogs;
    bool m_shown = false;
};

} // namespace tessel
