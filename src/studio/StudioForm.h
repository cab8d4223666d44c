#pragma once

#include "paper/Recipe.h"

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tessel {

class FloatSlider;
class FormPage;
class FormSection;
class PatternPicker;
class Store;
class Studio;
class WarningLabel;

// The Studio's controls, top to bottom: name and starting paper, the recipe's sliders by
// group, and the buttons that save, use, import, export and delete the paper.
class StudioForm final : public QWidget {
    Q_OBJECT

public:
    StudioForm(Studio& studio, Store& store, QWidget* parent = nullptr);

Q_SIGNALS:
    void importRequested();
    void exportRequested();

private:
    struct SliderField {
        QString label;
        float Recipe::*field;
        double low;
        double high;
    };
    struct Binding {
        FloatSlider* slider;
        float Recipe::*field;
    };

    void addPaperSection(FormPage& page);
    FloatSlider* addSlider(FormSection& section, const SliderField& field);
    void addPatternSection(FormPage& page);
    void addActionSection(FormPage& page);
    void fillStartMenu();
    void showRecipe();
    void showEditing();
    void fadeSavedNote();

    Studio& m_studio;
    Store& m_store;
    QLineEdit* m_name = nullptr;
    QMenu* m_startMenu = nullptr;
    QList<Binding> m_sliders;
    PatternPicker* m_pattern = nullptr;
    FloatSlider* m_patternAmount = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
    QLabel* m_savedNote = nullptr;
    WarningLabel* m_refusal = nullptr;
};

} // namespace tessel
