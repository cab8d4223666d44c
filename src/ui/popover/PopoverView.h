#pragma once

#include <QWidget>

#include <functional>

namespace tessel {

class LampRow;
class PaperGrid;
class PaperSheet;
class PopoverFooter;
class PopoverHeader;
class SlotBinding;
class SlotSwitch;
class Store;
class ToolChip;
class WeightRuler;

// The everyday controls in a popup next to the panel icon: paper on or off, the lit sheet of
// the slot being edited, Day or Night, paper, weight, lamp, the reading tools, snooze,
// Settings and Quit. Every control writes the Store at once; it keeps no state of its own.
// Escape or a click elsewhere closes it. Without a panel icon to open beside, the same
// controls open as a small window of their own.
class PopoverView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int fixedWidth = 340;

    struct Actions {
        std::function<void()> openSettings;
        std::function<void()> quit;
    };

    PopoverView(Store& store, Actions actions);
    ~PopoverView() override;

    // Opens next to `anchor`, in global coordinates, on the screen that holds it.
    void popUp(QRect anchor);
    // Opens as an ordinary window: centred the first time, then where the user left it.
    void openAsWindow();
    bool isPopup() const { return windowType() == Qt::Popup; }

    PopoverHeader& header() const { return *m_header; }
    PaperSheet& sheet() const { return *m_sheet; }
    SlotSwitch& slotSwitch() const { return *m_slotSwitch; }
    PaperGrid& grid() const { return *m_grid; }
    WeightRuler& ruler() const { return *m_ruler; }
    LampRow& lamps() const { return *m_lamps; }
    QList<ToolChip*> chips() const { return m_chips; }
    PopoverFooter& footer() const { return *m_footer; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* padded(QWidget* content, QMargins margins);
    QWidget* toolChips();
    void connectControls();
    void showStore();
    void showSheet();
    void showAppearance();

    Store& m_store;
    Actions m_actions;
    PopoverHeader* m_header;
    PaperSheet* m_sheet;
    SlotSwitch* m_slotSwitch;
    PaperGrid* m_grid;
    WeightRuler* m_ruler;
    LampRow* m_lamps;
    QList<ToolChip*> m_chips;
    PopoverFooter* m_footer;
    SlotBinding* m_binding;
};

} // namespace tessel
