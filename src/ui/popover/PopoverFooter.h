#pragma once

#include "ui/popover/PopoverMenu.h"

#include <QWidget>

namespace tessel {

class QuietButton;
class Store;

// Snooze (or Resume while snoozed), Settings and Quit.
class PopoverFooter final : public QWidget {
    Q_OBJECT

public:
    PopoverFooter(Store& store, QWidget* parent = nullptr);

    // Shows "Resume" in place of the snooze menu while paper is snoozed.
    void showSnoozed(bool snoozed);

    QuietButton* snooze() const { return m_snooze; }
    QuietButton* resume() const { return m_resume; }
    QuietButton* settings() const { return m_settings; }
    QuietButton* quit() const { return m_quit; }
    PopoverMenu& snoozeMenu() { return m_menu; }

private:
    PopoverMenu m_menu;
    QuietButton* m_snooze;
    QuietButton* m_resume;
    QuietButton* m_settings;
    QuietButton* m_quit;
};

} // namespace tessel
