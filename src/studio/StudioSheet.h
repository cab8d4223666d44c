#pragma once

#include <QWidget>

namespace tessel {

class LitPaper;
class Studio;

// The Studio's preview: the paper as a lit sheet with its name in the lower-left corner and a
// soft shadow beneath, and the Day/Night switch that chooses how it is lit.
class StudioSheet final : public QWidget {
    Q_OBJECT

public:
    explicit StudioSheet(Studio& studio, QWidget* parent = nullptr);

    LitPaper* sheet() const { return m_sheet; }

private:
    void showPreview();

    Studio& m_studio;
    LitPaper* m_sheet;
};

} // namespace tessel
