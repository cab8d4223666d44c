#pragma once

#include "platform/desktop/ManagedSettings.h"
#include "platform/x11/XConnection.h"

#include <QHash>

namespace tessel {

// The text settings an XSETTINGS manager (xfsettingsd, mate-settings-daemon, xsettingsd…)
// publishes for its screen, followed as it changes them or as a manager comes and goes.
class XSettings final : public ManagedSettings {
    Q_OBJECT

public:
    explicit XSettings(XConnection& x);

    std::optional<QString> text(const QByteArray& name) const override;

private:
    void findManager();
    void readSettings();

    XConnection& m_x;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    xcb_atom_t m_property = XCB_ATOM_NONE;
    xcb_window_t m_manager = XCB_WINDOW_NONE;
    QHash<QByteArray, QString> m_texts;
};

// The text settings of an _XSETTINGS_SETTINGS property; integers and colours are skipped, and
// a truncated property yields what came before the cut.
QHash<QByteArray, QString> xsettingsTexts(const QByteArray& property);

} // namespace tessel
