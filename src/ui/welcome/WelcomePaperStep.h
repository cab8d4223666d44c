#pragma once

#include <QWidget>

class QLabel;

namespace tessel {

class LitPaper;
class PaperGrid;
class PressButton;
class SlotBinding;
class Store;
class WeightRuler;

// Choosing the paper for one slot: its lit sheet, every paper, the weight, and a button on.
// Each choice goes to the Store at once, so the screen shows it while the user looks.
class WelcomePaperStep final : public QWidget {
    Q_OBJECT

public:
    struct Texts {
        QString title;
        QString text;
        QString button;
    };

    WelcomePaperStep(Store& store, bool night, const Texts& texts, QWidget* parent = nullptr);

    // Replaces the text under the title.
    void setText(const QString& text);
    QString text() const;

    PaperGrid& grid() const { return *m_grid; }
    WeightRuler& ruler() const { return *m_ruler; }
    LitPaper& sheet() const { return *m_sheet; }
    PressButton* next() const { return m_next; }

private:
    void showSheet();

    Store& m_store;
    QLabel* m_text;
    LitPaper* m_sheet;
    PaperGrid* m_grid;
    WeightRuler* m_ruler;
    PressButton* m_next;
    SlotBinding* m_binding;
};

} // namespace tessel
