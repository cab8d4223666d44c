#pragma once

#include "ui/settings/Pane.h"

#include <QListWidget>

namespace tessel {

// The list of panes at the Settings window's side: a symbol and a title each.
class PaneSidebar final : public QListWidget {
    Q_OBJECT

public:
    static constexpr int width = 190;

    explicit PaneSidebar(QWidget* parent = nullptr);

    void select(Pane pane);

Q_SIGNALS:
    void chosen(tessel::Pane pane);
};

} // namespace tessel
