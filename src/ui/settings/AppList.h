#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace tessel {

class AppRow;
class FoldButton;
class Platform;
class RowList;

// A list of app ids as rows, installed apps first and the ones not installed folded under a
// quiet row that opens them, with a quiet line in their place while the list is empty.
class AppList final : public QWidget {
    Q_OBJECT

public:
    using Decorate = std::function<void(AppRow&)>;

    explicit AppList(const Platform& platform, QWidget* parent = nullptr);

    // Rebuilds the rows when the ids differ from those shown, letting `decorate` add each
    // row's own control; returns whether it rebuilt.
    bool setApps(const QStringList& appIds, const Decorate& decorate = {});

Q_SIGNALS:
    void removeRequested(const QString& appId);

private:
    void showFolded();

    const Platform& m_platform;
    std::optional<QStringList> m_shown;
    RowList* m_installed;
    FoldButton* m_fold;
    RowList* m_missing;
    QLabel* m_empty;
};

} // namespace tessel
