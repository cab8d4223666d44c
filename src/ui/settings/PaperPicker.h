#pragma once

#include "paper/Paper.h"

#include <QComboBox>

namespace tessel {

// A drop-down of every paper, built-in then custom, with the paper ids as item data.
// Leading choices that stand for no paper at all carry an empty id. A name too long for the
// picker's width is cut with an ellipsis.
class PaperPicker final : public QComboBox {
    Q_OBJECT

public:
    explicit PaperPicker(QStringList noPaperChoices = {}, QWidget* parent = nullptr);

    // Refills the list when the papers differ and shows the paper without announcing it;
    // an empty id shows the first no-paper choice, an unknown one the paper it resolves to.
    void showPaper(const QList<CustomPaper>& customPapers, const QString& paperId);
    QString paperId() const { return currentData().toString(); }

Q_SIGNALS:
    // The user picked a paper, or a no-paper choice (empty id).
    void picked(const QString& paperId);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fill(const QList<Paper>& papers);

    QStringList m_noPaperChoices;
};

} // namespace tessel
