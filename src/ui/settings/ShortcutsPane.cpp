#include "ui/settings/ShortcutsPane.h"

#include "core/Store.h"
#include "shortcuts/ShortcutActions.h"
#include "shortcuts/ShortcutRegistry.h"
#include "style/Metrics.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/SectionHeading.h"
#include "ui/settings/SettingsContext.h"
#include "ui/settings/ShortcutRow.h"

#include <QHash>
#include <QLabel>

namespace tessel {

namespace {

const QHash<QString, QString>& labels() {
    static const QHash<QString, QString> byName{
        {QStringLiteral("togglePaper"), QStringLiteral("Paper on or off")},
        {QStringLiteral("snoozeHour"), QStringLiteral("Snooze for an hour")},
        {QStringLiteral("nextPaper"), QStringLiteral("Next paper")},
        {QStringLiteral("heavier"), QStringLiteral("Heavier paper")},
        {QStringLiteral("lighter"), QStringLiteral("Lighter paper")},
        {QStringLiteral("focusSheet"), QStringLiteral("Focus Sheet")},
        {QStringLiteral("readingRuler"), QStringLiteral("Reading Ruler")},
    };
    return byName;
}

} // namespace

ShortcutsPane::ShortcutsPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent) {
    FormSection* section = addSection();
    const UserDefaults& defaults = context.store.platform().defaults();
    for (const QString& name : ShortcutActions::names()) {
        section->addWidget(new ShortcutRow(name, labels().value(name, name), context.shortcuts,
                                           ShortcutRegistry::stored(defaults, name)));
    }
    if (!context.shortcuts) {
        section->setFooter(QStringLiteral("Global shortcuts are not available on this desktop."));
    }
    auto* note = new QLabel(QStringLiteral(
        "Tessel also works from scripts: the tessel command and its D-Bus interface can turn "
        "paper on or off, set a paper, snooze and switch the Focus filter. Run tessel --help "
        "to see how."));
    note->setWordWrap(true);
    note->setFont(interfaceFont(*note, metrics::footnoteText));
    note->setForegroundRole(QPalette::PlaceholderText);
    note->setContentsMargins(metrics::tightGap, 0, metrics::tightGap, 0);
    addWidget(note);
}

} // namespace tessel
