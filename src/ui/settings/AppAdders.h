#pragma once

#include <QWidget>

class QMenu;
class QPushButton;

namespace tessel {

class Platform;

// The buttons under an app list that add an app to it: one of the running apps from a menu,
// or any installed one from the chooser.
class AppAdders final : public QWidget {
    Q_OBJECT

public:
    explicit AppAdders(Platform& platform, QWidget* parent = nullptr);

    // Apps already listed show in the menu but cannot be chosen again.
    void setListed(const QStringList& appIds) { m_listed = appIds; }
    // Puts a button of the list's own after the adding ones.
    void addButton(QPushButton* button);

Q_SIGNALS:
    void chosen(const QString& appId);

private:
    void fillMenu();
    void openChooser();

    Platform& m_platform;
    QStringList m_listed;
    QMenu* m_menu;
};

} // namespace tessel
