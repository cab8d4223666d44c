#include "app/WidgetAlerts.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

namespace tessel {

namespace {

// Text from the update feed is cut to fit a box on any screen: the message, which names the
// version, in its middle; the notes after so many lines or characters.
constexpr int messageWidth = 420;
constexpr qsizetype notesLines = 12;
constexpr qsizetype notesLength = 1000;

QString shortened(const QString& text) {
    const QStringList lines = text.split(u'\n');
    QString kept = lines.mid(0, notesLines).join(u'\n');
    const bool cut = lines.size() > notesLines || kept.size() > notesLength;
    if (kept.size() > notesLength) {
        kept.truncate(notesLength - (kept.at(notesLength - 1).isHighSurrogate() ? 1 : 0));
    }
    return cut ? kept + QStringLiteral("\u2026") : kept;
}

void prepare(QMessageBox& box, const QString& message, const QString& text) {
    box.setWindowTitle(QStringLiteral("Tessel"));
    box.setTextFormat(Qt::PlainText);
    box.setText(box.fontMetrics().elidedText(message, Qt::ElideMiddle, messageWidth));
    // The informative text guesses its format whatever the box's, so it is given as markup
    // that shows the text as typed.
    box.setInformativeText(Qt::convertFromPlainText(shortened(text), Qt::WhiteSpaceNormal));
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
