#include "app/WidgetAlerts.h"

#include <QMessageBox>
#include <QPushButton>

namespace tessel {

namespace {

void prepare(QMessageBox& box, const QString& message, const QString& text) {
    box.setWindowTitle(QStringLiteral("Tessel"));
    box.setText(message);
    box.setInformativeText(text);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

void WidgetAlerts::inform(const QString& message, const QString& text) {
    QMessageBox box;
    prepare(box, message, text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool WidgetAlerts::offerDownload(const QString& message, const QString& text) {
    QMessageBox box;
    prepare(box, message, text);
    QPushButton* download = box.addButton(QStringLiteral("Download"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
    box.setDefaultButton(download);
    box.exec();
    return box.clickedButton() == download;
}

} // namespace tessel
