#pragma once

#include <QScrollArea>
#include <QString>

class QVBoxLayout;

namespace tessel {

class FormSection;

// A pane's content: form sections stacked top to bottom, scrolling when the window is
// shorter than they are.
class FormPage : public QScrollArea {
    Q_OBJECT

public:
    explicit FormPage(QWidget* parent = nullptr);

    FormSection* addSection(const QString& title = {});
    // Free-standing content between sections, such as a grid of cards.
    void addWidget(QWidget* content);
    // Room left and right of the sections, for pages that share their row with other content.
    void setSideMargins(int left, int right);
    // The width at which every section shows whole, the scroll bar included.
    int contentWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVBoxLayout* m_column;
};

} // namespace tessel
