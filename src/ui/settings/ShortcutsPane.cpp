#include "ui/settings/ShortcutsPane.h"

#include "core/Store.h"
#include "shortcuts/ShortcutActions.h"
#include "shortcuts/ShortcutRegistry.h"
#include "style/Metrics.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/WhyNotNote.h"
#include "ui/settings/SettingsContext.h"
#include "ui/settings/ShortcutRow.h"

#include <QFontDatabase>
#include <QLabel>

namespace tessel {

namespace {

// The command that runs the action in the running Tessel, for a desktop's own key bindings.
QLabel* commandLabel(const QString& name) {
    auto* command = new QLabel(QStringLiteral("tessel shortcut run %1").arg(name));
    command->setTextFormat(Qt::PlainText);
    command->setTextInteractionFlags(Qt::TextSelectableByMouse);
    command->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return command;
}

} // namespace

ShortcutsPane::ShortcutsPane(SettingsContext& context, QWidget* parent)
    : FormPage(parent) {
    if (const auto reason = context.store.platform().unavailable(DesktopAbility::globalShortcuts)) {
        addCommands(*reason);
    } else {
        addRecorders(context);
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

void ShortcutsPane::addRecorders(SettingsContext& context) {
    FormSection* section = addSection();
    const UserDefaults& defaults = context.store.platform().defaults();
    for (const QString& name : ShortcutActions::names()) {
        section->addWidget(new ShortcutRow(name, ShortcutActions::title(name), context.shortcuts,
                                           ShortcutRegistry::stored(defaults, name)));
    }
    if (!context.shortcuts) {
        section->setFooter(QStringLiteral("Global shortcuts are not available on this desktop."));
    }
}

void ShortcutsPane::addCommands(const QString& reason) {
    auto* whyNot = new WhyNotNote;
    whyNot->explain(reason);
    addWidget(whyNot);
    FormSection* section =
        addSection(QStringLiteral("Commands for your desktop's own key bindings"));
    for (const QString& name : ShortcutActions::names()) {
        section->addRow(ShortcutActions::title(name), commandLabel(name));
    }
}

} // namespace tessel
