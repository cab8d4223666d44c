#pragma once

#include "ui/settings/Pane.h"
#include "ui/settings/SettingsContext.h"

#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QStackedLayout;

namespace tessel {

class PaneSidebar;

// The Settings window's content: the panes listed at the side, the chosen one beside them
// under its title. Every control writes straight to the Store; there is nothing to apply.
class SettingsView final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize minimumSize{780, 560};

    explicit SettingsView(SettingsContext context, QWidget* parent = nullptr);
    ~SettingsView() override;

    // None shows General.
    std::optional<Pane> pane() const { return m_pane; }
    void setPane(std::optional<Pane> pane);
    Pane shownPane() const { return m_pane.value_or(Pane::general); }
    // The view of the shown pane.
    QWidget* content() const { return m_content.get(); }

    // At least minimumSize, more while a pane needs more room.
    QSize minimumSizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void followAppearance();
    // Builds the shown pane afresh, fading from what was there when `fade` is set.
    void rebuild(bool fade);
    void fadeOut(const QPixmap& previous);

    SettingsContext m_context;
    std::optional<Pane> m_pane;
    PaneSidebar* m_sidebar;
    QLabel* m_title;
    QLabel* m_subtitle;
    QWidget* m_detail;
    QStackedLayout* m_stack;
    std::unique_ptr<QWidget> m_content;
};

} // namespace tessel
