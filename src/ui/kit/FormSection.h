#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace tessel {

class Toggle;

// One group of a settings form: an optional title, a rounded card of rows divided by
// hairlines, and an optional footer in secondary text.
class FormSection final : public QWidget {
    Q_OBJECT

public:
    explicit FormSection(const QString& title = {}, QWidget* parent = nullptr);

    // A row with the label on the left and the control on the right; returns the row, so a
    // pane can hide it while it does not apply.
    QWidget* addRow(const QString& label, QWidget* control);
    // A row the widget fills by itself.
    QWidget* addWidget(QWidget* content);
    // A row of a label and an on/off switch named like it.
    Toggle* addToggle(const QString& label);
    void setFooter(const QString& text);

    QLabel* footer() const { return m_footer; }

private:
    class Card;

    QWidget* addRow(QLayout* contents);

    Card* m_card;
    QVBoxLayout* m_rows;
    QLabel* m_footer;
};

} // namespace tessel
