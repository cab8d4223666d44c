#pragma once

#include "platform/Platform.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tessel {

// A searchable list of the installed applications; accepting it announces the chosen
// entry's id.
class AppChooser final : public QDialog {
    Q_OBJECT

public:
    AppChooser(const QList<InstalledApp>& apps, QWidget* parent = nullptr);

Q_SIGNALS:
    void chosen(const QString& appId);

private:
    void filter(const QString& text);
    void choose();

    QLineEdit* m_search;
    QListWidget* m_list;
    QPushButton* m_add;
};

} // namespace tessel
