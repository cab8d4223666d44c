#include "ui/settings/DisplaysPane.h"

#include "core/Store.h"
#include "ui/kit/FormSection.h"
#include "ui/settings/DisplayRow.h"
#include "ui/settings/RowList.h"
#include "ui/settings/SettingsContext.h"

namespace tessel {

DisplaysPane::DisplaysPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent)
    , m_store(context.store)
    , m_rows(new RowList) {
    FormSection* section = addSection();
    section->addWidget(m_rows);
    section->setFooter(QStringLiteral(
        "Switch a display off to keep it clean, for example a colour-calibrated monitor."));
    connect(&m_store.platform(), &Platform::screensChanged, this, &DisplaysPane::rebuild);
    connect(&m_store, &Store::settingsChanged, this, &DisplaysPane::sync);
    rebuild();
}

void DisplaysPane::rebuild() {
    m_rows->clear();
    const QList<ScreenInfo> screens = m_store.platform().screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        auto* row = new DisplayRow(screens[i], i == 0);
        connect(row, &DisplayRow::paperPicked, this,
                [this](const QString& screen, const QString& paper) {
                    m_store.updateSettings([&](Settings& s) {
                        if (paper.isEmpty()) {
                            s.displayPapers.remove(screen);
                        } else {
                            s.displayPapers.insert(screen, paper);
                        }
                    });
                });
        connect(row, &DisplayRow::switched, this, [this](const QString& screen, bool on) {
            m_store.updateSettings([&](Settings& s) {
                if (on) {
                    s.disabledDisplays.remove(screen);
                } else {
                    s.disabledDisplays.insert(screen);
                }
            });
        });
        m_rows->addRow(row);
    }
    sync();
}

void DisplaysPane::sync() {
    for (QWidget* row : m_rows->rows()) {
        static_cast<DisplayRow*>(row)->showSettings(m_store.settings());
    }
}

} // namespace tessel
