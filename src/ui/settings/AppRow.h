#pragma once

#include <QString>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QToolButton;

namespace tessel {

class Platform;

// One app of a list: its icon and name as installed, or its id marked "Not installed", an
// optional control of its own and a button that asks to remove it.
class AppRow final : public QWidget {
    Q_OBJECT

public:
    AppRow(const Platform& platform, const QString& appId, QWidget* parent = nullptr);

    const QString& appId() const { return m_appId; }
    bool installed() const { return m_installed; }
    // Places a control between the name and the remove button.
    void addControl(QWidget* control);

Q_SIGNALS:
    void removeRequested(const QString& appId);

protected:
    void changeEvent(QEvent* event) override;

private:
    void paintSymbols();

    QString m_appId;
    QString m_icon;
    bool m_installed;
    QHBoxLayout* m_layout;
    QLabel* m_picture;
    QLabel* m_detail;
    QToolButton* m_remove;
};

// The icon of an installed app at a size: a theme icon by name, or the file at an absolute
// path; a null pixmap when neither gives one.
QPixmap appIcon(const QString& icon, int size, qreal pixelRatio);

} // namespace tessel
