#pragma once

#include "platform/Platform.h"

#include <QWidget>

class QLabel;

namespace tessel {

class PaperPicker;
class Toggle;
struct Settings;

// One connected screen: what it is, which paper it shows and whether it shows any.
class DisplayRow final : public QWidget {
    Q_OBJECT

public:
    // The built-in screen of a laptop is the first; it gets a computer for its symbol.
    DisplayRow(const ScreenInfo& screen, bool first, QWidget* parent = nullptr);

    // Shows the screen's settings without announcing them.
    void showSettings(const Settings& settings);

Q_SIGNALS:
    // An empty id stands for the Day or Night paper.
    void paperPicked(const QString& screenId, const QString& paperId);
    void switched(const QString& screenId, bool on);

protected:
    void changeEvent(QEvent* event) override;

private:
    void paintSymbol();

    ScreenInfo m_screen;
    QString m_symbol;
    QLabel* m_picture;
    PaperPicker* m_picker;
    Toggle* m_toggle;
};

} // namespace tessel
