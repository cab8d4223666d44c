#pragma once

#include <QWidget>

#include <optional>

namespace tessel {

class CrossFadeLabel;
class ElidedLabel;
class PaperGrid;
class SlotBinding;
class Store;
class WeightRuler;

// The Day or the Night slot: its paper's name, every paper to choose from, and the weight.
class SlotEditor final : public QWidget {
    Q_OBJECT

public:
    static constexpr int swatchGap = 10;

    SlotEditor(Store& store, bool night, QWidget* parent = nullptr);

    PaperGrid* grid() const { return m_grid; }
    WeightRuler* ruler() const { return m_ruler; }
    QString shownName() const;

private:
    void showHovered(const std::optional<QString>& paperId);

    ElidedLabel* m_name;
    CrossFadeLabel* m_hovered;
    PaperGrid* m_grid;
    WeightRuler* m_ruler;
    SlotBinding* m_binding;
};

} // namespace tessel
