#pragma once

#include <QWidget>

class QVBoxLayout;

namespace tessel {

// Rows that come and go inside one row of a form section, divided by hairlines like the
// section's own rows. Lists whose length follows the settings live in one of these.
class RowList final : public QWidget {
    Q_OBJECT

public:
    explicit RowList(QWidget* parent = nullptr);

    // Removes every row; they are deleted once the event that led here has finished.
    void clear();
    void addRow(QWidget* row);
    QList<QWidget*> rows() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_layout;
};

} // namespace tessel
